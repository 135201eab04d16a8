// A developer tool: shows the platform layer in real Qt windows. The demo dialog's button
// "Tal i hemförsamlingen" opens the real scheduling sheet on a scratch data folder (or the
// folder of --data DIR), with the host and reader pages unless --without-hosts or
// --without-readers is given. With --screenshot DIR it walks through the dialog, a message
// box and the sheet by itself and saves a PNG of each step, so the look can be checked on
// a machine without a desktop (Xvfb). With --shell DATA it runs the main window on a data
// folder instead and photographs the start panel, a menu, the About box, the report, its
// print preview, the page set-up and the print dialog.
#include "DemoDialogs.h"
#include "app/CMainFrame.h"
#include "app/CMvApp.h"
#include "app/ShellParts.h"
#include "base/Clock.h"
#include "exchange/PackageExport.h"
#include "reports/CMvView.h"
#include "reports/ScheduleReport.h"
#include "resources/StringTable.h"
#include "store/CContactDlg.h"
#include "store/CMvDoc.h"
#include "store/CNameListDlg.h"
#include "ui/qt/DesktopApp.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtMainWindow.h"
#include "ui/qt/TabStopDelegate.h"

#include <functional>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
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
    const QString& Folder() const { return m_folder; }
    void Next() {
        if (m_next < m_steps.size())
            QTimer::singleShot(500, [this, i = m_next] { m_steps[i](); });
        ++m_next;
    }
    /** A step that photographs the modal window (unless shot is empty), then acts. */
    void Step(const char* shot, std::function<void()> act) {
        Add([this, shot, act = std::move(act)] {
            if (shot[0] != '\0')
                Shoot(QString::fromUtf8(shot), QApplication::activeModalWidget());
            Next();
            act();
        });
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

void Trigger(mivra::ui::qt::QtMainWindow& window, int id) {
    if (QAction* action = window.Action(id))
        action->trigger();
}

/** Types into an edit of the modal dialog key by key, as a user would. */
void Type(const QString& name, const QString& text) {
    auto* edit = Modal() ? Modal()->findChild<QLineEdit*>(name) : nullptr;
    if (!edit)
        return;
    edit->setFocus();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

void SelectRows(const QString& name, std::initializer_list<int> rows) {
    if (auto* list = Modal() ? Modal()->findChild<QListWidget*>(name) : nullptr)
        for (int row : rows)
            if (row < list->count())
                list->item(row)->setSelected(!list->item(row)->isSelected());
}

// The frame of the shell tour, for the dialogs no command opens yet.
mivra::app::CMainFrame* g_frame = nullptr;

// The contact card of the first brother: his address copied, and what a paste would get.
void PlanContactCard(Tour& tour, const QString& folder) {
    tour.Add([&tour] {
        tour.Next();
        const mivra::CMvDoc& doc = g_frame->Doc();
        if (doc.Brothers().BrotherCount() == 0)
            return;
        mivra::CContactDlg card(doc, doc.Brothers().Brother(0)->brotherKey);
        g_frame->Host().RunDialog(card);
    });
    tour.Add([&tour] {
        if (auto* email =
                Modal() ? Modal()->findChild<QLineEdit*>(QStringLiteral("c120")) : nullptr)
            email->setFocus();
        tour.Next();
    });
    tour.Add([&tour, folder] {
        tour.Shoot("shell-10-contact-card", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c286"));
        Click(Modal(), QStringLiteral("c2"));
        QFile pasted(folder + QStringLiteral("/shell-10-clipboard.txt"));
        if (pasted.open(QIODevice::WriteOnly))
            pasted.write(QApplication::clipboard()->text().toUtf8());
    });
}

// The brothers: the list, the form stepped on, weeks marked, a brother added, the command.
void PlanBrothersTour(Tour& tour, mivra::ui::qt::QtMainWindow& window) {
    tour.Add([&tour, &window] {
        tour.Next();
        Trigger(window, 32768);
    });
    tour.Add([&tour] {
        tour.Shoot("shell-8-brothers", Modal());
        tour.Next();
        if (auto* list = Modal()->findChild<QListWidget*>(QStringLiteral("c1310")))
            list->setCurrentRow(2);
        Click(Modal(), QStringLiteral("c1"));
    });
    tour.Add([&tour] {
        tour.Shoot("shell-8-brother-form", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c4"));
    });
    tour.Add([&tour] {
        tour.Shoot("shell-8-brother-next", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c7"));
    });
    tour.Add([&tour] {
        SelectRows(QStringLiteral("c1066"), {1, 2, 5});
        tour.Shoot("shell-8-availability", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c1"));
    });
    tour.Add([&tour] {
        tour.Shoot("shell-8-form-after-weeks", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c2"));
    });
    tour.Add([&tour] {
        tour.Next();
        Click(Modal(), QStringLiteral("c224"));
    });
    tour.Add([&tour] {
        Type(QStringLiteral("c226"), QStringLiteral("nils"));
        Type(QStringLiteral("c225"), QStringLiteral("nyberg"));
        Type(QStringLiteral("c119"), QStringLiteral("nils@example.org"));
        tour.Shoot("shell-8-add-form", Modal());
        tour.Next();
        if (auto* ok = Modal()->findChild<QAbstractButton*>(QStringLiteral("c234"))) {
            ok->setFocus();
            ok->click();
        }
    });
    tour.Add([&tour] {
        tour.Shoot("shell-8-brothers-after-add", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c2"));
    });
    tour.Add([&tour, &window] {
        tour.Next();
        Trigger(window, 32865);
    });
    tour.Add([&tour] {
        tour.Shoot("shell-9-availability-pick", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c2"));
    });
}

// A small street map, as a coordinator would scan or draw one, saved as JPEG in the data folder.
void WriteDemoMap(const QString& data) {
    QImage map(480, 320, QImage::Format_RGB32);
    map.fill(QColor(236, 232, 220));
    QPainter p(&map);
    p.setPen(QPen(Qt::white, 14));
    p.drawLine(0, 170, 480, 150);
    p.drawLine(300, 0, 260, 320);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(QColor(170, 60, 50));
    p.drawRect(310, 180, 70, 50);
    p.drawText(300, 250, QStringLiteral("Rikets sal"));
    p.drawText(20, 140, QStringLiteral("Industrivägen"));
    p.end();
    map.save(data + QStringLiteral("/karta-ekbacka.jpg"), "JPG");
}

// Congregations, circuits, hosts and topics: the lists, the form with a map picked, a
// congregation added, the circuit picker, the home congregation panel.
void PlanCongregationsTour(Tour& tour, mivra::ui::qt::QtMainWindow& window, const QString& data) {
    auto step = [&tour](const char* shot, std::function<void()> act) {
        tour.Step(shot, std::move(act));
    };
    auto click = [](const char* name) {
        return [name] { Click(Modal(), QString::fromUtf8(name)); };
    };
    step("", [&window] { Trigger(window, 32844); });
    step("shell-11-congregations", [] {
        if (auto* list = Modal()->findChild<QListWidget*>(QStringLiteral("c1310")))
            list->setCurrentRow(1);
        Click(Modal(), QStringLiteral("c1"));
    });
    step("shell-11-congregation-form", click("c4"));
    step("shell-11-circuit-picker", click("c2"));
    step("", [data] {
        WriteDemoMap(data);
        Click(Modal(), QStringLiteral("c6"));
    });
    step("shell-11-map-none", click("c3"));
    step("shell-11-map-file", [] {
        if (auto* edit = Modal()->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(QStringLiteral("karta-ekbacka.jpg"));
        if (auto* chooser = qobject_cast<QDialog*>(Modal()))
            chooser->accept();
    });
    step("shell-11-map", click("c1"));
    step("", click("c1"));
    step("", click("c3"));
    step("", [] { Type(QStringLiteral("c1018"), QStringLiteral("Nyby")); });
    step("shell-11-add-form", click("c1"));
    step("shell-11-congregations-after-add", click("c2"));
    step("", [&window] { Trigger(window, 32845); });
    step("", [] {
        if (auto* list = Modal()->findChild<QListWidget*>(QStringLiteral("c1310")))
            list->setCurrentRow(0);
    });
    step("shell-11-circuits-editing", click("c2"));
    step("", [] {
        mivra::CNameListDlg hosts(g_frame->Doc(), mivra::CNameListDlg::Kind::Hosts, true);
        g_frame->Host().RunDialog(hosts);
    });
    step("shell-11-host-picker", click("c2"));
    step("", [] {
        mivra::CTopicListDlg topics(g_frame->Doc());
        g_frame->Host().RunDialog(topics);
    });
    step("shell-11-topics", click("c2"));
    step("", [&window] { Trigger(window, 32848); });
    step("shell-12-home-congregation", click("c6"));
    step("shell-12-home-form", click("c2"));
    step("", click("c5"));
    step("shell-12-home-picker", click("c2"));
    step("", click("c1"));
}

// The rotation pages: eight weeks filled, three cleared, a swap, choices by hand, two hosts.
void PlanRotationsTour(Tour& tour, mivra::ui::qt::QtMainWindow& window) {
    auto step = [&tour](const char* shot, std::function<void()> act) {
        tour.Step(shot, std::move(act));
    };
    auto page = [] { return Modal()->findChild<QTabWidget*>()->currentWidget(); };
    auto row = [page](int r) {
        return [page, r] {
            page()->findChild<QListWidget*>(QStringLiteral("c1039"))->setCurrentRow(r);
        };
    };
    auto press = [page](const char* name) {
        return [page, name] { Click(page(), QString::fromUtf8(name)); };
    };
    auto then = [](std::function<void()> a, std::function<void()> b) {
        return [a = std::move(a), b = std::move(b)] {
            a();
            b();
        };
    };
    auto tab = [](int index) {
        return [index] { Modal()->findChild<QTabWidget*>()->setCurrentIndex(index); };
    };
    auto addHost = [](const char* name) {
        return [name] {
            Click(Modal(), QStringLiteral("c1312"));
            Type(QStringLiteral("c1311"), QString::fromUtf8(name));
            Click(Modal(), QStringLiteral("c1"));
        };
    };
    step("", [&window] { Trigger(window, 32854); });
    step("rot-01-chairman", row(19));
    step("rot-02-fill-caption", press("c1100"));
    step("rot-03-filled", row(17));
    step("rot-04-clear-caption", press("c1100"));
    step("rot-05-cleared", then(row(0), press("c1165")));
    step("rot-06-swap-pending", row(3));
    step("rot-07-swapped", then(row(17), press("c1099")));
    step("rot-08-role-list", [] { Click(Modal(), QStringLiteral("c1021")); });
    step("rot-09-role-list-edit", [] {
        Click(Modal(), QStringLiteral("c1021"));
        Modal()->findChild<QListWidget*>(QStringLiteral("c188"))->setCurrentRow(1);
        Click(Modal(), QStringLiteral("c1"));
    });
    step("rot-10-chosen", tab(4));
    step("rot-11-reader", then(row(14), press("c1099")));
    step("rot-12-reader-role-list", [] {
        Modal()->findChild<QListWidget*>(QStringLiteral("c188"))->setCurrentRow(0);
        Click(Modal(), QStringLiteral("c1"));
    });
    step("rot-13-reader-chosen", then(tab(3), then(row(12), press("c1099"))));
    step("rot-14-host-picker", addHost("~Familjen Berg"));
    step("", addHost("Familjen Dahl"));
    step("rot-15-hosts-added", [] { Click(Modal(), QStringLiteral("c2")); });
    step("rot-16-hosts", then(row(19), press("c1100")));
    step("rot-17-hosts-filled", [] { Click(Modal(), QStringLiteral("c1")); });
}

// The outgoing speakers page: three sent out one week, one removed, one swapped to a later
// week, a talk and a destination chosen.
void PlanOutgoingTour(Tour& tour, mivra::ui::qt::QtMainWindow& window) {
    auto step = [&tour](const char* shot, std::function<void()> act) {
        tour.Step(shot, std::move(act));
    };
    auto page = [] { return Modal()->findChild<QTabWidget*>()->currentWidget(); };
    auto pick = [](const char* list, int r) {
        return [list, r] {
            Modal()->findChild<QListWidget*>(QString::fromUtf8(list))->setCurrentRow(r);
        };
    };
    auto onPage = [page](const char* list, int r, const char* button) {
        return [page, list, r, button] {
            if (r >= 0)
                page()->findChild<QListWidget*>(QString::fromUtf8(list))->setCurrentRow(r);
            if (button)
                Click(page(), QString::fromUtf8(button));
        };
    };
    auto choose = [pick](const char* list, int r) {
        return [pick, list, r] {
            pick(list, r)();
            Click(Modal(), QStringLiteral("c1"));
        };
    };
    step("", [&window] { Trigger(window, 32857); });
    step("out-01-page", onPage("c1075", 2, "c1045"));
    step("out-02-brother-list", choose("c1310", 0));
    step("", onPage("c1075", -1, "c1045"));
    step("", choose("c1310", 1));
    step("", onPage("c1075", -1, "c1045"));
    step("", choose("c1310", 2));
    step("out-03-three", onPage("c1028", 1, "c1047"));
    step("out-04-removed", onPage("c1028", 1, "c1110"));
    step("out-05-swap-pending", onPage("c1075", 8, nullptr));
    step("out-06-swap-label", onPage("c1075", -1, "c1111"));
    step("out-07-swapped", onPage("c1075", 2, "c1043"));
    step("out-08-talk-picker", choose("c165", 0));
    step("out-09-talk-set", onPage("c1075", -1, "c1044"));
    step("out-10-congregation-picker", choose("c1310", 1));
    step("out-11-destination", [] { Click(Modal(), QStringLiteral("c1")); });
}

// The summary and the events page: ten weeks on, the O-V-H view, a click on a week, and a
// circuit overseer visit added to a booked week (the strike question answered OK).
void PlanSummaryTour(Tour& tour, mivra::ui::qt::QtMainWindow& window) {
    auto step = [&tour](const char* shot, std::function<void()> act) {
        tour.Step(shot, std::move(act));
    };
    auto page = [] { return Modal()->findChild<QTabWidget*>()->currentWidget(); };
    auto clickGrid = [page](double fx, int row) {
        return [page, fx, row] {
            auto* grid = page()->findChild<QWidget*>(QStringLiteral("c1055"));
            const int h = grid->height();
            const QPointF at(fx * grid->width(), h / 28 + (row + 1.5) * ((h - h / 28) / 21));
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent click(type, at, grid->mapToGlobal(at), Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                  Qt::NoModifier);
                QApplication::sendEvent(grid, &click);
            }
        };
    };
    auto spin = [page](int steps) {
        return
            [page, steps] { page()->findChild<QSpinBox*>(QStringLiteral("c1056"))->stepBy(steps); };
    };
    step("", [&window] { Trigger(window, 32874); });
    step("sum-01-summary", spin(1));
    step("sum-02-ten-on", spin(-1));
    step("sum-03-back", [page] { Click(page(), QStringLiteral("c1058")); });
    step("sum-04-ovh", [page] { Click(page(), QStringLiteral("c1058")); });
    step("sum-05-home-view", clickGrid(12.5 / 22, 5));
    step("sum-06-chairman-row-5", [] {
        auto* tabs = Modal()->findChild<QTabWidget*>();
        tabs->setCurrentIndex(tabs->count() - 1);
    });
    step("ev-01-events", [page] { Click(page(), QStringLiteral("c4")); });
    step("ev-02-new-event", [] {
        Click(Modal(), QStringLiteral("c1113"));
        Modal()->findChild<QComboBox*>(QStringLiteral("c1037"))->setCurrentIndex(2);
    });
    step("ev-03-visit", [] { Click(Modal(), QStringLiteral("c1")); });
    step("ev-04-question", [] { ClickText(Modal(), QStringLiteral("OK")); });
    step("ev-05-events-after", [] {
        auto* tabs = Modal()->findChild<QTabWidget*>();
        tabs->setCurrentIndex(0);
    });
    step("ev-06-summary-after", [] { Click(Modal(), QStringLiteral("c1")); });
}

// A package of a visiting congregation as another coordinator might send it back: one speaker
// gone (detached), one with new talks, a new one, one of another congregation (moved) and a
// record without a last name; exported, then previewed before import.
void WriteChangedPackage(const QString& data) {
    mivra::CMvDoc& doc = g_frame->Doc();
    const auto& congregations = doc.Congregations().Items();
    const uint16_t home = doc.Congregations().OurCongregationKey();
    const auto& first = congregations[congregations[0].congregationKey == home ? 1 : 0];
    std::optional<mivra::exchange::Package> package =
        mivra::exchange::BuildPackage(doc, first.congregationKey);
    if (!package || package->brothers.size() < 2)
        return;
    package->brothers.pop_back();
    package->brothers[0].talks.Set(99);
    mivra::exchange::PackageBrother fresh;
    fresh.firstName = "Nils";
    fresh.lastName = "Nyström";
    fresh.talks.Set(12);
    package->brothers.push_back(fresh);
    for (const mivra::BrotherIndexEntry& b : doc.Brothers().Items())
        if (b.congregationKey != first.congregationKey && b.congregationKey != home &&
            b.congregationKey != 0) {
            mivra::exchange::PackageBrother moved;
            moved.firstName = b.firstName;
            moved.lastName = b.lastName;
            moved.talks = b.repertoire;
            package->brothers.push_back(moved);
            break;
        }
    mivra::exchange::PackageBrother nameless;
    nameless.firstName = "Utan";
    package->brothers.push_back(nameless);
    QFile out(data + QStringLiteral("/tillbaka.c1d"));
    const std::vector<uint8_t> bytes = mivra::exchange::EncodePackage(*package, doc.CodePage());
    if (out.open(QIODevice::WriteOnly))
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

// "Exportera kalender (.ics)…": the weeks, the save dialog with its proposed name, the message.
void PlanCalendarTour(Tour& tour, mivra::ui::qt::QtMainWindow& window) {
    auto step = [&tour](const char* shot, std::function<void()> act) {
        tour.Step(shot, std::move(act));
    };
    step("", [&window] { Trigger(window, 32898); });
    step("cal-01-weeks", [] { Click(Modal(), QStringLiteral("c1")); });
    step("cal-02-save", [] {
        if (auto* chooser = qobject_cast<QDialog*>(Modal()))
            chooser->accept();
    });
    step("cal-03-saved", [] { ClickText(Modal(), QStringLiteral("OK")); });
}

// "Importera talare från CSV…": a spreadsheet's semicolon file with an update, new speakers, a
// new congregation, a passed-over column and rejected lines; previewed, copied, imported.
void WriteSpeakerCsv(const QString& data) {
    mivra::CMvDoc& doc = g_frame->Doc();
    const uint16_t home = doc.Congregations().OurCongregationKey();
    std::string text = "\xEF\xBB\xBF"
                       "Förnamn;Efternamn;Församling;Telefon;E-post;Tal;Anteckning\r\n";
    for (const mivra::BrotherIndexEntry& b : doc.Brothers().Items())
        if (b.congregationKey != home && b.congregationKey != 0) {
            text += b.firstName + ";" + b.lastName + ";" +
                    doc.Congregations().CongregationNameByKey(b.congregationKey, false) +
                    ";070-123 45 67;;;ringer helst på kvällen\r\n";
            break;
        }
    text += "Sven;Öberg;Lillby;0480-123 45;sven.oberg@example.se;12-14 S-31;\r\n"
            "Tore;Ås;Lillby;;;\"3, 17\";\r\n"
            "Ulf;Ulvsson;;;;5;\r\n"
            "Ville;Vass;Lillby;;;999;\r\n";
    QFile out(data + QStringLiteral("/talare.csv"));
    if (out.open(QIODevice::WriteOnly))
        out.write(text.data(), static_cast<qint64>(text.size()));
}

void PlanSpeakerCsvTour(Tour& tour, mivra::ui::qt::QtMainWindow& window, const QString& data) {
    auto step = [&tour](const char* shot, std::function<void()> act) {
        tour.Step(shot, std::move(act));
    };
    step("", [&window, data] {
        WriteSpeakerCsv(data);
        Trigger(window, 32899);
    });
    step("csv-01-file", [data] {
        if (auto* edit = Modal()->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(data + QStringLiteral("/talare.csv"));
        if (auto* chooser = qobject_cast<QDialog*>(Modal()))
            chooser->accept();
    });
    step("csv-02-preview", [] { Click(Modal(), QStringLiteral("c1315")); });
    step("csv-03-copied", [] {
        qInfo("%s", qPrintable(QGuiApplication::clipboard()->text()));
        Click(Modal(), QStringLiteral("c1"));
    });
    step("csv-04-imported", [] {});
}

// "Bygg Exportera Paket" for the home congregation, then "Importera paket" of a changed one.
void PlanPackageTour(Tour& tour, mivra::ui::qt::QtMainWindow& window, const QString& data) {
    auto step = [&tour](const char* shot, std::function<void()> act) {
        tour.Step(shot, std::move(act));
    };
    step("", [&window] { Trigger(window, 32829); });
    step("shell-13-export-chooser", [] { Click(Modal(), QStringLiteral("c1")); });
    step("shell-13-exported", [data] {
        ClickText(Modal(), QStringLiteral("OK"));
        WriteChangedPackage(data);
    });
    step("", [&window] { Trigger(window, 32876); });
    step("shell-13-package-file", [] {
        if (auto* edit = Modal()->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(QStringLiteral("tillbaka.c1d"));
        if (auto* chooser = qobject_cast<QDialog*>(Modal()))
            chooser->accept();
    });
    step("shell-13-import-preview", [] {
        if (auto* list = Modal()->findChild<QListWidget*>(QStringLiteral("c1328"))) {
            list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
            list->item(0)->setSelected(false); // and again: the details follow the current row
            list->item(0)->setSelected(true);
        }
    });
    step("shell-13-import-details", [] { Type(QStringLiteral("c1320"), QStringLiteral(" Ny")); });
    step("shell-13-import-renamed", [] { Click(Modal(), QStringLiteral("c1")); });
    step("shell-13-import-applied", [] { Click(Modal(), QStringLiteral("c2")); });
}

// Every list from its menu command: a chooser takes the first row of each of its lists and OK,
// then the main window with the report is photographed.
void PlanListsTour(Tour& tour, mivra::ui::qt::QtMainWindow& window) {
    const std::pair<int, const char*> kinds[] = {
        {32877, "list-02-speakers"},     {32878, "list-03-talks"},     {32880, "list-04-recent"},
        {32883, "list-05-notice"},       {32885, "list-06-letter"},    {32887, "list-07-exchange"},
        {32888, "list-08-brother"},      {32890, "list-09-phones"},    {32891, "list-10-outgoing"},
        {32893, "list-11-readers"},      {32894, "list-12-worksheet"}, {32895, "list-13-local"},
        {32896, "list-14-coordinators"}, {32897, "list-15-followups"}};
    for (auto [id, shot] : kinds) {
        tour.Add([&tour, &window, id = id] {
            tour.Next();
            Trigger(window, id);
        });
        tour.Add([&tour, id = id] {
            tour.Next();
            QWidget* modal = Modal();
            if (!modal)
                return;
            if (id == 32897)
                tour.Shoot(QStringLiteral("list-15-followup-limits"), modal);
            for (int pass = 0; pass < 2; ++pass)
                for (auto* list : modal->findChildren<QListWidget*>())
                    if (list->count() > 0 && list->currentRow() < 0)
                        list->setCurrentRow(0);
            Click(modal, QStringLiteral("c1"));
        });
        tour.Add([&tour, &window, shot = shot] {
            tour.Shoot(QString::fromUtf8(shot), &window);
            tour.Next();
        });
    }
}

// Backup into a new folder made through the folder chooser, then restore it from the list.
void PlanBackupTour(Tour& tour, mivra::ui::qt::QtMainWindow& window, const QString& data) {
    const QString base = data + QStringLiteral("/backups/new");
    auto chooseFolder = [&tour, base](const QString& name) {
        tour.Add([&tour, base, name] {
            tour.Shoot(name, Modal());
            tour.Next();
            if (auto* edit = Modal()->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                edit->setText(base);
            if (auto* chooser = qobject_cast<QDialog*>(Modal()))
                chooser->accept();
        });
    };
    tour.Add([&tour, &window] {
        tour.Next();
        Trigger(window, 32860);
    });
    tour.Add([&tour] {
        tour.Shoot("shell-8-backup", Modal());
        tour.Next();
        Click(Modal(), "c1312");
    });
    chooseFolder("shell-8-folder-chooser");
    tour.Add([&tour] {
        tour.Shoot("shell-8-create-folder", Modal());
        tour.Next();
        ClickText(Modal(), "&Ja");
    });
    tour.Add([&tour] {
        tour.Next();
        Click(Modal(), "c1");
    });
    tour.Add([&tour] {
        tour.Shoot("shell-8-backup-done", Modal());
        tour.Next();
        Click(Modal(), "c1");
    });
    tour.Add([&tour, &window] {
        tour.Next();
        Trigger(window, 32861);
    });
    tour.Add([&tour] {
        tour.Next();
        Click(Modal(), "c1312");
    });
    chooseFolder("shell-9-restore-chooser");
    tour.Add([&tour] {
        tour.Shoot("shell-9-restore-list", Modal());
        tour.Next();
        if (auto* list = Modal()->findChild<QListWidget*>(QStringLiteral("c1319")))
            list->setCurrentRow(0);
    });
    tour.Add([&tour] {
        tour.Shoot("shell-9-restore-chosen", Modal());
        tour.Next();
        Click(Modal(), "c1");
    });
    tour.Add([&tour] {
        tour.Shoot("shell-9-restore-question", Modal());
        tour.Next();
        ClickText(Modal(), "&Ja");
    });
    tour.Add([&tour] {
        tour.Shoot("shell-9-restore-done", Modal());
        tour.Next();
        ClickText(Modal(), "OK");
    });
}

void SetRow(const QString& name, int row) {
    if (auto* list = Modal() ? Modal()->findChild<QListWidget*>(name) : nullptr)
        list->setCurrentRow(row);
}

/** Clicks a list row with the mouse, as a user would. */
void ClickRow(const QString& name, int row) {
    auto* list = Modal() ? Modal()->findChild<QListWidget*>(name) : nullptr;
    if (!list || row >= list->count())
        return;
    const QPointF at = list->visualItemRect(list->item(row)).center();
    const QPointF global = list->viewport()->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &click);
    }
}

/** Clicks a row of a list of the modal window's current page in the given drawn column. */
void ClickColumn(QListWidget* list, int row, int column) {
    auto* delegate = qobject_cast<mivra::ui::qt::TabStopDelegate*>(list->itemDelegate());
    const QModelIndex index = list->model()->index(row, 0);
    const QRect rect = list->visualRect(index);
    for (int x = rect.left(); x < rect.right(); ++x) {
        const QPoint at(x + 3, rect.center().y());
        if (!delegate || delegate->ColumnAt(index, rect, at) != column)
            continue;
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(
                type, QPointF(at), list->viewport()->mapToGlobal(QPointF(at)), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &click);
        }
        return;
    }
}

/** The first row of a list whose text does not start with the unavailable mark. */
int FirstAvailableRow(QListWidget* list) {
    for (int r = 0; r < list->count(); ++r)
        if (!list->item(r)->text().startsWith(QStringLiteral("* ")))
            return r;
    return 0;
}

// The home talk page: a talk from the needs list, a speaker from one circuit, two ticks, a
// swap; then the needs list with a priority, an added talk and its printout as a PDF.
void PlanHomeTalksTour(Tour& tour, mivra::ui::qt::QtMainWindow& window, const QString& data) {
    auto step = [&tour](const char* shot, std::function<void()> act) {
        tour.Step(shot, std::move(act));
    };
    auto list = [](const char* name) {
        return Modal()->findChild<QListWidget*>(QString::fromUtf8(name));
    };
    auto page = [] { return Modal()->findChild<QTabWidget*>()->currentWidget(); };
    auto homeList = [page] { return page()->findChild<QListWidget*>(QStringLiteral("c1075")); };
    static int chosenRow = 0;
    auto pickCircuit = [] {
        auto* combo = Modal()->findChild<QComboBox*>(QStringLiteral("c1038"));
        combo->setCurrentIndex(1);
        emit combo->activated(1); // as the user's pick
    };
    step("", [&window] { Trigger(window, 32850); });
    step("home-01-page", [page, homeList] {
        chosenRow = homeList()->currentRow();
        Click(page(), QStringLiteral("c1078"));
    });
    step("home-02-speaker-chooser", pickCircuit);
    step("home-03-one-circuit",
         [list] { list("c1096")->setCurrentRow(FirstAvailableRow(list("c1096"))); });
    step("home-04-speaker-selected", [] { Click(Modal(), QStringLiteral("c1")); });
    step("home-05-speaker-chosen", [page] { Click(page(), QStringLiteral("c1077")); });
    step("home-06-talk-chooser", [list] {
        list("c1020")->setCurrentRow(0);
        Click(Modal(), QStringLiteral("c1"));
    });
    step("home-07-talk-chosen", [homeList] {
        ClickColumn(homeList(), chosenRow, 4);
        ClickColumn(homeList(), chosenRow, 6);
    });
    step("home-08-ticked", [page] { Click(page(), QStringLiteral("c1079")); });
    step("home-09-swap-pending", [homeList] { homeList()->setCurrentRow(chosenRow - 2); });
    step("home-10-swapped", [] { Click(Modal(), QStringLiteral("c1")); });
    step("", [&window] { Trigger(window, 32851); });
    step("needs-01-list", [list] { list("c1070")->setCurrentRow(1); });
    step("needs-02-selected", [] { Click(Modal(), QStringLiteral("c1072")); });
    step("needs-03-high", [] { Click(Modal(), QStringLiteral("c4")); });
    step("needs-04-add", [list] {
        ClickRow(QStringLiteral("c1019"), 1);
        Click(Modal(), QStringLiteral("c1"));
    });
    step("needs-05-added", [] { Click(Modal(), QStringLiteral("c5")); });
    step("needs-06-no-printer", [] { qobject_cast<QDialog*>(Modal())->accept(); });
    tour.Add([&tour, data] {
        tour.Shoot(QStringLiteral("needs-07-save-pdf"), Modal());
        tour.Next();
        if (auto* edit = Modal()->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->setText(data + QStringLiteral("/behov.pdf"));
        qobject_cast<QDialog*>(Modal())->accept();
    });
    step("needs-08-printed", [] { Click(Modal(), QStringLiteral("c1")); });
}

// The talks: a new talk titled, the talk form choosing topics, a brother's talks.
void PlanTalksTour(Tour& tour, mivra::ui::qt::QtMainWindow& window) {
    tour.Add([&tour, &window] {
        tour.Next();
        Trigger(window, 32782);
    });
    tour.Add([&tour] {
        tour.Shoot("shell-13-talks", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c1021"));
    });
    tour.Add([&tour] {
        tour.Shoot("shell-13-talks-new", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c1")); // the first new row, selected
    });
    tour.Add([&tour] {
        Type(QStringLiteral("c1311"), QStringLiteral("Ett nytt tal"));
        tour.Next();
    });
    tour.Add([&tour] {
        tour.Shoot("shell-13-new-talk-form", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c1"));
    });
    tour.Add([&tour] {
        tour.Shoot("shell-13-talks-after-add", Modal());
        tour.Next();
        SetRow(QStringLiteral("c165"), 8);
        Click(Modal(), QStringLiteral("c1"));
    });
    // The screen is photographed, so each change gets a step of its own to be painted.
    tour.Add([&tour] {
        ClickRow(QStringLiteral("c1060"), 0);
        tour.Next();
    });
    tour.Add([&tour] {
        tour.Shoot("shell-13-talk-form", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c1029"));
    });
    tour.Add([&tour] {
        ClickRow(QStringLiteral("c1028"), 2);
        ClickRow(QStringLiteral("c1028"), 5);
        tour.Next();
    });
    tour.Add([&tour] {
        tour.Shoot("shell-13-talk-topics", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c1031"));
    });
    tour.Add([&tour] {
        tour.Shoot("shell-13-talk-topic-list", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c2"));
    });
    tour.Add([&tour] {
        tour.Next();
        Click(Modal(), QStringLiteral("c2"));
    });
    tour.Add([&tour] {
        tour.Next();
        Click(Modal(), QStringLiteral("c2"));
    });
    tour.Add([&tour, &window] {
        tour.Next();
        Trigger(window, 32768);
    });
    tour.Add([&tour] {
        tour.Next();
        SetRow(QStringLiteral("c1310"), 0);
        Click(Modal(), QStringLiteral("c1"));
    });
    tour.Add([&tour] {
        tour.Next();
        Click(Modal(), QStringLiteral("c6"));
    });
    tour.Add([&tour] {
        tour.Shoot("shell-13-repertoire", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c1021"));
    });
    tour.Add([&tour] {
        ClickRow(QStringLiteral("c1019"), 6);
        ClickRow(QStringLiteral("c1019"), 44);
        tour.Next();
    });
    tour.Add([&tour] {
        tour.Shoot("shell-13-repertoire-edit", Modal());
        tour.Next();
        Click(Modal(), QStringLiteral("c2"));
    });
    for (int i = 0; i < 2; ++i)
        tour.Add([&tour] {
            tour.Next();
            Click(Modal(), QStringLiteral("c2"));
        });
}

// The history editor fills last week; both histories then list it.
QString g_historySpeaker;
void PlanHistoryTour(Tour& tour, mivra::ui::qt::QtMainWindow& window) {
    auto step = [&tour](const char* shot, std::function<void()> act) {
        tour.Step(shot, std::move(act));
    };
    auto pick = [](const char* list, int row) {
        return [list, row] {
            if (auto* l = Modal()->findChild<QListWidget*>(QString::fromUtf8(list)))
                l->setCurrentRow(row);
            Click(Modal(), QStringLiteral("c1"));
        };
    };
    auto click = [](const char* name) {
        return [name] { Click(Modal(), QString::fromUtf8(name)); };
    };
    step("", [&window] { Trigger(window, 32849); });
    step("shell-14-history-editor", click("c1042"));
    step("shell-14-editor-speakers", pick("c1310", 3));
    step("", click("c1040"));
    step("", pick("c165", 4));
    step("", click("c1045"));
    step("", pick("c1310", 0));
    step("shell-14-editor-filled", [] {
        if (auto* speaker = Modal()->findChild<QAbstractButton*>(QStringLiteral("c1042")))
            g_historySpeaker = speaker->text().section(QStringLiteral(" - "), 1);
        Click(Modal(), QStringLiteral("c1"));
    });
    step("", [&window] { Trigger(window, 32858); });
    step("shell-14-talk-history", click("c3"));
    step("shell-14-speaker-history", click("c2"));
    step("", click("c2"));
    step("", [&window] { Trigger(window, 32875); });
    step("shell-14-outgoing-history", click("c2"));
    step("", [&window] { Trigger(window, 32859); });
    step("", [] {
        auto* list = Modal()->findChild<QListWidget*>(QStringLiteral("c1104"));
        for (int row = 0; list && row < list->count(); ++row)
            if (list->item(row)->text().startsWith(g_historySpeaker))
                list->setCurrentRow(row);
    });
    step("shell-14-speaker-history-command", click("c2"));
}

void PlanShellTour(Tour& tour, mivra::ui::qt::QtMainWindow& window, const QString& data) {
    tour.Add([&tour, &window] {
        tour.Shoot("shell-1-start-panel", &window);
        tour.Next();
        window.menuBar()->setActiveAction(window.menuBar()->actions().at(3));
    });
    tour.Add([&tour, &window] {
        tour.Shoot("shell-2-view-menu", &window);
        tour.Next();
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
        window.menuBar()->setActiveAction(window.menuBar()->actions().at(0));
    });
    tour.Add([&tour, &window] {
        tour.Shoot("shell-2-file-menu", &window);
        tour.Next();
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
        Trigger(window, 57664);
    });
    tour.Add([&tour] {
        tour.Shoot("shell-3-about", Modal());
        tour.Next();
        Click(Modal(), "c1");
    });
    PlanBrothersTour(tour, window);
    PlanCongregationsTour(tour, window, data);
    PlanContactCard(tour, tour.Folder());
    PlanRotationsTour(tour, window);
    PlanHomeTalksTour(tour, window, data);
    PlanOutgoingTour(tour, window);
    PlanSummaryTour(tour, window);
    tour.Add([&tour, &window] {
        Trigger(window, 32866);
        tour.Next();
    });
    tour.Add([&tour, &window] {
        tour.Shoot("shell-4-report", &window);
        tour.Next();
        Trigger(window, 57609);
    });
    tour.Add([&tour] {
        tour.Shoot("shell-5-preview", Modal());
        tour.Next();
        if (auto* modal = qobject_cast<QDialog*>(Modal()))
            modal->reject();
    });
    // Qt's own print dialogs, to see their Swedish texts.
    for (auto [id, name] : {std::pair{57606, "shell-5-page-setup"}, {57607, "shell-5-print"}}) {
        tour.Add([&tour, &window, id = id] {
            tour.Next();
            Trigger(window, id);
        });
        tour.Add([&tour, name = name] {
            tour.Shoot(name, Modal());
            tour.Next();
            if (auto* modal = qobject_cast<QDialog*>(Modal()))
                modal->reject();
        });
    }
    tour.Add([&tour, &window] {
        tour.Next();
        Trigger(window, 32868);
    });
    tour.Add([&tour] {
        tour.Shoot("shell-6-font-chooser", Modal());
        tour.Next();
        if (auto* modal = qobject_cast<QDialog*>(Modal()))
            modal->reject();
    });
    tour.Add([&tour, &window] {
        tour.Next();
        Trigger(window, 32900); // "Spara som PDF…"
    });
    tour.Add([&tour] {
        tour.Shoot("shell-7-save-pdf", Modal());
        tour.Next();
        if (auto* modal = qobject_cast<QDialog*>(Modal()))
            modal->reject();
    });
    tour.Add([&tour, &window] {
        tour.Next();
        Trigger(window, 32864);
    });
    tour.Add([&tour] {
        // Typing "75" on the top margin list, as a two-digit spin field takes it.
        if (auto* list = Modal()->findChild<QListWidget*>(QStringLiteral("c255"))) {
            list->setFocus();
            for (const char* digit : {"7", "5"}) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, digit);
                QApplication::sendEvent(list, &press);
            }
        }
        tour.Next();
    });
    tour.Add([&tour] {
        tour.Shoot("shell-10-settings", Modal());
        tour.Next();
        Click(Modal(), "c2");
    });
    PlanListsTour(tour, window);
    PlanTalksTour(tour, window);
    PlanHistoryTour(tour, window);
    PlanCalendarTour(tour, window);
    PlanSpeakerCsvTour(tour, window, data);
    PlanPackageTour(tour, window, data);
    PlanBackupTour(tour, window, data);
    tour.Add([&window] {
        window.close(); // back to the start panel
        window.close(); // then closes
    });
}

int RunShell(QApplication& app, const QString& data, Tour* tour) {
    mivra::ui::qt::DesktopHooks hooks;
    hooks.started = [](mivra::app::CMvApp& mivra) {
        g_frame = &mivra.Frame();
        // The printed schedule of the folder's next twelve weeks, without the week chooser.
        auto opener = [](mivra::reports::ReportOpening& opening) {
            const int currentIndex = opening.doc.CurrentWeek() - 1; // a week number
            return std::make_unique<mivra::reports::ScheduleReport>(opening.doc, currentIndex, 12);
        };
        mivra.View().Kinds().Add(32866, 1, opener);
        mivra.View().Kinds().Add(122, 1, opener);
    };
    if (tour)
        hooks.shown = [tour, data](mivra::ui::qt::QtMainWindow& window) {
            PlanShellTour(*tour, window, data);
            tour->Start();
        };
    return mivra::ui::qt::RunDesktop(app, {"--data", data.toStdString(), "--today", "2026-12-07"},
                                     hooks);
}

} // namespace

int main(int argc, char** argv) {
    // Pictures of the window at its first-start size, whatever an earlier run left.
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("mivra"), QStringLiteral("window")).clear();
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
    doc.Settings().MutableOptions().scheduleHosts =
        !args.contains(QStringLiteral("--without-hosts"));
    doc.Settings().MutableOptions().scheduleReaders =
        !args.contains(QStringLiteral("--without-readers"));

    qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    Tour tour(at >= 0 && at + 1 < args.size() ? args[at + 1] : QStringLiteral("."));
    if (qsizetype shell = args.indexOf(QStringLiteral("--shell"));
        shell >= 0 && shell + 1 < args.size())
        return RunShell(app, args[shell + 1], at >= 0 ? &tour : nullptr);
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
        mivra::app::RunScheduleSheet(
            doc, host,
            mivra::schedule::SchedulePageIndex(doc.Settings().Options(),
                                               mivra::schedule::SchedulePage::HomeTalks),
            runCommand);
    });
    return host.RunDialog(dialog) == mivra::ui::kIdOk ? 0 : 1;
}
