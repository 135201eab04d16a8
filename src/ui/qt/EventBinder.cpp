#include "ui/qt/EventBinder.h"

#include "ui/qt/QtCanvas.h"
#include "ui/qt/QtWindow.h"
#include "ui/qt/TabStopDelegate.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>

namespace mivra::ui::qt {
namespace {

constexpr char kLastValue[] = "mivraLastValue";
constexpr char kPendingTop[] = "mivraPendingTop";

bool IsOwnerDrawn(const QWidget* w) {
    return w->property("ownerDraw").toBool();
}

} // namespace

EventBinder::EventBinder(QtWindow& window, EventSink& sink, Deliver deliver)
    : QObject(window.Root()), m_window(window), m_sink(sink), m_deliver(std::move(deliver)) {
    for (auto it = window.Controls().begin(); it != window.Controls().end(); ++it)
        Bind(it.key(), it.value());
}

void EventBinder::Send(EventKind kind, int id, int row, Point point, int delta) {
    m_deliver(Event(kind, id, row, point, delta));
}

void EventBinder::Bind(int id, QWidget* w) {
    m_watched.insert(w, id);
    w->installEventFilter(this);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, id] { Send(EventKind::Command, id); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, id] { Send(EventKind::EditChange, id); });
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        connect(plain, &QPlainTextEdit::textChanged, this,
                [this, id] { Send(EventKind::EditChange, id); });
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        BindList(id, list);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, &QComboBox::activated, this,
                [this, id](int row) { Send(EventKind::SelChange, id, row); });
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        connect(spin, &QSpinBox::valueChanged, this, [this, id, spin](int value) {
            int last =
                spin->property(kLastValue).isValid() ? spin->property(kLastValue).toInt() : value;
            spin->setProperty(kLastValue, value);
            Send(EventKind::UpDown, id, -1, {}, value - last);
        });
        spin->setProperty(kLastValue, spin->value());
    }
}

void EventBinder::BindList(int id, QListWidget* list) {
    list->setItemDelegate(new TabStopDelegate(list));
    list->setMouseTracking(true);
    list->viewport()->installEventFilter(this);
    m_watched.insert(list->viewport(), id);
    connect(list, &QListWidget::itemSelectionChanged, this,
            [this, id, list] { Send(EventKind::SelChange, id, list->currentRow()); });
    connect(list, &QListWidget::itemDoubleClicked, this, [this, id, list](QListWidgetItem* item) {
        Send(EventKind::DoubleClick, id, list->row(item));
    });
    connect(list, &QListWidget::itemEntered, this, [this, id, list](QListWidgetItem* item) {
        Send(EventKind::Hover, id, list->row(item));
    });
}

bool EventBinder::eventFilter(QObject* watched, QEvent* event) {
    auto it = m_watched.constFind(watched);
    if (it == m_watched.constEnd())
        return false;
    const int id = it.value();
    QWidget* control = m_window.Control(id);
    if (auto* list = qobject_cast<QListWidget*>(control))
        if (FilterList(id, list, watched, event))
            return true;
    if (watched == control && IsOwnerDrawn(control) && FilterOwnerDraw(id, control, event))
        return true;
    if (watched == control && !m_window.InSystemCall()) {
        if (event->type() == QEvent::FocusIn)
            Send(EventKind::FocusGained, id);
        else if (event->type() == QEvent::FocusOut)
            Send(EventKind::FocusLost, id);
    }
    return false;
}

bool EventBinder::FilterList(int id, QListWidget* list, QObject* watched, QEvent* event) {
    const bool onRows = watched == list->viewport();
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!onRows || mouse->button() != Qt::LeftButton)
            return false;
        const QPoint p = mouse->position().toPoint();
        const QModelIndex index = list->indexAt(p);
        int column = -1;
        if (auto* delegate = qobject_cast<TabStopDelegate*>(list->itemDelegate());
            delegate && index.isValid())
            column = delegate->ColumnAt(index, list->visualRect(index), p);
        m_deliver(Event(EventKind::Click, id, index.row(), {p.x(), p.y()}, 0, column));
        return false;
    }
    case QEvent::KeyPress: {
        if (onRows || !list->property("keyed").toBool())
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            Send(EventKind::ListKey, id, 0, {}, key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        const QString text = key->text();
        if (text.size() != 1 || !text.at(0).isPrint())
            return false;
        Send(EventKind::ListKey, id, static_cast<int>(text.at(0).unicode()), {}, 0);
        return true;
    }
    case QEvent::Leave:
        if (onRows)
            Send(EventKind::Hover, id, -1);
        return false;
    case QEvent::Show:
        if (!onRows && list->property(kPendingTop).isValid()) {
            int row = list->property(kPendingTop).toInt();
            list->setProperty(kPendingTop, QVariant());
            QTimer::singleShot(0, list, [list, row] {
                if (row < list->count())
                    list->scrollToItem(list->item(row), QAbstractItemView::PositionAtTop);
            });
        }
        return false;
    default:
        return false;
    }
}

bool EventBinder::FilterOwnerDraw(int id, QWidget* w, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        QPainter painter(w);
        QtCanvas canvas(painter, w->logicalDpiX(), w->logicalDpiY(), false);
        m_sink.Paint(id, canvas, {w->width(), w->height()});
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && !qobject_cast<QAbstractButton*>(w)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QPoint p = mouse->position().toPoint();
        if (mouse->button() == Qt::LeftButton)
            Send(EventKind::Click, id, -1, {p.x(), p.y()});
    }
    return false;
}

} // namespace mivra::ui::qt
