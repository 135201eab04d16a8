#include "ui/qt/DesktopApp.h"

#include "app/CMainFrame.h"
#include "app/CMvApp.h"
#include "reports/CMvView.h"
#include "resources/StringTable.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtMainWindow.h"
#include "ui/qt/QtPrinting.h"
#include "ui/qt/QtTranslation.h"

#include <iostream>

#include <QApplication>
#include <QLocale>

namespace mivra::ui::qt {
namespace {

/** Qt's own dialogs (print, preview, page set-up, file, font) in Swedish. */
void LoadQtTranslation(QApplication& application) {
    if (!InstallQtTranslations(application))
        std::cerr << "mivra: Qt's dialogs have no Swedish texts\n";
}

} // namespace

int RunDesktop(QApplication& application, const std::vector<std::string>& args,
               const DesktopHooks& hooks) {
    std::variant<app::StartArgs, int> options = app::ReadStartOptions(args, std::cout, std::cerr);
    if (const int* exitCode = std::get_if<int>(&options))
        return *exitCode;
    const app::StartArgs& startArgs = std::get<app::StartArgs>(options);
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    LoadQtTranslation(application);
    const StringTable& strings = StringTable::Swedish();
    QtHost host(strings);
    QtPrinting printing;
    app::CMvApp mivra(strings, host, printing);
    if (mivra.Start(startArgs, QCoreApplication::applicationDirPath().toStdString()) !=
        app::kStarted) {
        std::cerr << "mivra: " << mivra.Failure() << '\n';
        return app::kStartFailed;
    }
    if (hooks.started)
        hooks.started(mivra);
    app::CMainFrame& frame = mivra.Frame();
    QtMainWindow window(frame, frame.Layout(), frame.Panel(), mivra.View(), host);
    host.SetMainWindow(&window);
    printing.SetParent(&window);
    mivra.View().SetScreenDpi(window.logicalDpiX(), window.logicalDpiY());
    frame.SetWindow(&window);
    window.show();
    if (hooks.shown)
        hooks.shown(window);
    const int code = application.exec();
    frame.SetWindow(nullptr);
    frame.Panel().Close();
    host.SetMainWindow(nullptr);
    return code;
}

} // namespace mivra::ui::qt
