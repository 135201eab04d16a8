#include "app/TemplateUses.h"

namespace mivra::app {

std::span<const ui::TemplateUse> TemplateUses() {
    return {};
}

} // namespace mivra::app
