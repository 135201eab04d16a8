#include "DemoDialogs.h"
#include "app/ShellParts.h"
#include "base/Clock.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "support/JpegBytes.h"
#include "support/TempDir.h"
#include "ui/CFileDlg.h"
#include "ui/TemplateUse.h"
#include "ui/qt/PdfRender.h"
#include "ui/qt/QtCanvas.h"
#include "ui/qt/QtForm.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtPictures.h"
#include "ui/qt/QtWindow.h"
#include "ui/qt/TabStopDelegate.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>

namespace mivra {
namespace {

class NullSink : public ui::EventSink {
public:
    void Deliver(const ui::Event&) override {}
    void Paint(int, ui::Canvas&, ui::Size) override {}
};

/** Presses a button of the next modal window once the event loop runs. */
void PressSoon(const char* name, std::function<void(QWidget*)> look = {}) {
    QTimer::singleShot(0, [name, look] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_TRUE(modal);
        if (look)
            look(modal);
        auto* button = modal->findChild<QAbstractButton*>(name);
        ASSERT_TRUE(button) << name;
        button->click();
    });
}

TEST(QtTemplates, EveryTemplateBuildsWithTheControlsTheHeadlessReaderSees) {
    ui::TemplateLibrary library;
    NullSink sink;
    for (int id : ui::TemplateLibrary::EmbeddedIds()) {
        ui::qt::QtForm form(library, id, sink, nullptr);
        std::optional<ui::Template> t = library.Load(id);
        ASSERT_TRUE(t);
        EXPECT_EQ(form.Root()->windowTitle().toStdString(), t->title) << id;
        EXPECT_EQ(static_cast<size_t>(form.Window().Controls().size()), t->controls.size()) << id;
        for (const ui::TemplateControl& c : t->controls) {
            QWidget* w = form.Window().Control(c.id);
            ASSERT_TRUE(w) << id << ": c" << c.id;
            EXPECT_EQ(c.className, w->metaObject()->className()) << id << ": c" << c.id;
        }
    }
}

TEST(QtTemplates, EveryIdADialogUsesExistsInItsTemplate) {
    ui::TemplateLibrary library;
    library.Add(demo::kDemoTemplate, demo::DemoTemplate());
    std::vector<ui::TemplateUse> uses;
    for (const ui::TemplateUse* use : ui::DeclaredTemplateUses())
        uses.push_back(*use);
    uses.push_back(demo::DemoDlg::kUse);
    NullSink sink;
    for (const ui::TemplateUse& use : uses) {
        ui::qt::QtForm form(library, use.templateId, sink, nullptr);
        for (int id : use.controls)
            EXPECT_TRUE(form.Window().Control(id))
                << use.owner << " uses control " << id << " missing in " << use.templateId;
    }
}

/** Keeps what a window reported, one line per event. */
class LogSink : public ui::EventSink {
public:
    void Deliver(const ui::Event& e) override {
        log.push_back(std::to_string(static_cast<int>(e.kind)) + ":" + std::to_string(e.id) + ":" +
                      std::to_string(e.row) + ":" + std::to_string(e.delta));
    }
    void Paint(int id, ui::Canvas& canvas, ui::Size size) override {
        canvas.FillRect({0, 0, size.width, size.height}, ui::kLightGrey);
        log.push_back("paint:" + std::to_string(id) + ":" + std::to_string(size.width));
    }
    std::vector<std::string> log;
};

TEST(QtEvents, UserActionsReachTheSinkAsEvents) {
    ui::TemplateLibrary library;
    library.Add(demo::kDemoTemplate, demo::DemoTemplate());
    LogSink sink;
    ui::qt::QtForm form(library, demo::kDemoTemplate, sink, nullptr);
    form.Window().AddRow(1075, "a");
    form.Window().AddRow(1075, "b");
    form.Root()->findChild<QAbstractButton*>("c3")->click();
    form.Root()->findChild<QAbstractButton*>("c109")->click();
    form.Root()->findChild<QListWidget*>("c1075")->setCurrentRow(1);
    QWidget* surface = form.Window().Control(1055);
    surface->resize(180, 120);
    (void)surface->grab();
    using K = ui::EventKind;
    auto line = [](K kind, int id, int row) {
        return std::to_string(static_cast<int>(kind)) + ":" + std::to_string(id) + ":" +
               std::to_string(row) + ":0";
    };
    EXPECT_EQ(sink.log,
              (std::vector<std::string>{line(K::Command, 3, -1), line(K::Command, 109, -1),
                                        line(K::SelChange, 1075, 1), "paint:1055:180"}));
    EXPECT_TRUE(form.Window().IsChecked(109));
}

TEST(QtHost, RunsADialogModallyUntilOk) {
    ui::qt::QtHost host(StringTable::Swedish());
    host.AddTemplate(demo::kDemoTemplate, demo::DemoTemplate());
    demo::DemoDlg dialog(StringTable::Swedish());
    int rows = 0;
    PressSoon("c1",
              [&rows](QWidget* modal) { rows = modal->findChild<QWidget*>("c1075") ? 1 : 0; });
    EXPECT_EQ(host.RunDialog(dialog), ui::kIdOk);
    EXPECT_EQ(rows, 1);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST(QtHost, TheFileChooserListsPatternsInAnyCaseAndAsksBeforeOpening) {
    test::TempDir dir;
    for (const char* name : {"KARTA.JPG", "b.jpeg", "c.txt"})
        dir.Write(name, {1});
    ui::qt::QtHost host(StringTable::Swedish());
    ui::CFileDlg chooser("Välj", "Kartor", {"*.jpg", "*.jpeg"}, dir.path());
    QStringList listed;
    bool stayedOpen = false;
    // The folder is read in the background: look once its rows are in the dialog's list.
    std::function<void(int)> look = [&](int tries) {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_TRUE(view);
        const int rows = view->model()->rowCount(view->rootIndex());
        if (rows < 2 && tries > 0) {
            QTimer::singleShot(20, [&look, tries] { look(tries - 1); });
            return;
        }
        for (int row = 0; row < rows; ++row)
            listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
        auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(typed);
        typed->setText(QStringLiteral("c.txt")); // typed past the filter: refused
        static_cast<QDialog*>(dialog)->accept();
        stayedOpen = dialog->isVisible();
        typed->setText(QStringLiteral("KARTA.JPG"));
        static_cast<QDialog*>(dialog)->accept();
    };
    QTimer::singleShot(0, [&look] { look(100); });
    ASSERT_TRUE(chooser.Run(host));
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"KARTA.JPG", "b.jpeg"}));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(chooser.Path(), dir / "KARTA.JPG");
}

