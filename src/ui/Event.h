#pragma once

#include "ui/Geometry.h"

// What a window reports to the system's dialog class. Events come only from the user (or a
// test acting as the user), never from the system's own calls on the window, so a handler
// that sets a control's text or selection is not called back for it.
namespace mivra::ui {

class Canvas;

enum class EventKind {
    Command,     ///< a button pressed or a menu item chosen; id is the button or menu id
    SelChange,   ///< the selection of a list or combo box changed
    DoubleClick, ///< a list row double-clicked; row is the row
    EditChange,  ///< the text of an edit changed
    FocusGained,
    FocusLost,
    /**
     * Left button released on a list (row, or -1 below the rows; column, the tab column of
     * the row's text under the point, or -1) or on a surface; point in client pixels.
     */
    Click,
    Hover,  ///< the pointer moved onto list row `row`; -1 when it left the list
    UpDown, ///< an up-down control stepped by delta
    /**
     * A key on a list that asks for its keys (property "keyed" in its template): delta -1 for
     * the Up arrow and +1 for Down, or delta 0 with the character typed in row. The list itself
     * does nothing with these keys.
     */
    ListKey,
};

struct Event {
    Event(EventKind k, int control, int r = -1, Point p = {}, int d = 0, int col = -1)
        : kind(k), id(control), row(r), point(p), delta(d), column(col) {}

    EventKind kind;
    int id;
    int row;
    Point point;
    int delta;
    int column;
};

/** Receives the events of one window; the backends deliver through it and nothing else. */
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void Deliver(const Event& event) = 0;
    /** Paints owner-drawn control `id`, whose client area is `size` pixels. */
    virtual void Paint(int id, Canvas& canvas, Size size) = 0;
};

} // namespace mivra::ui
