#pragma once

#include <span>

namespace mivra::ui {

/**
 * The template a window class is built from and every control id its code touches. A
 * system dialog declares one as a static constant; the headless backend refuses an id
 * missing from it, and the template checks prove each declared id exists in the template.
 */
struct TemplateUse {
    const char* owner = ""; ///< the class, for messages
    int templateId = 0;
    std::span<const int> controls;
};

} // namespace mivra::ui
