#include "app/ShellParts.h"

#include "app/CHomeCongregationDlg.h"
#include "app/CMainFrame.h"
#include "app/CSettingsDlg.h"
#include "app/ReportOpeners.h"
#include "exchange/CBackupDlg.h"
#include "exchange/CImportDlg.h"
#include "exchange/CSpeakerImportDlg.h"
#include "exchange/Calendar.h"
#include "exchange/PackageExport.h"
#include "exchange/TsvExport.h"
#include "reports/CMvView.h"
#include "reports/NeedsReport.h"
#include "reports/ScheduleReport.h"
#include "resources/CommandIds.h"
#include "rotations/CChair.h"
#include "rotations/CHistoryEditDlg.h"
#include "rotations/CHosp.h"
#include "rotations/CNeedsListDlg.h"
#include "rotations/CReader.h"
#include "rotations/CSpeakerHistoryDlg.h"
#include "rotations/CTabPage.h"
#include "rotations/CTalkEditDlg.h"
#include "rotations/CTalkHistoryDlg.h"
#include "schedule/CCovisit.h"
#include "schedule/CSched.h"
#include "schedule/CTDlg.h"
#include "store/CAvailabilityDlg.h"
#include "store/CBrotherListDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CMvDoc.h"
#include "store/CNameListDlg.h"
#include "store/CSelectCongDlg.h"
#include "store/CTalkListDlg.h"
#include "store/DataFiles.h"
#include "store/Profile.h"
#include "ui/Host.h"

