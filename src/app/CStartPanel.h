#pragma once

#include "ui/Dialog.h"

namespace mivra::app {

class CMainFrame;

/**
 * The start panel (template 143), docked in the main window while no report is shown. Each
 * button runs a frame command or pops up a menu of them; a button is enabled while its
 * command is.
 */
class CStartPanel : public ui::Dialog {
public:
    static const ui::TemplateUse kUse;
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    explicit CStartPanel(CMainFrame& frame) : ui::Dialog(kUse), m_frame(frame) {}

    /** The frame command a button runs (0 for the pop-up buttons). */
    static int CommandOf(int buttonId);
    /** Enables every button as the frame's commands are. */
    void UpdateControls();

protected:
    void OnInit() override { UpdateControls(); }
    void OnCommand(int id) override;

private:
    CMainFrame& m_frame;
};

} // namespace mivra::app
