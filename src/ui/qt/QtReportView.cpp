#include "ui/qt/QtReportView.h"

#include "ui/qt/QtCanvas.h"

#include <optional>

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace mivra::ui::qt {
namespace {

std::optional<Key> KeyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    default:
        return std::nullopt;
    }
}

} // namespace

QtReportView::QtReportView(ScrollView& view, QWidget* parent)
    : QAbstractScrollArea(parent), m_view(view), m_window(viewport()) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
}

void QtReportView::Sync() {
    m_syncing = true;
    const QSize area = viewport()->size();
    m_view.SetViewport({area.width(), area.height()});
    const Size size = m_view.ScrollSize();
    horizontalScrollBar()->setRange(0, std::max(0, size.width - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, size.height - area.height()));
    horizontalScrollBar()->setPageStep(m_view.PageStep().width);
    verticalScrollBar()->setPageStep(m_view.PageStep().height);
    horizontalScrollBar()->setSingleStep(m_view.LineStep().width);
    verticalScrollBar()->setSingleStep(m_view.LineStep().height);
    const Point at = m_view.ScrollPosition();
    horizontalScrollBar()->setValue(at.x);
    verticalScrollBar()->setValue(at.y);
    m_syncing = false;
    viewport()->update();
}

void QtReportView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    QtCanvas canvas(painter, logicalDpiX(), logicalDpiY(), false);
    m_view.Paint(canvas);
}

void QtReportView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Sync();
}

void QtReportView::scrollContentsBy(int, int) {
    if (m_syncing)
        return;
    m_view.ScrollTo({horizontalScrollBar()->value(), verticalScrollBar()->value()});
    viewport()->update();
}

void QtReportView::keyPressEvent(QKeyEvent* event) {
    std::optional<Key> key = KeyOf(event->key());
    if (key && m_view.OnKey(*key)) {
        Sync();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void QtReportView::contextMenuEvent(QContextMenuEvent* event) {
    m_view.OnContextMenu(m_window, {event->pos().x(), event->pos().y()});
}

} // namespace mivra::ui::qt
