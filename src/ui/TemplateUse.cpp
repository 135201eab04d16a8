#include "ui/TemplateUse.h"

#include <algorithm>

namespace mivra::ui {
namespace {

// Made on first use: declarations are static objects of other files, made in any order.
std::vector<const TemplateUse*>& Uses() {
    static std::vector<const TemplateUse*> uses;
    return uses;
}

} // namespace

TemplateUseDeclaration::TemplateUseDeclaration(const TemplateUse& use) {
    std::vector<const TemplateUse*>& uses = Uses();
    if (std::find(uses.begin(), uses.end(), &use) == uses.end())
        uses.push_back(&use);
}

const std::vector<const TemplateUse*>& DeclaredTemplateUses() {
    return Uses();
}

} // namespace mivra::ui
