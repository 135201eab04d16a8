#pragma once

#include <span>
#include <vector>

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

/**
 * Puts a use on the list the template checks walk. A window class declares one beside its
 * use, so adding a dialog touches no central file:
 *
 *     static constexpr ui::TemplateUse kUse{"CFooDlg", 123, kIds};
 *     inline static const ui::TemplateUseDeclaration kDeclared{kUse};
 */
class TemplateUseDeclaration {
public:
    explicit TemplateUseDeclaration(const TemplateUse& use);
};

/** Every declared use of the program, each once. */
const std::vector<const TemplateUse*>& DeclaredTemplateUses();

} // namespace mivra::ui