TEST(QtHost, RunsTheSchedulingSheetWithItsPagesInOrder) {
    const StringTable& strings = StringTable::Swedish();
    ui::qt::QtHost host(strings);
    test::TempDir dir;
    FixedClock clock({2026, 3, 4});
    CMvDoc doc(strings, host, clock, dir.path());
    ASSERT_TRUE(doc.LoadStore());
    doc.Settings().MutableOptions().scheduleHosts = true;
    doc.Settings().MutableOptions().scheduleReaders = true;
    QStringList tabs;
    QString title;
    PressSoon("c1", [&](QWidget* modal) {
        title = modal->windowTitle();
        auto* tabWidget = modal->findChild<QTabWidget*>();
        for (int i = 0; i < tabWidget->count(); ++i)
            tabs << tabWidget->tabText(i);
        EXPECT_EQ(tabWidget->currentIndex(), 1);
        EXPECT_EQ(modal->findChild<QAbstractButton*>("c2")->text(), "Avbryt");
        EXPECT_EQ(modal->findChild<QAbstractButton*>("c111")->text(), "Redigera");
    });
    EXPECT_EQ(app::RunScheduleSheet(doc, host, 1, {}), ui::kIdOk);
    EXPECT_EQ(title, "Panel för schemaläggning");
    EXPECT_EQ(tabs, (QStringList{"Sammanfattning", "Tal i hemförsamlingen", "Ordförande", "Värd",
                                 "Högläsare vid Vakttornsstudiet", "Talare som reser ut",
                                 "Sammankomster, kretsbesök, etc"}));
    EXPECT_TRUE(std::filesystem::exists(dir / "history.dat")) << "the home talk page wrote";
}

