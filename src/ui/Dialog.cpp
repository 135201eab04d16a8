#include "ui/Dialog.h"

namespace mivra::ui {

void Dialog::Open(Window& window, ui::Host& host) {
    m_window = &window;
    m_host = &host;
    m_ended = false;
    m_endCode = 0;
    OnInit();
}

void Dialog::Close() {
    m_window = nullptr;
}

void Dialog::End(int code) {
    m_ended = true;
    m_endCode = code;
}

void Dialog::Deliver(const Event& e) {
    switch (e.kind) {
    case EventKind::Command:
        if (e.id == kIdOk)
            OnOk();
        else if (e.id == kIdCancel)
            OnCancel();
        else
            OnCommand(e.id);
        return;
    case EventKind::SelChange:
        return OnSelChange(e.id);
    case EventKind::DoubleClick:
        return OnDoubleClick(e.id, e.row);
    case EventKind::EditChange:
        return OnEditChange(e.id);
    case EventKind::FocusGained:
    case EventKind::FocusLost:
        return OnFocus(e.id, e.kind == EventKind::FocusGained);
    case EventKind::Click:
        return OnClick(e.id, e.row, e.column, e.point);
    case EventKind::Hover:
        return OnHover(e.id, e.row);
    case EventKind::UpDown:
        return OnUpDown(e.id, e.delta);
    case EventKind::ListKey:
        return OnListKey(e.id, e.delta, e.delta == 0 ? static_cast<char32_t>(e.row) : 0);
    }
}

void Dialog::Paint(int id, Canvas& canvas, Size size) {
    OnPaint(id, canvas, size);
}

} // namespace mivra::ui
