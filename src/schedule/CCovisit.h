#pragma once

#include "schedule/CSchedulePage.h"

namespace mivra::schedule {

/** The special events page: assemblies, circuit overseer visits and other events. */
class CCovisit : public CSchedulePage {
public:
    static constexpr ui::TemplateUse kUse{"CCovisit", 173, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CCovisit(CMvDoc& doc) : CSchedulePage(kUse, doc) {}

protected:
    bool OnApply() override;
};

} // namespace mivra::schedule
