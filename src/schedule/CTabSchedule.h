#pragma once

#include "rotations/CChair.h"
#include "rotations/CHosp.h"
#include "rotations/CReader.h"
#include "schedule/CCovisit.h"
#include "schedule/CSched.h"
#include "schedule/CTDlg.h"
#include "schedule/CTabPage.h"
#include "ui/PropertySheet.h"

#include <functional>

namespace mivra {

class CMvDoc;
struct DocOptions;

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
 * The scheduling sheet "Panel för schemaläggning". Its pages edit the document's weeks and
 * events in place; OK and Apply write them (a failed write keeps the sheet open), Cancel
 * reads both files back, so whatever was not written is dropped. The "Redigera" button
 * offers the congregation and brother lists, which the caller runs.
 */
class CTabSchedule : public ui::PropertySheet {
public:
    static constexpr int kEditButton = 111;
    static constexpr int kCongregationsCommand = 32844;
    static constexpr int kBrothersCommand = 32768;
    using CommandRunner = std::function<void(int commandId)>;

    /** Builds the pages the settings ask for; the first listed week becomes the current one. */
    CTabSchedule(CMvDoc& doc, CommandRunner runCommand);

    /** Runs the sheet modally on a page; afterwards the first listed week is the current one. */
    int Run(ui::Host& host, int startPage);
    int PageIndex(SchedulePage page) const;

    CTDlg& Summary() { return m_summary; }
    CTabPage& HomeTalks() { return m_homeTalks; }
    CChair& Chairman() { return m_chairman; }
    CHosp* Hosts() { return m_withHosts ? &m_hosts : nullptr; }
    CReader* Readers() { return m_withReaders ? &m_readers : nullptr; }
    CSched& Outgoing() { return m_outgoing; }
    CCovisit& Events() { return m_events; }

private:
    void OnInit() override;
    void OnCommand(int id) override;
    void OnReset() override;
    void RunEditMenu();

    CMvDoc& m_doc;
    CommandRunner m_runCommand;
    bool m_withHosts;
    bool m_withReaders;
    CTDlg m_summary;
    CTabPage m_homeTalks;
    CChair m_chairman;
    CHosp m_hosts;
    CReader m_readers;
    CSched m_outgoing;
    CCovisit m_events;
};

/**
 * Opens the scheduling sheet on a page (see SchedulePageIndex; an absent page, −1, opens the
 * summary) and returns ui::kIdOk or
 * ui::kIdCancel. runCommand receives the command chosen from the "Redigera" menu while the
 * sheet is open; the main frame runs it.
 */
int RunScheduleSheet(CMvDoc& doc, ui::Host& host, int startPage,
                     CTabSchedule::CommandRunner runCommand);

} // namespace mivra
