#pragma once

#include "ui/Template.h"
#include "ui/TemplateUse.h"
#include "ui/Window.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace mivra::ui::headless {

/**
 * A window kept as plain state, built from a template. A call naming an id the template
 * lacks, an id the owning class did not declare, or an operation the control does not have
 * is reported as a failure and changes nothing.
 */
class HeadlessWindow : public Window {
public:
    using Report = std::function<void(const std::string&)>;

    struct Row {
        std::string text;
        uint32_t data = 0;
        bool selected = false;
    };
    struct Control {
        TemplateControl def;
        std::string text;
        bool shown = true;
        bool enabled = true;
        bool checked = false;
        int limit = 0;
        int caret = 0;
        std::vector<Row> rows;
        int current = -1;
        int top = 0;
        std::vector<int> tabStops;
        int columnWidth = 0;
        int low = 0;
        int high = 100;
        int value = 0;
        int redraws = 0;
    };

    /** `use` (may be null) lists the ids the system code may touch. */
    HeadlessWindow(Template t, const TemplateUse* use, Report report);

    void SetText(int id, std::string_view text) override;
    std::string Text(int id) const override;
    void Show(int id, bool shown = true) override;
    bool IsShown(int id) const override;
    void Enable(int id, bool enabled = true) override;
    bool IsEnabled(int id) const override;
    void SetFocus(int id) override;
    int Focus() const override { return m_focus; }
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
    void SetTitle(std::string_view title) override { m_title = title; }
    std::string Title() const override { return m_title; }
    Size ClientSize() const override { return m_template.size; }
    BaseUnits Units() const override { return {}; }

    const Template& Source() const { return m_template; }
    /** Adds a control after construction (the sheet frame's own buttons). */
    void AddControl(const TemplateControl& def);
    /** The state of a control for the test driver; null (and a report) when there is none. */
    Control* Find(int id, std::string_view action);
    const Control* Find(int id, std::string_view action) const;
    /** Moves the focus as the user does; returns the id that had it. */
    int MoveFocus(int id);
    void Fail(const std::string& why) const;

private:
    using Kinds = std::initializer_list<ControlKind>;
    Control* Get(int id, std::string_view op, Kinds kinds);
    const Control* Get(int id, std::string_view op, Kinds kinds) const;
    Row* GetRow(int id, int row, std::string_view op, Kinds kinds);
    const Row* GetRow(int id, int row, std::string_view op, Kinds kinds) const;
    bool Declared(int id) const;

    Template m_template;
    const TemplateUse* m_use;
    Report m_report;
    std::map<int, Control> m_controls;
    std::string m_title;
    int m_focus = 0;
};

/** Keeps an edit's text within its limit, counted in characters. */
std::string LimitText(std::string_view text, int limit);

} // namespace mivra::ui::headless
