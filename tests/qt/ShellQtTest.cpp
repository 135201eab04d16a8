#include "app/CMvApp.h"
#include "reports/CMvView.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/DataFolderLock.h"
#include "support/TempDir.h"
#include "support/TestReport.h"
#include "ui/headless/HeadlessHost.h"
#include "ui/qt/DesktopApp.h"
#include "ui/qt/QtMainWindow.h"
#include "ui/qt/QtPrinting.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>

namespace mivra {
namespace {

QApplication& App() {
    return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

TEST(QtShell, TheMainWindowStartsWithMenusToolbarStatusBarAndStartPanel) {
    test::TempDir dir;
    ui::qt::DesktopHooks hooks;
    QStringList menus, groups;
    QString title, date, closeCaption;
    int toolItems = 0, toolSeparators = 0;
    bool printEnabled = true, exitEnabled = false, panelShown = false;
    hooks.shown = [&](ui::qt::QtMainWindow& window) {
        QTimer::singleShot(0, &window, [&] {
            title = window.windowTitle();
            for (QAction* a : window.menuBar()->actions())
                menus << a->text();
            for (QAction* a : window.findChild<QToolBar*>()->actions())
                (a->isSeparator() ? toolSeparators : toolItems)++;
            date = window.findChild<QLabel*>("datePane")->text();
            panelShown = window.StartPanel()->isVisible();
            for (auto* g : window.StartPanel()->findChildren<QGroupBox*>())
                groups << g->title();
            closeCaption = window.StartPanel()->findChild<QAbstractButton*>("c110")->text();
            printEnabled = window.Action(57607)->isEnabled();
            exitEnabled = window.Action(57665)->isEnabled();
            window.close();
        });
    };
    EXPECT_EQ(
        ui::qt::RunDesktop(App(), {"--data", dir.path().string(), "--today", "2026-12-07"}, hooks),
        0);
    EXPECT_EQ(title, "Schemaskapare för offentliga föredrag - Mivra");
    EXPECT_EQ(menus, (QStringList{"&Fil", "&Redigera", "&Schemaläggning", "&Visa", "&Teckensnitt",
                                  "&Inställningar", "&Hjälp"}));
    EXPECT_EQ(toolItems, 17);
    EXPECT_EQ(toolSeparators, 5);
    EXPECT_EQ(date, "Dec 07, 2026");
    EXPECT_TRUE(panelShown);
    EXPECT_EQ(groups,
              (QStringList{" Visa och redigera ", " Överblick och listor ", " Planering "}));
    EXPECT_EQ(closeCaption, "Stäng Program");
    EXPECT_FALSE(printEnabled) << "nothing to print on the start panel";
    EXPECT_TRUE(exitEnabled);
    EXPECT_TRUE(dir.Exists("mivraw.ini")) << "the fonts are written back on exit";
}

// A laptop screen less a panel: 1280×720 at 96 dpi, half as much again at 144 dpi.
TEST(QtShell, TheWindowFitsALaptopScreenItsPanelScrollsAndReturnPressesAButton) {
    test::TempDir dir;
    ui::qt::DesktopHooks hooks;
    int minimumHeight = 0, dpi = 0;
    bool panelScrolls = false, stillOpen = false;
    hooks.shown = [&](ui::qt::QtMainWindow& window) {
        QTimer::singleShot(0, &window, [&] {
            dpi = window.logicalDpiY();
            minimumHeight = window.minimumSizeHint().height();
            auto* scroller = window.StartPanel()->findChild<QScrollArea*>("startPanelScroller");
            panelScrolls = scroller && scroller->widget()->findChild<QAbstractButton*>("c110");
            auto* close = window.StartPanel()->findChild<QAbstractButton*>("c110");
            close->setFocus();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(close, &press);
            // Closing the window ends the run before this fires.
            QTimer::singleShot(2000, &window, [&] {
                stillOpen = true;
                window.close();
            });
        });
    };
    EXPECT_EQ(ui::qt::RunDesktop(App(), {"--data", dir.path().string()}, hooks), 0);
    EXPECT_LE(minimumHeight, (720 - 60) * dpi / 96) << "at " << dpi << " dpi";
    EXPECT_TRUE(panelScrolls);
    EXPECT_FALSE(stillOpen) << "Return on \"Stäng Program\"";
}

TEST(QtShell, ASecondProgramOnTheSameFolderIsRefused) {
    test::TempDir dir;
    Result<DataFolderLock> held = DataFolderLock::Acquire(dir.path());
    ASSERT_TRUE(held.ok());
    QString shown;
    QTimer::singleShot(100, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    EXPECT_EQ(ui::qt::RunDesktop(App(), {"--data", dir.path().string()}), 1);
    EXPECT_TRUE(shown.contains("används redan av ett annat Mivra-program")) << shown.toStdString();
    EXPECT_EQ(ui::qt::RunDesktop(App(), {"--today", "1999-01-01"}), 2);
}

/** Runs a poppler tool on a file; nothing when the tool is not installed. */
std::optional<QString> Poppler(const QString& tool, const QStringList& args) {
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(QtShell, AReportRendersToAPdfWhosePagesAreTheStripsElevenInchBands) {
    io::SetDurable(false);
    test::TempDir dir;
    ui::headless::HeadlessHost host;
    host.SetPermissive(true);
    FixedClock clock({2026, 12, 7});
    CMvDoc doc(StringTable::Swedish(), host, clock, dir.path());
    ASSERT_TRUE(doc.LoadStore());
    ui::qt::QtPrinting printing;
    reports::CMvView view(doc, host, printing);
    view.Show(1, std::make_unique<test::TestReport>(120));
    const std::filesystem::path pdf = dir / "schema.pdf";
    ASSERT_TRUE(printing
                    .WritePdf(pdf, "Schema",
                              [&view](const ui::JobSettings& job, ui::Sheets& sheets) {
                                  view.RenderJob(job, sheets);
                              })
                    .ok());
    io::SetDurable(true);
    const QString file = QString::fromStdString(pdf.string());
    std::optional<QString> info = Poppler("pdfinfo", {file});
    if (!info)
        GTEST_SKIP() << "poppler-utils not installed";
    EXPECT_TRUE(info->contains(QRegularExpression("Pages:\\s+3\\n"))) << info->toStdString();
    EXPECT_TRUE(info->contains(QRegularExpression("Title:\\s+Schema\\n"))) << info->toStdString();
    EXPECT_TRUE(
        info->contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)?")))
        << info->toStdString();
    QStringList pages = Poppler("pdftotext", {file, "-"})->split('\f');
    ASSERT_GE(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains("Sida 1"));
    EXPECT_TRUE(pages[0].contains("Rad 59\n"));
    EXPECT_FALSE(pages[0].contains("Rad 60\n"));
    EXPECT_TRUE(pages[1].contains("Sida 2"));
    EXPECT_TRUE(pages[1].contains("Rad 60\n")) << "page 2 starts where the first band ends";
    EXPECT_FALSE(pages[1].contains("Sida 1"));
    EXPECT_TRUE(pages[2].contains("Rad 120"));
}

} // namespace
} // namespace mivra
