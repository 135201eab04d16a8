#include "schedule/CTabSchedule.h"

#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/CommandMenus.h"

namespace mivra::schedule {

int SchedulePageIndex(SchedulePage page, bool withHosts, bool withReaders) {
    const int hosts = withHosts ? 1 : 0;
    const int readers = withReaders ? 1 : 0;
    switch (page) {
    case SchedulePage::Summary:
        return 0;
    case SchedulePage::HomeTalks:
        return 1;
    case SchedulePage::Chairman:
        return 2;
    case SchedulePage::Hosts:
        return withHosts ? 3 : -1;
    case SchedulePage::Readers:
        return withReaders ? 3 + hosts : -1;
    case SchedulePage::Outgoing:
        return 3 + hosts + readers;
    case SchedulePage::Events:
        return 4 + hosts + readers;
    }
    return -1;
}

int SchedulePageIndex(const DocOptions& options, SchedulePage page) {
    return SchedulePageIndex(page, options.scheduleHosts, options.scheduleReaders);
}

CTabSchedule::CTabSchedule(CMvDoc& doc, SchedulePageSet pages, CommandRunner runCommand)
    : PropertySheet(doc.Strings().Get(1082)), m_doc(doc), m_runCommand(std::move(runCommand)),
      m_withHosts(doc.Settings().Options().scheduleHosts && pages.hosts),
      m_withReaders(doc.Settings().Options().scheduleReaders && pages.readers),
      m_pages(std::move(pages)) {
    m_doc.SetFirstShownWeek(m_doc.CurrentWeek());
    AddPage(*m_pages.summary);
    AddPage(*m_pages.homeTalks);
    AddPage(*m_pages.chairman);
    if (m_withHosts)
        AddPage(*m_pages.hosts);
    if (m_withReaders)
        AddPage(*m_pages.readers);
    AddPage(*m_pages.outgoing);
    AddPage(*m_pages.events);
}

int CTabSchedule::Run(ui::Host& host, int startPage) {
    SetStartPage(startPage);
    const int code = host.RunSheet(*this);
    // The summary page may have moved it; queries after the sheet count from today again.
    m_doc.SetFirstShownWeek(m_doc.CurrentWeek());
    return code;
}

int CTabSchedule::PageIndex(SchedulePage page) const {
    return SchedulePageIndex(page, m_withHosts, m_withReaders);
}

void CTabSchedule::OnInit() {
    const StringTable& strings = m_doc.Strings();
    Win().SetText(ui::kIdCancel, strings.Get(1260));
    AddButton(cmd::kSheetEdit, strings.Get(1004));
    RefuseClose({strings.Get(1294), ui::Buttons::Ok, ui::Icon::Information, false, ""});
}

void CTabSchedule::OnCommand(int id) {
    if (id == cmd::kSheetEdit)
        RunEditMenu();
}

void CTabSchedule::RunEditMenu() {
    const ui::Size size = Win().ClientSize();
    const ui::Menu menu = ui::PopupMenuOf(
        resources::CommandTable::Shell().Popup(cmd::menu::kSheetEdit), m_doc.Strings());
    const int chosen = Host().PopupMenu(Win(), {size.width / 40, size.height * 3 / 4}, menu);
    if (chosen == 0 || !m_runCommand)
        return;
    m_runCommand(chosen);
    // The lists may have lost a brother or a congregation the pages show.
    QuerySiblings(CSchedulePage::kSiblingsChanged, CSchedulePage::kSiblingsChanged);
}

void CTabSchedule::OnReset() {
    // Once, whatever pages were opened: an event added on any page and cancelled must not
    // reach the file with the next OK.
    m_doc.ReloadWeeks();
}

} // namespace mivra::schedule
