#include "app/TemplateUses.h"

#include "app/CAboutDlg.h"
#include "app/CStartPanel.h"

namespace mivra::app {

std::span<const ui::TemplateUse> TemplateUses() {
    static const ui::TemplateUse kUses[] = {CAboutDlg::kUse, CStartPanel::kUse};
    return kUses;
}

} // namespace mivra::app
