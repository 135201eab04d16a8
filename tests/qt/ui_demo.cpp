// A developer tool: shows the platform layer in real Qt windows. The demo dialog's button
// "Tal i hemförsamlingen" opens the real scheduling sheet on a scratch data folder (or the
// folder of --data DIR), with the host and reader pages unless --without-hosts or
// --without-readers is given. With --screenshot DIR it walks through the dialog, a message
// box and the sheet by itself and saves a PNG of each step, so the look can be checked on
// a machine without a desktop (Xvfb).
#include "DemoDialogs.h"
#include "base/Clock.h"
#include "resources/StringTable.h"
#include "schedule/CTabSchedule.h"
#include "store/CMvDoc.h"
#include "ui/qt/QtHost.h"

#include <functional>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

namespace {

/** Steps that run one after another on a timer, each starting the next before it blocks. */
class Tour {
public:
    explicit Tour(QString folder) : m_folder(std::move(folder)) { QDir().mkpath(m_folder); }
    void Add(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    void Start() { Next(); }
    void Next() {
        if (m_next < m_steps.size())
            QTimer::singleShot(500, [this, i = m_next] { m_steps[i](); });
        ++m_next;
    }
    void Shoot(const QString& name, QWidget* widget) {
        QPixmap shot;
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            shot = QGuiApplication::primaryScreen()->grabWindow(0);
        if (shot.isNull() && widget)
            shot = widget->grab();
        shot.save(m_folder + '/' + name + ".png");
    }

private:
    QString m_folder;
    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
};

QWidget* Modal() {
    return QApplication::activeModalWidget();
}

void Click(QWidget* window, const QString& name) {
    if (auto* b = window ? window->findChild<QAbstractButton*>(name) : nullptr)
        b->click();
}

void ClickText(QWidget* window, const QString& text) {
    for (auto* b : window->findChildren<QAbstractButton*>())
        if (b->text() == text) {
            b->click();
            return;
        }
}

void PlanTour(Tour& tour) {
    tour.Add([&tour] {
        tour.Shoot("1-demo-dialog", Modal());
        tour.Next();
        Click(Modal(), "c3");
    });
    tour.Add([&tour] {
        tour.Shoot("2-question", Modal());
        tour.Next();
        ClickText(Modal(), "&Nej");
    });
    tour.Add([&tour] {
        tour.Next();
        Click(Modal(), "c115");
    });
    tour.Add([&tour] {
        tour.Shoot("3-sheet-home-talks", Modal());
        tour.Next();
        Modal()->findChild<QTabWidget*>()->setCurrentIndex(0);
    });
    tour.Add([&tour] {
        tour.Shoot("4-sheet-summary", Modal());
        tour.Next();
        Click(Modal(), "c111");
    });
    tour.Add([&tour] {
        QWidget* menu = QApplication::activePopupWidget();
        tour.Shoot("5-sheet-menu", menu ? menu : Modal());
        tour.Next();
        if (menu)
            menu->close();
    });
    tour.Add([&tour] {
        tour.Next();
        Modal()->close();
    });
    tour.Add([&tour] {
        tour.Shoot("6-close-refused", Modal());
        tour.Next();
        ClickText(Modal(), "OK");
    });
    tour.Add([] {
        Click(Modal(), "c1");                                  // the sheet's OK
        QTimer::singleShot(300, [] { Click(Modal(), "c1"); }); // then the dialog's
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const mivra::StringTable& strings = mivra::StringTable::Swedish();
    mivra::ui::qt::QtHost host(strings);
    host.AddTemplate(mivra::demo::kDemoTemplate, mivra::demo::DemoTemplate());

    QStringList args = app.arguments();
    QTemporaryDir scratch;
    qsizetype data = args.indexOf(QStringLiteral("--data"));
    std::string folder =
        (data >= 0 && data + 1 < args.size() ? args[data + 1] : scratch.path()).toStdString();
    mivra::SystemClock clock;
    mivra::CMvDoc doc(strings, host, clock, folder);
    if (!doc.LoadStore())
        return 1;
    doc.MutableOptions().scheduleHosts = !args.contains(QStringLiteral("--without-hosts"));
    doc.MutableOptions().scheduleReaders = !args.contains(QStringLiteral("--without-readers"));

    qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    Tour tour(at >= 0 && at + 1 < args.size() ? args[at + 1] : QStringLiteral("."));
    if (at >= 0) {
        PlanTour(tour);
        tour.Start();
    }
    // The main frame would run the chosen list; the tool only says which it was.
    auto runCommand = [&host](int id) {
        host.ShowMessage({"Kommando " + std::to_string(id), mivra::ui::Buttons::Ok,
                          mivra::ui::Icon::Information, false, ""});
    };
    mivra::demo::DemoDlg dialog(strings, [&] {
        mivra::RunScheduleSheet(
            doc, host, mivra::SchedulePageIndex(doc.Options(), mivra::SchedulePage::HomeTalks),
            runCommand);
    });
    return host.RunDialog(dialog) == mivra::ui::kIdOk ? 0 : 1;
}
