#include "app/CStartPanel.h"

#include "app/CMainFrame.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "ui/CommandMenus.h"
#include "ui/Host.h"

namespace mivra::app {
namespace {

const resources::PanelButton* FindButton(int id) {
    return resources::CommandTable::Shell().FindPanelButton(id);
}

/** A pop-up button is enabled while one of its entries is. */
bool PopupEnabled(const CMainFrame& frame, const resources::PanelButton& button) {
    for (const resources::MenuNode& line : button.popup)
        if (frame.IsCommandEnabled(line.id))
            return true;
    return false;
}

} // namespace

const ui::TemplateUse CStartPanel::kUse{"CStartPanel", 143, cmd::kPanelButtons};

int CStartPanel::CommandOf(int buttonId) {
    const resources::PanelButton* button = FindButton(buttonId);
    return button ? button->command : 0;
}

void CStartPanel::UpdateControls() {
    if (!IsOpen())
        return;
    for (const resources::PanelButton& b : resources::CommandTable::Shell().Panel())
        Win().Enable(b.id, b.popup.empty() ? m_frame.IsCommandEnabled(b.command)
                                           : PopupEnabled(m_frame, b));
}

void CStartPanel::OnCommand(int id) {
    const resources::PanelButton* button = FindButton(id);
    if (button && !button->popup.empty()) {
        ui::Menu menu = ui::PopupMenuOf(button->popup, m_frame.Strings(), [this](int command) {
            return m_frame.IsCommandEnabled(command);
        });
        if (int chosen = Host().PopupMenu(Win(), {button->x, button->y}, menu))
            m_frame.OnCommand(chosen);
        return;
    }
    if (int command = CommandOf(id); command && m_frame.IsCommandEnabled(command))
        m_frame.OnCommand(command);
}

} // namespace mivra::app
