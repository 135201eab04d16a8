#pragma once

#include "ui/PropertySheet.h"
#include "ui/qt/QtForm.h"

#include <memory>
#include <vector>

#include <QDialog>

class QBoxLayout;
class QPushButton;
class QTabWidget;

namespace mivra::ui {
class TemplateLibrary;
}

namespace mivra::ui::qt {

/** The texts of a sheet's standard buttons. */
struct SheetCaptions {
    QString ok;
    QString cancel;
    QString apply;
};

/**
 * A property sheet as a tabbed dialog: the pages' templates in tabs, OK, Cancel and Apply
 * at the bottom right and the sheet's added buttons at the bottom left. The rules are the
 * PropertySheet's; this class only reports what the user does.
 */
class QtSheet : public QDialog, public SheetFrame {
public:
    QtSheet(PropertySheet& sheet, const TemplateLibrary& templates, const SheetCaptions& captions,
            QWidget* parent);
    ~QtSheet() override;

    /** Opens the sheet and runs it modally; the code it ended with. */
    int Run(ui::Host& host);

    Window& Controls() override { return *m_controls; }
    Window& PageWindow(int index) override;
    void ShowPage(int index) override;
    void AddButton(int id, std::string_view caption) override;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* MakeButton(int id, const QString& caption, QBoxLayout* row);
    void AfterAction();

    PropertySheet& m_sheet;
    QTabWidget* m_tabs;
    QBoxLayout* m_extraButtons;
    std::vector<std::unique_ptr<QtForm>> m_pages;
    std::unique_ptr<QtWindow> m_controls;
};

} // namespace mivra::ui::qt
