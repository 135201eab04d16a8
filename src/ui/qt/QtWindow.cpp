#include "ui/qt/QtWindow.h"

#include "ui/qt/QtItems.h"
#include "ui/qt/QtText.h"
#include "ui/qt/TabStopDelegate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>

namespace mivra::ui::qt {
namespace {

/** Where a top index asked for before the list was laid out waits (see the event binder). */
constexpr char kPendingTop[] = "mivraPendingTop";
// The value EventBinder measures a spin's step from: a value set here is no step.
constexpr char kLastValue[] = "mivraLastValue";
// A push button's whole caption when the button shows it cut.
constexpr char kFullText[] = "mivraFullText";

// A caption wider than a fixed-width button (a talk's title, say) is cut at its end with
// "…", never at both ends; the whole text stays the button's text for the program and shows
// as its tooltip.
void SetPushButtonText(QPushButton* button, const QString& text) {
    QString shown = text;
    if (const int width = button->maximumWidth(); width < QWIDGETSIZE_MAX) {
        QStyle* style = button->style();
        const int inset = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                          style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        shown = button->fontMetrics().elidedText(text, Qt::ElideRight, width - 2 * inset);
    }
    const bool cut = shown != text;
    if (cut || button->property(kFullText).isValid())
        button->setToolTip(cut ? text : QString());
    button->setProperty(kFullText, cut ? QVariant(text) : QVariant());
    button->setText(shown);
}

} // namespace

BaseUnits UnitsOf(const QFont& font) {
    QFontMetrics fm(font);
    int width = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, fm.height()};
}

QtWindow::QtWindow(QWidget* root) : m_root(root) {
    static const QRegularExpression name(QStringLiteral("^c([1-9][0-9]{0,4})$"));
    for (QWidget* w : root->findChildren<QWidget*>()) {
        QRegularExpressionMatch m = name.match(w->objectName());
        if (m.hasMatch())
            m_controls.insert(m.captured(1).toInt(), w);
    }
}

void QtWindow::Bind(int id, QWidget* widget) {
    m_controls.insert(id, widget);
}

int QtWindow::IdOf(const QWidget* widget) const {
    for (; widget && widget != m_root; widget = widget->parentWidget())
        for (auto it = m_controls.begin(); it != m_controls.end(); ++it)
            if (it.value() == widget)
                return it.key();
    return 0;
}

template <class T>
T* QtWindow::As(int id, const char* op) const {
    QWidget* w = m_controls.value(id);
    T* t = qobject_cast<T*>(w);
    if (!t)
        qWarning("mivra: %s: template control %d %s", op, id,
                 w ? "is of another kind" : "does not exist");
    return t;
}

void QtWindow::SetText(int id, std::string_view text) {
    QWidget* w = As<QWidget>(id, "SetText");
    if (!w)
        return;
    QSignalBlocker block(w);
    const QString t = ToQt(text);
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(t);
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(t);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        plain->setPlainText(t);
    else if (auto* push = qobject_cast<QPushButton*>(w))
        SetPushButtonText(push, t);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(t);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        group->setTitle(t);
    else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable())
        combo->setEditText(t);
    else if (combo)
        combo->setCurrentIndex(combo->findText(t));
}

std::string QtWindow::Text(int id) const {
    QWidget* w = As<QWidget>(id, "Text");
    if (auto* label = qobject_cast<QLabel*>(w))
        return FromQt(label->text());
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return FromQt(edit->text());
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return FromQt(plain->toPlainText());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        const QVariant full = button->property(kFullText);
        return FromQt(full.isValid() ? full.toString() : button->text());
    }
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return FromQt(group->title());
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return FromQt(combo->currentText());
    return {};
}

void QtWindow::Show(int id, bool shown) {
    if (QWidget* w = As<QWidget>(id, "Show"))
        w->setVisible(shown);
}

bool QtWindow::IsShown(int id) const {
    QWidget* w = As<QWidget>(id, "IsShown");
    return w && !w->isHidden();
}

void QtWindow::Enable(int id, bool enabled) {
    if (QWidget* w = As<QWidget>(id, "Enable"))
        w->setEnabled(enabled);
}

bool QtWindow::IsEnabled(int id) const {
    QWidget* w = As<QWidget>(id, "IsEnabled");
    return w && w->isEnabled();
}

void QtWindow::SetFocus(int id) {
    if (QWidget* w = As<QWidget>(id, "SetFocus")) {
        m_systemCall = true;
        w->setFocus(Qt::OtherFocusReason);
        m_systemCall = false;
    }
}

int QtWindow::Focus() const {
    return IdOf(QApplication::focusWidget());
}

void QtWindow::Redraw(int id) {
    if (QWidget* w = As<QWidget>(id, "Redraw"))
        w->update();
}

void QtWindow::SetChecked(int id, bool checked) {
    auto* b = As<QAbstractButton>(id, "SetChecked");
    if (!b)
        return;
    QSignalBlocker block(b);
    // An exclusive radio button refuses to be cleared while it is the checked one.
    bool exclusive = b->autoExclusive();
    b->setAutoExclusive(false);
    b->setChecked(checked);
    b->setAutoExclusive(exclusive);
}

bool QtWindow::IsChecked(int id) const {
    auto* b = As<QAbstractButton>(id, "IsChecked");
    return b && b->isChecked();
}

void QtWindow::SetLimit(int id, int characters) {
    if (auto* edit = As<QLineEdit>(id, "SetLimit")) {
        QSignalBlocker block(edit);
        edit->setMaxLength(characters > 0 ? characters : 32767);
    }
}

