// mivra: the desktop program.
#include "app/CMvApp.h"
#include "ui/qt/DesktopApp.h"

#include <iostream>

#include <QApplication>

namespace {

// Qt's own options ("-platform", "-style" …) take one dash; ours take two.
bool HasQtOptions(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (arg.size() > 1 && arg[0] == '-' && arg[1] != '-')
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // --help, --version and a wrong option are answered before Qt needs a display.
    if (!HasQtOptions(args)) {
        auto options = mivra::app::ReadStartOptions(args, std::cout, std::cerr);
        if (const int* exitCode = std::get_if<int>(&options))
            return *exitCode;
    }
    QApplication application(argc, argv); // takes Qt's own options out of argv
    QApplication::setApplicationName(QStringLiteral("mivra"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.mivra.Mivra"));
    args.assign(argv + 1, argv + argc);
    return mivra::ui::qt::RunDesktop(application, args);
}
