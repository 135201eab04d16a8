#include "app/ShellParts.h"

#include "app/CMainFrame.h"
#include "reports/CMvView.h"

namespace mivra::app {

void PlugInParts(CMainFrame& frame, reports::CMvView& view) {
    // The scheduling sheet:   frame.SetSheetRunner(RunScheduleSheet);
    // A report kind:          view.Kinds().Add(commandOrButtonId, kind, opener);
    (void)frame;
    (void)view;
}

} // namespace mivra::app
