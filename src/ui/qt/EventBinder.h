#pragma once

#include "ui/Event.h"

#include <functional>

#include <QHash>
#include <QObject>

class QListWidget;
class QWidget;

namespace mivra::ui::qt {

class QtWindow;

/**
 * Wires every control of a window to its event sink, once per control: signals for clicks,
 * selections, edits and steps; an event filter for focus, list clicks and hovering, and the
 * painting and clicks of owner-drawn controls.
 */
class EventBinder : public QObject {
public:
    using Deliver = std::function<void(const Event&)>;

    EventBinder(QtWindow& window, EventSink& sink, Deliver deliver);
    /** Wires one control (the window's own are wired by the constructor). */
    void Bind(int id, QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BindList(int id, QListWidget* list);
    bool FilterList(int id, QListWidget* list, QObject* watched, QEvent* event);
    bool FilterOwnerDraw(int id, QWidget* widget, QEvent* event);
    void Send(EventKind kind, int id, int row = -1, Point point = {}, int delta = 0);

    QtWindow& m_window;
    EventSink& m_sink;
    Deliver m_deliver;
    QHash<QObject*, int> m_watched; ///< controls and list viewports, to their ids
};

} // namespace mivra::ui::qt
