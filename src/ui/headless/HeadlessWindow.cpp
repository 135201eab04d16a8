#include "ui/headless/HeadlessWindow.h"

#include "base/Text.h"

#include <algorithm>
#include <utility>

namespace mivra::ui::headless {
namespace {

constexpr std::initializer_list<ControlKind> kItems = {ControlKind::List, ControlKind::Combo};
constexpr std::initializer_list<ControlKind> kList = {ControlKind::List};
constexpr std::initializer_list<ControlKind> kAny = {};

const char* KindName(ControlKind k) {
    switch (k) {
    case ControlKind::Static:
        return "static text";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::Button:
        return "push button";
    case ControlKind::Check:
        return "check box";
    case ControlKind::Radio:
        return "radio button";
    case ControlKind::Group:
        return "group box";
    case ControlKind::List:
        return "list box";
    case ControlKind::Combo:
        return "combo box";
    case ControlKind::UpDown:
        return "up-down control";
    case ControlKind::Surface:
        return "owner-drawn surface";
    }
    return "control";
}

} // namespace

std::string LimitText(std::string_view text, int limit) {
    if (limit <= 0)
        return std::string(text);
    return std::string(text::LeftChars(text, static_cast<size_t>(limit)));
}

HeadlessWindow::HeadlessWindow(Template t, const TemplateUse* use, Report report)
    : m_template(std::move(t)), m_use(use), m_report(std::move(report)), m_title(m_template.title) {
    for (const TemplateControl& def : m_template.controls)
        AddControl(def);
}

void HeadlessWindow::AddControl(const TemplateControl& def) {
    Control c;
    c.def = def;
    c.text = def.text;
    c.shown = def.visible;
    c.enabled = def.enabled;
    c.checked = def.checked;
    c.limit = def.maxLength;
    m_controls.insert_or_assign(def.id, std::move(c));
}

void HeadlessWindow::Fail(const std::string& why) const {
    if (m_report)
        m_report("template " + std::to_string(m_template.id) + ": " + why);
}

bool HeadlessWindow::Declared(int id) const {
    return !m_use ||
           std::find(m_use->controls.begin(), m_use->controls.end(), id) != m_use->controls.end();
}

HeadlessWindow::Control* HeadlessWindow::Find(int id, std::string_view action) {
    return const_cast<Control*>(std::as_const(*this).Find(id, action));
}

const HeadlessWindow::Control* HeadlessWindow::Find(int id, std::string_view action) const {
    auto it = m_controls.find(id);
    if (it == m_controls.end()) {
        Fail(std::string(action) + ": the template has no control " + std::to_string(id));
        return nullptr;
    }
    return &it->second;
}

const HeadlessWindow::Control* HeadlessWindow::Get(int id, std::string_view op, Kinds kinds) const {
    if (!Declared(id)) {
        Fail(std::string(op) + ": " + m_use->owner + " does not declare control " +
             std::to_string(id));
        return nullptr;
    }
    const Control* c = Find(id, op);
    if (c && kinds.size() != 0 &&
        std::find(kinds.begin(), kinds.end(), c->def.kind) == kinds.end()) {
        Fail(std::string(op) + ": control " + std::to_string(id) + " is a " +
             KindName(c->def.kind));
        return nullptr;
    }
    return c;
}

HeadlessWindow::Control* HeadlessWindow::Get(int id, std::string_view op, Kinds kinds) {
    return const_cast<Control*>(std::as_const(*this).Get(id, op, kinds));
}

const HeadlessWindow::Row* HeadlessWindow::GetRow(int id, int row, std::string_view op,
                                                  Kinds kinds) const {
    const Control* c = Get(id, op, kinds);
    if (!c)
        return nullptr;
    if (row < 0 || row >= static_cast<int>(c->rows.size())) {
        Fail(std::string(op) + ": control " + std::to_string(id) + " has no row " +
             std::to_string(row));
        return nullptr;
    }
    return &c->rows[static_cast<size_t>(row)];
}

HeadlessWindow::Row* HeadlessWindow::GetRow(int id, int row, std::string_view op, Kinds kinds) {
    return const_cast<Row*>(std::as_const(*this).GetRow(id, row, op, kinds));
}

void HeadlessWindow::SetText(int id, std::string_view text) {
    if (Control* c = Get(id, "SetText", kAny))
        c->text = c->def.kind == ControlKind::Edit ? LimitText(text, c->limit) : std::string(text);
}

std::string HeadlessWindow::Text(int id) const {
    const Control* c = Get(id, "Text", kAny);
    if (!c)
        return {};
    if (c->def.kind == ControlKind::Combo && c->current >= 0)
        return c->rows[static_cast<size_t>(c->current)].text;
    return c->text;
}

void HeadlessWindow::Show(int id, bool shown) {
    if (Control* c = Get(id, "Show", kAny))
        c->shown = shown;
}

bool HeadlessWindow::IsShown(int id) const {
    const Control* c = Get(id, "IsShown", kAny);
    return c && c->shown;
}

void HeadlessWindow::Enable(int id, bool enabled) {
    if (Control* c = Get(id, "Enable", kAny))
        c->enabled = enabled;
}

bool HeadlessWindow::IsEnabled(int id) const {
    const Control* c = Get(id, "IsEnabled", kAny);
    return c && c->enabled;
}

void HeadlessWindow::SetFocus(int id) {
    if (Get(id, "SetFocus", kAny))
        m_focus = id;
}

int HeadlessWindow::MoveFocus(int id) {
    int previous = m_focus;
    m_focus = id;
    return previous;
}

void HeadlessWindow::Redraw(int id) {
    Control* c = Get(id, "Redraw", kAny);
    if (c && !c->def.ownerDraw)
        Fail("Redraw: control " + std::to_string(id) + " is not owner-drawn");
    else if (c)
        ++c->redraws;
}

void HeadlessWindow::SetChecked(int id, bool checked) {
    if (Control* c = Get(id, "SetChecked", {ControlKind::Check, ControlKind::Radio}))
        c->checked = checked;
}

bool HeadlessWindow::IsChecked(int id) const {
    const Control* c = Get(id, "IsChecked", {ControlKind::Check, ControlKind::Radio});
    return c && c->checked;
}

void HeadlessWindow::SetLimit(int id, int characters) {
    if (Control* c = Get(id, "SetLimit", {ControlKind::Edit})) {
        c->limit = std::max(0, characters);
        c->text = LimitText(c->text, c->limit);
    }
}

void HeadlessWindow::SetCaret(int id, int position) {
    if (Control* c = Get(id, "SetCaret", {ControlKind::Edit}))
        c->caret = std::clamp(position, 0, static_cast<int>(text::CharCount(c->text)));
}

void HeadlessWindow::ClearRows(int id) {
    if (Control* c = Get(id, "ClearRows", kItems)) {
        c->rows.clear();
        c->current = -1;
        c->top = 0;
    }
}

int HeadlessWindow::AddRow(int id, std::string_view text, uint32_t data) {
    return InsertRow(id, -1, text, data);
}

int HeadlessWindow::InsertRow(int id, int row, std::string_view text, uint32_t data) {
    Control* c = Get(id, "InsertRow", kItems);
    if (!c)
        return -1;
    int count = static_cast<int>(c->rows.size());
    if (row < 0 || row > count)
        row = count;
    c->rows.insert(c->rows.begin() + row, Row{std::string(text), data, false});
    if (c->current >= row)
        ++c->current;
    return row;
}

int HeadlessWindow::RowCount(int id) const {
    const Control* c = Get(id, "RowCount", kItems);
    return c ? static_cast<int>(c->rows.size()) : 0;
}

std::string HeadlessWindow::RowText(int id, int row) const {
    const Row* r = GetRow(id, row, "RowText", kItems);
    return r ? r->text : std::string();
}

uint32_t HeadlessWindow::RowData(int id, int row) const {
    const Row* r = GetRow(id, row, "RowData", kItems);
    return r ? r->data : 0;
}

void HeadlessWindow::SetRowData(int id, int row, uint32_t data) {
    if (Row* r = GetRow(id, row, "SetRowData", kItems))
        r->data = data;
}

int HeadlessWindow::Selection(int id) const {
    const Control* c = Get(id, "Selection", kItems);
    return c ? c->current : -1;
}

void HeadlessWindow::Select(int id, int row) {
    Control* c = Get(id, "Select", kItems);
    if (!c)
        return;
    if (row < -1 || row >= static_cast<int>(c->rows.size()))
        row = -1; // as a list box does with a row it does not have
    for (Row& r : c->rows)
        r.selected = false;
    c->current = row;
    if (row >= 0)
        c->rows[static_cast<size_t>(row)].selected = true;
}

void HeadlessWindow::SetRowSelected(int id, int row, bool selected) {
    const Control* c = Get(id, "SetRowSelected", kList);
    if (c && !c->def.multiSelect) {
        Fail("SetRowSelected: list " + std::to_string(id) + " takes a single selection");
        return;
    }
    if (Row* r = GetRow(id, row, "SetRowSelected", kList))
        r->selected = selected;
}

bool HeadlessWindow::IsRowSelected(int id, int row) const {
    const Row* r = GetRow(id, row, "IsRowSelected", kList);
    return r && r->selected;
}

std::vector<int> HeadlessWindow::SelectedRows(int id) const {
    std::vector<int> rows;
    if (const Control* c = Get(id, "SelectedRows", kList))
        for (size_t i = 0; i < c->rows.size(); ++i)
            if (c->rows[i].selected)
                rows.push_back(static_cast<int>(i));
    return rows;
}

void HeadlessWindow::SetTabStops(int id, std::span<const int> dialogUnits) {
    if (Control* c = Get(id, "SetTabStops", kList))
        c->tabStops.assign(dialogUnits.begin(), dialogUnits.end());
}

void HeadlessWindow::SetColumnWidth(int id, int dialogUnits) {
    if (Control* c = Get(id, "SetColumnWidth", kList))
        c->columnWidth = dialogUnits;
}

int HeadlessWindow::TopIndex(int id) const {
    const Control* c = Get(id, "TopIndex", kList);
    return c ? c->top : 0;
}

void HeadlessWindow::SetTopIndex(int id, int row) {
    if (Control* c = Get(id, "SetTopIndex", kList))
        c->top = std::clamp(row, 0, std::max(0, static_cast<int>(c->rows.size()) - 1));
}

void HeadlessWindow::SetRange(int id, int low, int high) {
    if (Control* c = Get(id, "SetRange", {ControlKind::UpDown})) {
        c->low = std::min(low, high);
        c->high = std::max(low, high);
        c->value = std::clamp(c->value, c->low, c->high);
    }
}

void HeadlessWindow::SetValue(int id, int value) {
    if (Control* c = Get(id, "SetValue", {ControlKind::UpDown}))
        c->value = std::clamp(value, c->low, c->high);
}

int HeadlessWindow::Value(int id) const {
    const Control* c = Get(id, "Value", {ControlKind::UpDown});
    return c ? c->value : 0;
}

} // namespace mivra::ui::headless
