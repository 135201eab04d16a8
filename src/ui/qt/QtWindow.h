#pragma once

#include "ui/Window.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

namespace mivra::ui::qt {

/**
 * A Window over a widget tree built from a template: controls are the widgets named c<id>.
 * Every call blocks the widget's signals, so the system's own changes raise no events.
 */
class QtWindow : public Window {
public:
    explicit QtWindow(QWidget* root);

    QWidget* Root() const { return m_root; }
    /** The widget of a control id, or null. */
    QWidget* Control(int id) const { return m_controls.value(id); }
    const QHash<int, QWidget*>& Controls() const { return m_controls; }
    /** Adds a control created outside the template (the sheet's own buttons). */
    void Bind(int id, QWidget* widget);
    /** The control a widget belongs to (it or an ancestor), or 0. */
    int IdOf(const QWidget* widget) const;
    /** True while the system moves the focus, so focus events are not reported. */
    bool InSystemCall() const { return m_systemCall; }

    void SetText(int id, std::string_view text) override;
    std::string Text(int id) const override;
    void Show(int id, bool shown = true) override;
    bool IsShown(int id) const override;
    void Enable(int id, bool enabled = true) override;
    bool IsEnabled(int id) const override;
    void SetFocus(int id) override;
    int Focus() const override;
    void Redraw(int id) override;
    void SetChecked(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void SetLimit(int id, int characters) override;
    void SetCaret(int id, int position) override;
    void ClearRows(int id) override;
    int AddRow(int id, std::string_view text, uint32_t data = 0) override;
    int InsertRow(int id, int row, std::string_view text, uint32_t data = 0) override;
    int RowCount(int id) const override;
    std::string RowText(int id, int row) const override;
    uint32_t RowData(int id, int row) const override;
    void SetRowData(int id, int row, uint32_t data) override;
    int Selection(int id) const override;
    void Select(int id, int row) override;
    void SetRowSelected(int id, int row, bool selected) override;
    bool IsRowSelected(int id, int row) const override;
    std::vector<int> SelectedRows(int id) const override;
    void SetTabStops(int id, std::span<const int> dialogUnits) override;
    void SetColumnWidth(int id, int dialogUnits) override;
    int TopIndex(int id) const override;
    void SetTopIndex(int id, int row) override;
    void SetRange(int id, int low, int high) override;
    void SetValue(int id, int value) override;
    int Value(int id) const override;
    void SetTitle(std::string_view title) override;
    std::string Title() const override;
    Size ClientSize() const override;
    BaseUnits Units() const override;

private:
    /** The control's widget as a T, or null with a warning naming the operation. */
    template <class T>
    T* As(int id, const char* op) const;

    QPointer<QWidget> m_root;
    QHash<int, QWidget*> m_controls;
    bool m_systemCall = false;
};

/** Dialog base units of a font, measured the way the dialogs' home platform does. */
BaseUnits UnitsOf(const QFont& font);

} // namespace mivra::ui::qt
