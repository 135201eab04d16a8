#include "ui/qt/QtTranslation.h"

#include <functional>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTabWidget>

namespace mivra {
namespace {

// What the stock dialogs said in English before they had Swedish texts, without mnemonics.
const QStringList kEnglish =
    QStringLiteral(
        "Print Preview|Page Setup|Page setup|Print|Close|Cancel|Open|Save|Look in:|File name:|"
        "Files of type:|Back|Forward|Parent Directory|Create New Folder|List View|Detail View|Name|"
        "Size|Type|Date Modified|Portrait|Landscape|Paper|Margins|Page size:|Width:|Height:|"
        "Orientation|Page Layout|Page order:|Pages per sheet:|Paper source:|Millimeters (mm)|"
        "Next page|Previous page|First page|Last page|Fit width|Fit page|Zoom in|Zoom out|"
        "Show single page|Show facing pages|Show overview of all pages|Printer|Properties|"
        "Options >>|Options <<|Name:|Location:|Type:|Output file:|Copies|Copies:|Collate|Reverse|"
        "Options|Print range|Print all|Pages from|to|Current Page|Selection|Output Settings|"
        "Color Mode|Color|Grayscale|Double Sided Printing|None|Print to File (PDF)|Custom")
        .split(QLatin1Char('|'));

/** Every text a dialog shows: title, labels, buttons, groups, tabs, lists, toolbar actions. */
QStringList VisibleTexts(QWidget& dialog) {
    QStringList texts{dialog.windowTitle()};
    auto shown = [&dialog](QWidget* w) { return w->isVisibleTo(&dialog); };
    for (QLabel* l : dialog.findChildren<QLabel*>())
        if (shown(l))
            texts << l->text();
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        if (shown(b))
            texts << b->text() << b->toolTip();
    for (QGroupBox* g : dialog.findChildren<QGroupBox*>())
        if (shown(g))
            texts << g->title();
    for (QTabWidget* t : dialog.findChildren<QTabWidget*>())
        for (int i = 0; shown(t) && i < t->count(); ++i)
            texts << t->tabText(i);
    for (QComboBox* c : dialog.findChildren<QComboBox*>())
        for (int i = 0; shown(c) && i < c->count(); ++i)
            texts << c->itemText(i);
    for (QHeaderView* h : dialog.findChildren<QHeaderView*>())
        for (int i = 0; shown(h) && h->model() && i < h->count(); ++i)
            texts << h->model()->headerData(i, h->orientation()).toString();
    for (QAction* a : dialog.findChildren<QAction*>())
        if (a->isVisible())
            texts << a->text() << a->toolTip();
    for (QString& t : texts)
        t.remove(QLatin1Char('&'));
    return texts;
}

/** The English texts a dialog shows, "|"-separated; `unfold` opens what it hides at first. */
std::string EnglishIn(QWidget& dialog, const std::function<void()>& unfold = {}) {
    dialog.show();
    QApplication::processEvents();
    if (unfold) {
        unfold();
        QApplication::processEvents();
    }
    QStringList english;
    for (const QString& text : VisibleTexts(dialog))
        if (kEnglish.contains(text))
            english << text;
    dialog.hide();
    return english.join(QLatin1Char('|')).toStdString();
}

TEST(QtStockDialogs, PreviewPageSetupPrintAndFileDialogsSpeakSwedish) {
    ASSERT_TRUE(ui::qt::InstallQtTranslations(*QCoreApplication::instance()));
    QPrinter printer;
    QPrintPreviewDialog preview(&printer);
    EXPECT_EQ(EnglishIn(preview), "");
    EXPECT_EQ(preview.windowTitle(), "Förhandsgranskning");
    QPageSetupDialog pageSetup(&printer);
    EXPECT_EQ(EnglishIn(pageSetup), "");
    QPrintDialog print(&printer);
    EXPECT_EQ(EnglishIn(print,
                        [&print] {
                            for (QAbstractButton* b : print.findChildren<QAbstractButton*>())
                                if (b->text().endsWith(">>"))
                                    b->click();
                        }),
              "");
    QFileDialog file(nullptr, "Spara som PDF");
    file.setOption(QFileDialog::DontUseNativeDialog);
    file.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(EnglishIn(file), "");
}

} // namespace
} // namespace mivra
