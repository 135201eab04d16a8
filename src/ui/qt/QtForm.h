#pragma once

#include "ui/Event.h"
#include "ui/qt/EventBinder.h"
#include "ui/qt/QtWindow.h"

#include <functional>
#include <memory>

#include <QDialog>
#include <QPointer>

namespace mivra::ui {
class TemplateLibrary;
}

namespace mivra::ui::qt {

/** The Qt dialog of a template whose root is a dialog: Esc and the close box become Cancel. */
class ModalDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;
    std::function<void()> onCancel;
    void reject() override;
};

/**
 * One template built into widgets and bound to an event sink: a modal dialog, a page of a
 * sheet or a panel docked in the main window. The root is deleted with the form unless
 * something took it over (a sheet's tab, a main window's dock).
 */
class QtForm {
public:
    QtForm(const TemplateLibrary& templates, int templateId, EventSink& sink, QWidget* parent);
    ~QtForm();
    QtForm(const QtForm&) = delete;
    QtForm& operator=(const QtForm&) = delete;

    QWidget* Root() const { return m_root; }
    QtWindow& Window() { return *m_window; }
    /** Runs after every event the sink handled (a modal dialog closes there). */
    void SetAfterEvent(std::function<void()> after) { m_after = std::move(after); }
    void Dispatch(const Event& event);

private:
    QPointer<QWidget> m_root;
    EventSink& m_sink;
    std::unique_ptr<QtWindow> m_window;
    QPointer<EventBinder> m_binder; ///< a child of the root
    std::function<void()> m_after;
};

} // namespace mivra::ui::qt
