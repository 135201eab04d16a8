#pragma once

#include "schedule/CWeekPage.h"

namespace mivra::schedule {

/** The home talk page: speaker, talk and invitation of each week. */
class CTabPage : public CWeekPage {
public:
    static constexpr ui::TemplateUse kUse{"CTabPage", 158, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CTabPage(CMvDoc& doc) : CWeekPage(kUse, doc) {}
};

} // namespace mivra::schedule
