// mivra: the desktop program.
#include "ui/qt/DesktopApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv); // takes Qt's own options out of argv
    QApplication::setApplicationName(QStringLiteral("mivra"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.mivra.Mivra"));
    std::vector<std::string> args(argv + 1, argv + argc);
    return mivra::ui::qt::RunDesktop(application, args);
}
