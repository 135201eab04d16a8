#pragma once

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

} // namespace app
} // namespace mivra
