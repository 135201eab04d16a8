#pragma once

#include <functional>
#include <string>
#include <vector>

class QApplication;

namespace mivra::app {
class CMvApp;
}

namespace mivra::ui::qt {

class QtMainWindow;

/** Hooks of the developer tools and tests into a desktop run. */
struct DesktopHooks {
    std::function<void(app::CMvApp&)> started; ///< after start-up, before the window
    std::function<void(QtMainWindow&)> shown;  ///< once the main window is shown
};

/**
 * The desktop program: start-up on the data folder of the arguments (after Qt's own), the
 * main window, the event loop. Returns the program's exit code.
 */
int RunDesktop(QApplication& application, const std::vector<std::string>& args,
               const DesktopHooks& hooks = {});

} // namespace mivra::ui::qt
