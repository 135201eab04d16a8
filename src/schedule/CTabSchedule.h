#pragma once

#include "schedule/CWeekPage.h"
#include "ui/PropertySheet.h"

#include <functional>
#include <memory>

namespace mivra {
class CMvDoc;
struct DocOptions;
} // namespace mivra

namespace mivra::schedule {

/** The pages of the scheduling sheet, in tab order. */
enum class SchedulePage { Summary, HomeTalks, Chairman, Hosts, Readers, Outgoing, Events };

/**
 * The tab index of a page when the host and reader pages are present or not: the optional
 * pages come after the chairman page, so the outgoing page is 3, 4 or 5. −1 for an optional
 * page that is absent.
 */
int SchedulePageIndex(SchedulePage page, bool withHosts, bool withReaders);
/** The same with the settings that decide the optional pages ("Värd", "Ha med högläsare"). */
int SchedulePageIndex(const DocOptions& options, SchedulePage page);

/**
 * The sheet's pages by role. The shell's wiring makes them, since it knows every page class
 * (the rotation pages live above this folder); the sheet owns them.
 */
struct SchedulePageSet {
    std::unique_ptr<CSchedulePage> summary;
    std::unique_ptr<CWeekPage> homeTalks;
    std::unique_ptr<CWeekPage> chairman;
    std::unique_ptr<CWeekPage> hosts;
    std::unique_ptr<CWeekPage> readers;
    std::unique_ptr<CWeekPage> outgoing;
    std::unique_ptr<CSchedulePage> events;
};

/**
 * The scheduling sheet "Panel för schemaläggning". Its pages edit the document's weeks and
 * events in place; OK and Apply write them (a failed write keeps the sheet open), Cancel
 * reads both files back, so whatever was not written is dropped. The "Redigera" button
 * (cmd::kSheetEdit) offers the congregation and brother lists, which the caller runs.
 */
class CTabSchedule : public ui::PropertySheet {
public:
    using CommandRunner = std::function<void(int commandId)>;

    /** Shows the pages the settings ask for; the first listed week becomes the current one. */
    CTabSchedule(CMvDoc& doc, SchedulePageSet pages, CommandRunner runCommand);

    /** Runs the sheet modally on a page; afterwards the first listed week is the current one. */
    int Run(ui::Host& host, int startPage);
    int PageIndex(SchedulePage page) const;

    CSchedulePage& Summary() { return *m_pages.summary; }
    CWeekPage& HomeTalks() { return *m_pages.homeTalks; }
    CWeekPage& Chairman() { return *m_pages.chairman; }
    CWeekPage* Hosts() { return m_withHosts ? m_pages.hosts.get() : nullptr; }
    CWeekPage* Readers() { return m_withReaders ? m_pages.readers.get() : nullptr; }
    CWeekPage& Outgoing() { return *m_pages.outgoing; }
    CSchedulePage& Events() { return *m_pages.events; }

private:
    void OnInit() override;
    void OnCommand(int id) override;
    void OnReset() override;
    void RunEditMenu();

    CMvDoc& m_doc;
    CommandRunner m_runCommand;
    bool m_withHosts;
    bool m_withReaders;
    SchedulePageSet m_pages;
};

} // namespace mivra::schedule
