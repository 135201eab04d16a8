#pragma once

#include "ui/Event.h"
#include "ui/TemplateUse.h"
#include "ui/Window.h"

namespace mivra::ui {

class Host;

/**
 * The system-side base of every dialog, property page and panel: the backend binds it to a
 * window built from its template and delivers events; the class reacts through its
 * handlers. OK (id 1) and Cancel (id 2) end the dialog unless a handler says otherwise.
 */
class Dialog : public EventSink {
public:
    explicit Dialog(const TemplateUse& use) : m_use(use) {}
    ~Dialog() override = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int TemplateId() const { return m_use.templateId; }
    /** Where the window opens, in dialog units from its centred place. */
    Point Offset() const { return m_offset; }
    const TemplateUse& Use() const { return m_use; }

    // For the backends.
    /** Binds the window, then runs OnInit. */
    void Open(Window& window, ui::Host& host);
    void Close();
    bool IsOpen() const { return m_window != nullptr; }
    bool HasEnded() const { return m_ended; }
    int EndCode() const { return m_endCode; }
    void Deliver(const Event& event) override;
    void Paint(int id, Canvas& canvas, Size size) override;

protected:
    Window& Win() const { return *m_window; }
    ui::Host& Host() const { return *m_host; }
    /** Opens the window this far (dialog units) from its centred place; set before it shows. */
    void SetOffset(Point units) { m_offset = units; }
    /** Ends a modal dialog with this code once the current event has been handled. */
    void End(int code);

    virtual void OnInit() {}
    virtual void OnOk() { End(kIdOk); }
    virtual void OnCancel() { End(kIdCancel); }
    virtual void OnCommand(int /*id*/) {}
    virtual void OnSelChange(int /*id*/) {}
    virtual void OnDoubleClick(int /*id*/, int /*row*/) {}
    virtual void OnEditChange(int /*id*/) {}
    virtual void OnFocus(int /*id*/, bool /*gained*/) {}
    virtual void OnClick(int /*id*/, int /*row*/, int /*column*/, Point /*point*/) {}
    virtual void OnHover(int /*id*/, int /*row*/) {}
    virtual void OnUpDown(int /*id*/, int /*delta*/) {}
    /** An arrow (step -1 up, +1 down) or a typed character (step 0) on a keyed list. */
    virtual void OnListKey(int /*id*/, int /*step*/, char32_t /*typed*/) {}
    virtual void OnPaint(int /*id*/, Canvas& /*canvas*/, Size /*size*/) {}

private:
    TemplateUse m_use;
    Window* m_window = nullptr;
    ui::Host* m_host = nullptr;
    Point m_offset;
    bool m_ended = false;
    int m_endCode = 0;
};

} // namespace mivra::ui