void QtWindow::SetCaret(int id, int position) {
    if (auto* edit = As<QLineEdit>(id, "SetCaret"))
        edit->setCursorPosition(position);
}

void QtWindow::ClearRows(int id) {
    QWidget* w = As<QWidget>(id, "ClearRows");
    QSignalBlocker block(w);
    if (auto items = ItemsOf(w))
        items->Clear();
}

int QtWindow::AddRow(int id, std::string_view text, uint32_t data) {
    return InsertRow(id, -1, text, data);
}

int QtWindow::InsertRow(int id, int row, std::string_view text, uint32_t data) {
    QWidget* w = As<QWidget>(id, "InsertRow");
    auto items = ItemsOf(w);
    if (!items)
        return -1;
    QSignalBlocker block(w);
    if (row < 0 || row > items->Count())
        row = items->Count();
    items->Insert(row, ToQt(text), data);
    return row;
}

int QtWindow::RowCount(int id) const {
    auto items = ItemsOf(As<QWidget>(id, "RowCount"));
    return items ? items->Count() : 0;
}

std::string QtWindow::RowText(int id, int row) const {
    auto items = ItemsOf(As<QWidget>(id, "RowText"));
    return items && items->Has(row) ? FromQt(items->Text(row)) : std::string();
}

uint32_t QtWindow::RowData(int id, int row) const {
    auto items = ItemsOf(As<QWidget>(id, "RowData"));
    return items && items->Has(row) ? items->Data(row) : 0;
}

void QtWindow::SetRowData(int id, int row, uint32_t data) {
    auto items = ItemsOf(As<QWidget>(id, "SetRowData"));
    if (items && items->Has(row))
        items->SetData(row, data);
}

int QtWindow::Selection(int id) const {
    auto items = ItemsOf(As<QWidget>(id, "Selection"));
    return items ? items->Current() : -1;
}

void QtWindow::Select(int id, int row) {
    QWidget* w = As<QWidget>(id, "Select");
    auto items = ItemsOf(w);
    if (!items)
        return;
    QSignalBlocker block(w);
    items->SetCurrent(items->Has(row) ? row : -1);
}

void QtWindow::SetRowSelected(int id, int row, bool selected) {
    auto* list = As<QListWidget>(id, "SetRowSelected");
    if (list && row >= 0 && row < list->count()) {
        QSignalBlocker block(list);
        list->item(row)->setSelected(selected);
    }
}

bool QtWindow::IsRowSelected(int id, int row) const {
    auto* list = As<QListWidget>(id, "IsRowSelected");
    return list && row >= 0 && row < list->count() && list->item(row)->isSelected();
}

std::vector<int> QtWindow::SelectedRows(int id) const {
    std::vector<int> rows;
    if (auto* list = As<QListWidget>(id, "SelectedRows"))
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->isSelected())
                rows.push_back(i);
    return rows;
}

void QtWindow::SetTabStops(int id, std::span<const int> dialogUnits) {
    auto* list = As<QListWidget>(id, "SetTabStops");
    if (!list)
        return;
    if (auto* delegate = qobject_cast<TabStopDelegate*>(list->itemDelegate()))
        delegate->SetStops({dialogUnits.begin(), dialogUnits.end()});
    list->viewport()->update();
}

void QtWindow::SetColumnWidth(int id, int dialogUnits) {
    auto* list = As<QListWidget>(id, "SetColumnWidth");
    if (!list)
        return;
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    BaseUnits u = UnitsOf(list->font());
    list->setGridSize(QSize(dialogUnits * u.x / 4, QFontMetrics(list->font()).height() + 2));
}

int QtWindow::TopIndex(int id) const {
    auto* list = As<QListWidget>(id, "TopIndex");
    if (!list)
        return 0;
    QVariant pending = list->property(kPendingTop);
    if (pending.isValid())
        return pending.toInt();
    QModelIndex top = list->indexAt(QPoint(2, 2));
    return top.isValid() ? top.row() : 0;
}

void QtWindow::SetTopIndex(int id, int row) {
    auto* list = As<QListWidget>(id, "SetTopIndex");
    if (!list || list->count() == 0)
        return;
    row = std::clamp(row, 0, list->count() - 1);
    if (!list->isVisible()) {
        list->setProperty(kPendingTop, row); // applied when the list is first shown
        return;
    }
    list->setProperty(kPendingTop, QVariant());
    list->scrollToItem(list->item(row), QAbstractItemView::PositionAtTop);
}

void QtWindow::SetRange(int id, int low, int high) {
    if (auto* spin = As<QSpinBox>(id, "SetRange")) {
        QSignalBlocker block(spin);
        spin->setRange(std::min(low, high), std::max(low, high));
        spin->setProperty(kLastValue, spin->value());
    }
}

void QtWindow::SetValue(int id, int value) {
    if (auto* spin = As<QSpinBox>(id, "SetValue")) {
        QSignalBlocker block(spin);
        spin->setValue(value);
        spin->setProperty(kLastValue, spin->value());
    }
}

int QtWindow::Value(int id) const {
    auto* spin = As<QSpinBox>(id, "Value");
    return spin ? spin->value() : 0;
}

void QtWindow::SetTitle(std::string_view title) {
    m_root->window()->setWindowTitle(ToQt(title));
}

std::string QtWindow::Title() const {
    return FromQt(m_root->window()->windowTitle());
}

Size QtWindow::ClientSize() const {
    return {m_root->width(), m_root->height()};
}

BaseUnits QtWindow::Units() const {
    return UnitsOf(m_root->font());
}

} // namespace mivra::ui::qt
