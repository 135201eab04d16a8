#include "app/ShellParts.h"

#include "app/CMainFrame.h"
#include "reports/CMvView.h"
#include "reports/CSelectWeeksDlg.h"
#include "reports/ScheduleReport.h"
#include "schedule/CTabSchedule.h"

namespace mivra::app {
namespace {

constexpr int kScheduleReport = 1;
constexpr int kScheduleCommand = 32866; // "&Schemaläggning"
constexpr int kPlanningButton = 122;    // "Pågående planering"

// The week range first; "Exportera" and Cancel show nothing.
std::unique_ptr<reports::Report> OpenSchedule(reports::ReportOpening& opening) {
    auto range =
        reports::CSelectWeeksDlg::Choose(opening.doc, reports::CSelectWeeksDlg::Mode::Schedule);
    if (!range)
        return nullptr;
    opening.params.startWeek = range->startWeek;
    opening.params.weekCount = range->weekCount;
    return std::make_unique<reports::ScheduleReport>(opening.doc, range->startWeek,
                                                     range->weekCount);
}

} // namespace

void PlugInParts(CMainFrame& frame, reports::CMvView& view) {
    frame.SetSheetRunner(&RunScheduleSheet);
    view.Kinds().Add(kScheduleCommand, kScheduleReport, OpenSchedule);
    view.Kinds().Add(kPlanningButton, kScheduleReport, OpenSchedule);
}

} // namespace mivra::app
