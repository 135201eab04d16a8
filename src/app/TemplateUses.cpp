#include "app/TemplateUses.h"

#include "reports/CSelectWeeksDlg.h"

#include <array>

namespace mivra::app {

std::span<const ui::TemplateUse> TemplateUses() {
    static constexpr std::array kUses{
        reports::CSelectWeeksDlg::kUse,
    };
    return kUses;
}

} // namespace mivra::app
