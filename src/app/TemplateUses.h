#pragma once

#include "ui/TemplateUse.h"

#include <span>

namespace mivra::app {

/**
 * Every system window class with the template it is built from and the control ids it
 * uses; the template checks go through this list. Add each new dialog or page here.
 */
std::span<const ui::TemplateUse> TemplateUses();

} // namespace mivra::app
