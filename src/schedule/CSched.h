#pragma once

#include "schedule/CWeekPage.h"

namespace mivra::schedule {

/** The outgoing speakers page: up to six home brothers who speak elsewhere each week. */
class CSched : public CWeekPage {
public:
    static constexpr ui::TemplateUse kUse{"CSched", 161, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CSched(CMvDoc& doc) : CWeekPage(kUse, doc) {}
};

} // namespace mivra::schedule
