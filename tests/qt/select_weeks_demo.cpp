// A developer tool: opens the week-range chooser on a data folder in a real Qt window. With
// --screenshot FILE it photographs the dialog by itself and cancels it (run under Xvfb).
#include "base/Clock.h"
#include "dates/Dates.h"
#include "reports/CSelectWeeksDlg.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/qt/QtHost.h"

#include <iostream>

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto value = [&](const char* name) {
        qsizetype at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args[at + 1] : QString();
    };
    const QString data = value("--data"), shot = value("--screenshot"), mode = value("--mode");
    if (data.isEmpty()) {
        std::cerr << "usage: mivra_select_weeks_demo --data DIR [--today YYYY-MM-DD] "
                     "[--mode schedule|short|worksheet] [--screenshot FILE]\n";
        return 2;
    }
    const mivra::StringTable& strings = mivra::StringTable::Swedish();
    mivra::ui::qt::QtHost host(strings);
    mivra::SystemClock systemClock;
    std::optional<mivra::CivilDate> today =
        mivra::dates::ParseIsoDate(value("--today").toStdString());
    mivra::FixedClock fixedClock(today.value_or(mivra::CivilDate{}));
    const mivra::Clock& clock = today ? static_cast<const mivra::Clock&>(fixedClock) : systemClock;
    mivra::CMvDoc doc(strings, host, clock, data.toStdString());
    if (!doc.LoadStore())
        return 1;
    using Mode = mivra::reports::CSelectWeeksDlg::Mode;
    const Mode chosen = mode == QLatin1String("short")       ? Mode::Short
                        : mode == QLatin1String("worksheet") ? Mode::Worksheet
                                                             : Mode::Schedule;
    if (!shot.isEmpty()) {
        QTimer::singleShot(700, [shot] {
            QWidget* dialog = QApplication::activeModalWidget();
            QPixmap picture;
            if (QGuiApplication::platformName() == QLatin1String("xcb"))
                picture = QGuiApplication::primaryScreen()->grabWindow(0);
            if (picture.isNull() && dialog)
                picture = dialog->grab();
            picture.save(shot);
            if (dialog) {
                std::cout << "title: " << dialog->windowTitle().toStdString() << '\n';
                dialog->close();
            }
        });
    }
    mivra::reports::CSelectWeeksDlg dialog(doc, chosen);
    const int code = host.RunDialog(dialog);
    std::cout << "end code " << code << ", start week " << dialog.StartWeek() << ", weeks "
              << dialog.WeekCount() << '\n';
    return 0;
}
