#pragma once

#include "reports/CSelectWeeksDlg.h"
#include "schedule/CTabSchedule.h"

#include <optional>

namespace mivra {
namespace reports {
class CMvView;
}
namespace app {
class CMainFrame;

/**
 * Plugs the built parts into the shell: the scheduling sheet into the frame, each report
 * routine into the view's kinds. What is not plugged in stays visible and disabled.
 */
void PlugInParts(CMainFrame& frame, reports::CMvView& view);

/** Every page of the scheduling sheet, as the sheet receives them. */
schedule::SchedulePageSet MakeSchedulePages(CMvDoc& doc);

/**
 * Opens the scheduling sheet on a page (see SchedulePageIndex; an absent page, −1, opens the
 * summary) and returns ui::kIdOk or ui::kIdCancel. runCommand receives the command chosen
 * from the "Redigera" menu while the sheet is open; the main frame runs it.
 */
int RunScheduleSheet(CMvDoc& doc, ui::Host& host, int startPage,
                     schedule::CTabSchedule::CommandRunner runCommand);

/**
 * The week range of the printed schedule. "Exportera" writes the tab-separated export of the
 * range and answers nothing, as Cancel does: no report is to be shown.
 */
std::optional<reports::CSelectWeeksDlg::Range> ChooseScheduleWeeks(CMvDoc& doc, ui::Host& host);

} // namespace app
} // namespace mivra