namespace mivra::app {
namespace {

constexpr int kScheduleKind = 1;

// The week range first; "Exportera" and Cancel show nothing.
std::unique_ptr<reports::Report> OpenSchedule(reports::ReportOpening& opening) {
    auto range = ChooseScheduleWeeks(opening.doc, opening.host);
    if (!range)
        return nullptr;
    opening.params.startWeek = range->startWeek;
    opening.params.weekCount = range->weekCount;
    return std::make_unique<reports::ScheduleReport>(opening.doc, range->startWeek,
                                                     range->weekCount);
}

// A restore replaced the profile too: the fonts come from it, and the view starts over.
void RunBackupDialog(CMainFrame& frame, reports::CMvView& view, exchange::CBackupDlg::Mode mode) {
    exchange::CBackupDlg dialog(frame.Doc(), mode);
    frame.Host().RunDialog(dialog);
    if (!dialog.Restored())
        return;
    CMvDoc& doc = frame.Doc();
    view.LoadFonts(Profile::Load(doc.DataFilePath(file::kProfile), doc.CodePage()));
    view.ShowStartPanel();
    frame.ViewChanged();
}

// Changed options change what the reports show and which commands are offered.
void RunSettingsDialog(CMainFrame& frame, reports::CMvView& view) {
    CSettingsDlg dialog(frame.Doc());
    frame.Host().RunDialog(dialog);
    if (!dialog.Changed())
        return;
    view.Relayout();
    frame.ViewChanged();
}

// A changed brother list changes the home list, and with it what a report shows.
void RunBrotherList(CMvDoc& doc, ui::Host& host, reports::CMvView& view) {
    doc.SetModified(false);
    CBrotherListDlg::Choose(doc, host, {});
    doc.Availability().SaveAvailability();
    if (!doc.Modified())
        return;
    doc.BuildOurBrotherList();
    view.Relayout();
}

// Talk titles and numbers show in the reports.
void RunTalkList(CMvDoc& doc, ui::Host& host, reports::CMvView& view) {
    doc.SetModified(false);
    CTalkListDlg::EditTalks(doc, host, &rotations::CTalkEditDlg::Edit);
    if (doc.Modified())
        view.Relayout();
}

// "Bygg Exportera Paket": the congregation first, the home one offered.
void ExportChosenPackage(CMvDoc& doc, ui::Host& host) {
    if (auto chosen = CSelectCongDlg::Choose(doc, host, CSelectCongDlg::Mode::Export))
        exchange::ExportPackage(doc, host, chosen->congregationKey);
}

// An import changes brothers, congregations and weeks that a report may show.
void RelayoutAfterImport(CMainFrame& frame, reports::CMvView& view, bool imported) {
    if (!imported)
        return;
    view.Relayout();
    frame.ViewChanged();
}

// The list remembers its row between openings, as long as the program runs.
void RunCongregationList(CMvDoc& doc, ui::Host& host, reports::CMvView& view, int& remembered) {
    doc.SetModified(false);
    CCongregationListDlg dialog(doc, false, remembered);
    host.RunDialog(dialog);
    remembered = dialog.Selection();
    if (doc.Modified())
        view.Relayout();
}

// A new home congregation changes the meeting days and what the reports show.
void RunHomeCongregation(CMvDoc& doc, ui::Host& host, reports::CMvView& view) {
    doc.SetModified(false);
    CHomeCongregationDlg dialog(doc);
    host.RunDialog(dialog);
    if (doc.Modified())
        view.Relayout();
}

} // namespace

void PlugInParts(CMainFrame& frame, reports::CMvView& view) {
    frame.SetSheetRunner(&RunScheduleSheet);
    const auto brothers = [&frame, &view] { RunBrotherList(frame.Doc(), frame.Host(), view); };
    frame.Bind(cmd::kBrothers, brothers);
    frame.Bind(cmd::kPanelBrothers, brothers);
    frame.Bind(cmd::kAvailability,
               [&frame] { CAvailabilityDlg::MarkWeeks(frame.Doc(), frame.Host()); });
    view.Kinds().Add(cmd::kScheduleReport, kScheduleKind, OpenSchedule);
    view.Kinds().Add(cmd::kPanelPlanning, kScheduleKind, OpenSchedule);
    AddListReports(view);
    frame.Bind(cmd::kBackup, [&frame, &view] {
        RunBackupDialog(frame, view, exchange::CBackupDlg::Mode::Backup);
    });
    frame.Bind(cmd::kRestore, [&frame, &view] {
        RunBackupDialog(frame, view, exchange::CBackupDlg::Mode::Restore);
    });
    frame.Bind(cmd::kSettings, [&frame, &view] { RunSettingsDialog(frame, view); });
    frame.Bind(cmd::kTalks, [&frame, &view] { RunTalkList(frame.Doc(), frame.Host(), view); });
    frame.Bind(cmd::kExportPackage, [&frame] { ExportChosenPackage(frame.Doc(), frame.Host()); });
    frame.Bind(cmd::kImportPackage, [&frame, &view] {
        RelayoutAfterImport(frame, view, exchange::ImportPackage(frame.Doc(), frame.Host()));
    });
    frame.Bind(cmd::kImportSpeakers, [&frame, &view] {
        RelayoutAfterImport(frame, view, exchange::ImportSpeakers(frame.Doc(), frame.Host()));
    });
    frame.Bind(cmd::kExportCalendar,
               [&frame] { exchange::ExportChosenCalendar(frame.Doc(), frame.Host()); });
    frame.Bind(cmd::kCongregations, [&frame, &view, remembered = 0]() mutable {
        RunCongregationList(frame.Doc(), frame.Host(), view, remembered);
    });
    frame.Bind(cmd::kOurCongregation,
               [&frame, &view] { RunHomeCongregation(frame.Doc(), frame.Host(), view); });
    frame.Bind(cmd::kTalkHistory, [&frame] {
        rotations::CTalkHistoryDlg::Show(frame.Doc(), frame.Host(),
                                         rotations::CTalkHistoryDlg::Mode::Home);
    });
    frame.Bind(cmd::kOutgoingHistory, [&frame] {
        rotations::CTalkHistoryDlg::Show(frame.Doc(), frame.Host(),
                                         rotations::CTalkHistoryDlg::Mode::Outgoing);
    });
    frame.Bind(cmd::kSpeakerHistory,
               [&frame] { rotations::CSpeakerHistoryDlg::Show(frame.Doc(), frame.Host()); });
    const auto editHistory = [&frame] {
        rotations::CHistoryEditDlg::Edit(frame.Doc(), frame.Host());
    };
    frame.Bind(cmd::kHistory, editHistory);
    frame.Bind(cmd::kPanelEditHistory, editHistory);
    frame.Bind(cmd::kNeedsList, [&frame, &view] {
        rotations::CNeedsListDlg::Edit(
            frame.Doc(), frame.Host(), [&](const NeedsList& needs, const std::string& caption) {
                reports::PrintNeedsList(frame.Doc(), frame.Host(), view.Printing(), view.Fonts(),
                                        needs, caption);
            });
    });
    frame.Bind(cmd::kCircuits, [&frame, &view] {
        if (CNameListDlg::Edit(frame.Doc(), frame.Host(), CNameListDlg::Kind::Circuits))
            view.Relayout();
    });
}

schedule::SchedulePageSet MakeSchedulePages(CMvDoc& doc) {
    schedule::SchedulePageSet pages;
    pages.summary = std::make_unique<schedule::CTDlg>(doc);
    pages.homeTalks = std::make_unique<rotations::CTabPage>(doc);
    pages.chairman = std::make_unique<rotations::CChair>(doc);
    pages.hosts = std::make_unique<rotations::CHosp>(doc);
    pages.readers = std::make_unique<rotations::CReader>(doc);
    pages.outgoing =
        std::make_unique<schedule::CSched>(doc, [](CMvDoc& d, ui::Host& h, int brother) {
            rotations::CSpeakerHistoryDlg::Show(d, h, brother);
        });
    pages.events = std::make_unique<schedule::CCovisit>(doc);
    return pages;
}

int RunScheduleSheet(CMvDoc& doc, ui::Host& host, int startPage,
                     schedule::CTabSchedule::CommandRunner runCommand) {
    schedule::CTabSchedule sheet(doc, MakeSchedulePages(doc), std::move(runCommand));
    return sheet.Run(host, startPage);
}

std::optional<reports::CSelectWeeksDlg::Range> ChooseScheduleWeeks(CMvDoc& doc, ui::Host& host) {
    auto range =
        reports::CSelectWeeksDlg::Choose(doc, host, reports::CSelectWeeksDlg::Mode::Schedule);
    if (range && range->exportAsked) {
        exchange::ExportSchedule(doc, host, range->startWeek, range->weekCount);
        return std::nullopt;
    }
    return range;
}

} // namespace mivra::app