TEST(QtCanvas, FontHeightsAreDevicePixelsAtTheTarget) {
    QImage image(200, 200, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    QPainter painter(&image);
    ui::qt::QtCanvas canvas(painter, 300, 300, true);
    ui::Font font;
    font.face = "Liberation Serif";
    font.height = -50;
    canvas.SelectFont(font);
    ui::FontMetrics character = canvas.Metrics();
    EXPECT_GE(character.height, 50) << "the character height is 50, the cell is more";
    EXPECT_LE(character.height, 65);
    font.height = 50;
    canvas.SelectFont(font);
    EXPECT_NEAR(canvas.Metrics().height, 50, 2) << "a positive height is the whole cell";
    font.width = 10;
    canvas.SelectFont(font);
    EXPECT_NEAR(canvas.Metrics().averageWidth, 10, 2);
}

TEST(QtTabStops, AClickNamesTheColumnDrawnUnderIt) {
    QListWidget list;
    auto* delegate = new ui::qt::TabStopDelegate(&list);
    delegate->SetStops({62, 95});
    list.setItemDelegate(delegate);
    list.addItem(QStringLiteral("3 jan\t12\tPer"));
    list.resize(600, 100);
    const QModelIndex index = list.model()->index(0, 0);
    const QRect rect = list.visualRect(index);
    const int unit = ui::qt::UnitsOf(list.font()).x;
    auto at = [&](int x) { return delegate->ColumnAt(index, rect, {x, rect.center().y()}); };
    EXPECT_EQ(at(rect.left() + 1), 0);
    EXPECT_EQ(at(rect.left() + 62 * unit / 4 - 1), 0);
    EXPECT_EQ(at(rect.left() + 62 * unit / 4 + 10), 1);
    EXPECT_EQ(at(rect.left() + 95 * unit / 4 + 10), 2);
}

TEST(QtWindow, AFixedWidthButtonCutsALongCaptionAtItsEndOnly) {
    QWidget root;
    auto* button = new QPushButton(&root);
    button->setObjectName(QStringLiteral("c7"));
    button->setFixedWidth(120);
    ui::qt::QtWindow window(&root);
    const std::string title = "Varför kärleken betyder så mycket i vår tid ( 14 ) ";
    window.SetText(7, title);
    const QString shown = button->text();
    ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(QString::fromStdString(title).startsWith(shown.chopped(1)));
    EXPECT_EQ(window.Text(7), title);
    EXPECT_EQ(button->toolTip().toStdString(), title);

    window.SetText(7, "Tal 5");
    EXPECT_EQ(button->text(), QStringLiteral("Tal 5"));
    EXPECT_TRUE(button->toolTip().isEmpty());
    EXPECT_EQ(window.Text(7), "Tal 5");
}

TEST(QtPdf, AJpegMapDrawsStretchedIntoItsRectangle) {
    test::TempDir dir;
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(QString::fromStdString((dir / "karta.jpg").string()), "JPG"));
    dir.Write("tom.jpg", test::JpegHeader(40, 30)); // a frame header and no image data
    const ui::qt::QtPictureDecoder decoder;
    EXPECT_EQ(ui::LoadPicture(dir / "tom.jpg", decoder).fault, ui::PictureFault::NotAPicture);
    const ui::PictureLoad map = ui::LoadPicture(dir / "karta.jpg", decoder);
    ASSERT_TRUE(map);
    EXPECT_EQ(map.picture->PixelSize(), (ui::Size{40, 30}));
    ASSERT_TRUE(ui::qt::RenderPdf(dir / "karta.pdf", 1, [&map](int, ui::Canvas& c) {
                    c.DrawPicture(*map.picture, {75, 1500, 2175, 2940});
                }).ok());
    QFile file(QString::fromStdString((dir / "karta.pdf").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("/Subtype /Image"));
}

TEST(QtPdf, RendersEachPageOfAStrip) {
    test::TempDir dir;
    std::vector<int> drawn;
    Status status = ui::qt::RenderPdf(dir / "schema.pdf", 3, [&drawn](int page, ui::Canvas& c) {
        drawn.push_back(page);
        EXPECT_EQ(c.DpiY(), 300);
        EXPECT_TRUE(c.IsPrinter());
        c.SelectFont({-50, 0, 700, false, false, 0, 18, "Liberation Serif", ui::kBlack});
        c.FillRect({60, 150, 2340, 210}, ui::kLightGrey);
        c.DrawText({1200, 150}, "Sida " + std::to_string(page), {ui::HAlign::Centre});
    });
    ASSERT_TRUE(status.ok()) << status.error().what;
    EXPECT_EQ(drawn, (std::vector<int>{1, 2, 3}));
    QFile file(QString::fromStdString((dir / "schema.pdf").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(page), 3);
    EXPECT_FALSE(ui::qt::RenderPdf(dir / "leer.pdf", 0, [](int, ui::Canvas&) {}).ok());
    EXPECT_FALSE(dir.Exists("leer.pdf"));
}

} // namespace
} // namespace mivra
