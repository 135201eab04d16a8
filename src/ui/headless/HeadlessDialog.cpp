#include "ui/headless/HeadlessDialog.h"

#include "ui/TabColumns.h"
#include "ui/headless/HeadlessHost.h"

#include <algorithm>

namespace mivra::ui::headless {
namespace {

constexpr int kRowHeight = 13; // the headless list's row height, in pixels
constexpr int kCharWidth = 6;  // every character is as wide as the base unit

/** Where the row's columns start as a list draws them, with every character kCharWidth wide. */
std::vector<int> DrawnColumnStarts(const HeadlessWindow::Control& c, int row) {
    std::vector<int> widths;
    for (std::string_view part : SplitColumns(c.rows[static_cast<size_t>(row)].text)) {
        int chars = 0;
        for (char ch : part)
            chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
        widths.push_back(chars * kCharWidth);
    }
    return ColumnStarts(c.tabStops, widths, BaseUnits{}.x, kCharWidth);
}

using Kinds = std::initializer_list<ControlKind>;
constexpr Kinds kPressable = {ControlKind::Button, ControlKind::Check, ControlKind::Radio};
constexpr Kinds kItems = {ControlKind::List, ControlKind::Combo};
constexpr Kinds kList = {ControlKind::List};

} // namespace

HeadlessDialog::HeadlessDialog(HeadlessHost& host, Dialog& dialog)
    : m_host(host), m_dialog(dialog), m_owned(host.BuildWindow(dialog.TemplateId(), &dialog.Use())),
      m_window(m_owned.get()) {
    m_dialog.Open(*m_window, m_host);
    if (m_dialog.HasEnded())
        m_dialog.Close();
}

HeadlessDialog::HeadlessDialog(HeadlessHost& host, Dialog& dialog, HeadlessWindow& window)
    : m_host(host), m_dialog(dialog), m_window(&window) {}

HeadlessDialog::~HeadlessDialog() {
    if (m_owned && m_dialog.IsOpen())
        m_dialog.Close();
}

void HeadlessDialog::Fail(const std::string& why) const {
    m_host.Fail("template " + std::to_string(m_dialog.TemplateId()) + ": " + why);
}

HeadlessDialog::Control* HeadlessDialog::Reach(int id, std::string_view action, Kinds kinds) {
    if (!m_dialog.IsOpen()) {
        Fail(std::string(action) + " " + std::to_string(id) + ": the dialog is closed");
        return nullptr;
    }
    Control* c = m_window->Find(id, action);
    if (!c)
        return nullptr;
    std::string what = std::string(action) + " " + std::to_string(id);
    if (std::find(kinds.begin(), kinds.end(), c->def.kind) == kinds.end())
        Fail(what + ": the user cannot do that to a " + c->def.className);
    else if (!c->shown)
        Fail(what + ": the control is hidden");
    else if (!c->enabled)
        Fail(what + ": the control is disabled");
    else
        return c;
    return nullptr;
}

const HeadlessDialog::Control* HeadlessDialog::Read(int id, std::string_view what) const {
    return m_window->Find(id, what);
}

void HeadlessDialog::Send(const Event& event) {
    m_dialog.Deliver(event);
    if (m_owned && m_dialog.HasEnded() && m_dialog.IsOpen())
        m_dialog.Close();
}

HeadlessDialog& HeadlessDialog::Press(int id) {
    Control* c = Reach(id, "Press", kPressable);
    if (!c)
        return *this;
    if (c->def.kind == ControlKind::Check) {
        c->checked = !c->checked;
    } else if (c->def.kind == ControlKind::Radio) {
        for (const TemplateControl& other : m_window->Source().controls)
            if (other.kind == ControlKind::Radio && other.parent == c->def.parent)
                m_window->Find(other.id, "Press")->checked = false;
        c->checked = true;
    }
    Send({EventKind::Command, id});
    return *this;
}

HeadlessDialog& HeadlessDialog::SetText(int id, std::string_view text) {
    if (Control* c = Reach(id, "SetText", {ControlKind::Edit})) {
        c->text = LimitText(text, c->limit);
        Send({EventKind::EditChange, id});
    }
    return *this;
}

void HeadlessDialog::ChooseRow(Control& c, int id, int row) {
    bool changed = c.current != row || std::count_if(c.rows.begin(), c.rows.end(),
                                                     [](auto& r) { return r.selected; }) != 1;
    for (auto& r : c.rows)
        r.selected = false;
    c.rows[static_cast<size_t>(row)].selected = true;
    c.current = row;
    if (changed)
        Send({EventKind::SelChange, id, row});
}

HeadlessDialog& HeadlessDialog::Select(int id, int row) {
    Control* c = Reach(id, "Select", kItems);
    if (c && (row < 0 || row >= static_cast<int>(c->rows.size())))
        Fail("Select " + std::to_string(id) + ": no row " + std::to_string(row));
    else if (c)
        ChooseRow(*c, id, row);
    return *this;
}

HeadlessDialog& HeadlessDialog::Select(int id, std::string_view text) {
    Control* c = Reach(id, "Select", kItems);
    if (!c)
        return *this;
    for (size_t i = 0; i < c->rows.size(); ++i)
        if (c->rows[i].text == text)
            return Select(id, static_cast<int>(i));
    Fail("Select " + std::to_string(id) + ": no row \"" + std::string(text) + "\"");
    return *this;
}

HeadlessDialog& HeadlessDialog::Toggle(int id, int row) {
    Control* c = Reach(id, "Toggle", kList);
    if (c && !c->def.multiSelect)
        Fail("Toggle " + std::to_string(id) + ": the list takes a single selection");
    else if (c && (row < 0 || row >= static_cast<int>(c->rows.size())))
        Fail("Toggle " + std::to_string(id) + ": no row " + std::to_string(row));
    else if (c) {
        auto& r = c->rows[static_cast<size_t>(row)];
        r.selected = !r.selected;
        c->current = row;
        Send({EventKind::SelChange, id, row});
    }
    return *this;
}

HeadlessDialog& HeadlessDialog::DoubleClick(int id, int row) {
    Select(id, row);
    if (IsOpen())
        Send({EventKind::DoubleClick, id, row});
    return *this;
}

HeadlessDialog& HeadlessDialog::ClickRow(int id, int row, int x) {
    return ClickAt(id, row, std::nullopt, x);
}

HeadlessDialog& HeadlessDialog::ClickColumn(int id, int row, int column) {
    return ClickAt(id, row, column, 0);
}

HeadlessDialog& HeadlessDialog::ClickAt(int id, int row, std::optional<int> column, int x) {
    Control* c = Reach(id, "ClickRow", kList);
    if (!c)
        return *this;
    if (row < 0 || row >= static_cast<int>(c->rows.size())) {
        Fail("ClickRow " + std::to_string(id) + ": no row " + std::to_string(row));
        return *this;
    }
    const std::vector<int> starts = DrawnColumnStarts(*c, row);
    if (column) {
        if (*column < 0 || *column > static_cast<int>(starts.size())) {
            Fail("ClickColumn " + std::to_string(id) + ": no column " + std::to_string(*column));
            return *this;
        }
        x = *column == 0 ? 0 : starts[static_cast<size_t>(*column - 1)];
    }
    if (c->def.multiSelect)
        Toggle(id, row);
    else
        ChooseRow(*c, id, row);
    Point at{x, (row - c->top) * kRowHeight + kRowHeight / 2};
    if (IsOpen())
        Send({EventKind::Click, id, row, at, 0, ColumnAt(starts, x)});
    return *this;
}

HeadlessDialog& HeadlessDialog::Click(int id, Point point) {
    if (Reach(id, "Click", {ControlKind::Surface}))
        Send({EventKind::Click, id, -1, point});
    return *this;
}

HeadlessDialog& HeadlessDialog::Hover(int id, int row) {
    Control* c = Reach(id, "Hover", kList);
    if (c && (row < -1 || row >= static_cast<int>(c->rows.size())))
        Fail("Hover " + std::to_string(id) + ": no row " + std::to_string(row));
    else if (c)
        Send({EventKind::Hover, id, row});
    return *this;
}

HeadlessDialog& HeadlessDialog::Focus(int id) {
    static constexpr Kinds kFocusable = {
        ControlKind::Edit, ControlKind::Button, ControlKind::Check,  ControlKind::Radio,
        ControlKind::List, ControlKind::Combo,  ControlKind::UpDown, ControlKind::Surface};
    if (!Reach(id, "Focus", kFocusable))
        return *this;
    int previous = m_window->MoveFocus(id);
    if (previous == id)
        return *this;
    if (previous != 0)
        Send({EventKind::FocusLost, previous});
    if (IsOpen())
        Send({EventKind::FocusGained, id});
    return *this;
}

HeadlessDialog& HeadlessDialog::Step(int id, int delta) {
    if (Control* c = Reach(id, "Step", {ControlKind::UpDown})) {
        c->value = std::clamp(c->value + delta, c->low, c->high);
        Send({EventKind::UpDown, id, -1, {}, delta});
    }
    return *this;
}

HeadlessDialog& HeadlessDialog::Arrow(int id, int step) {
    if (Reach(id, "Arrow", {ControlKind::List}))
        Send({EventKind::ListKey, id, 0, {}, step < 0 ? -1 : 1});
    return *this;
}

HeadlessDialog& HeadlessDialog::Type(int id, std::string_view characters) {
    for (char c : characters)
        if (Reach(id, "Type", {ControlKind::List}))
            Send({EventKind::ListKey, id, static_cast<unsigned char>(c), {}, 0});
    return *this;
}

RecordingCanvas HeadlessDialog::Paint(int id, Size size) {
    RecordingCanvas canvas;
    const Control* c = Read(id, "Paint");
    if (c && !c->def.ownerDraw)
        Fail("Paint " + std::to_string(id) + ": the control is not owner-drawn");
    else if (c && IsOpen())
        m_dialog.Paint(id, canvas, size);
    return canvas;
}

bool HeadlessDialog::IsShown(int id) const {
    const Control* c = Read(id, "IsShown");
    return c && c->shown;
}

bool HeadlessDialog::IsEnabled(int id) const {
    const Control* c = Read(id, "IsEnabled");
    return c && c->enabled;
}

bool HeadlessDialog::IsChecked(int id) const {
    const Control* c = Read(id, "IsChecked");
    return c && c->checked;
}

std::vector<std::string> HeadlessDialog::Rows(int id) const {
    std::vector<std::string> rows;
    if (const Control* c = Read(id, "Rows"))
        for (const auto& r : c->rows)
            rows.push_back(r.text);
    return rows;
}

uint32_t HeadlessDialog::RowData(int id, int row) const {
    const Control* c = Read(id, "RowData");
    if (!c || row < 0 || row >= static_cast<int>(c->rows.size()))
        return 0;
    return c->rows[static_cast<size_t>(row)].data;
}

int HeadlessDialog::Selection(int id) const {
    const Control* c = Read(id, "Selection");
    return c ? c->current : -1;
}

std::vector<int> HeadlessDialog::SelectedRows(int id) const {
    std::vector<int> rows;
    if (const Control* c = Read(id, "SelectedRows"))
        for (size_t i = 0; i < c->rows.size(); ++i)
            if (c->rows[i].selected)
                rows.push_back(static_cast<int>(i));
    return rows;
}

int HeadlessDialog::TopIndex(int id) const {
    const Control* c = Read(id, "TopIndex");
    return c ? c->top : 0;
}

std::vector<int> HeadlessDialog::TabStops(int id) const {
    const Control* c = Read(id, "TabStops");
    return c ? c->tabStops : std::vector<int>{};
}

int HeadlessDialog::ColumnWidth(int id) const {
    const Control* c = Read(id, "ColumnWidth");
    return c ? c->columnWidth : 0;
}

int HeadlessDialog::Limit(int id) const {
    const Control* c = Read(id, "Limit");
    return c ? c->limit : 0;
}

int HeadlessDialog::Caret(int id) const {
    const Control* c = Read(id, "Caret");
    return c ? c->caret : 0;
}

int HeadlessDialog::Value(int id) const {
    const Control* c = Read(id, "Value");
    return c ? c->value : 0;
}

int HeadlessDialog::Redraws(int id) const {
    const Control* c = Read(id, "Redraws");
    return c ? c->redraws : 0;
}

} // namespace mivra::ui::headless
