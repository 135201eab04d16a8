#pragma once

#include "schedule/CWeekPage.h"

namespace mivra {

/** The chairman rotation page. */
class CChair : public CWeekPage {
public:
    static constexpr ui::TemplateUse kUse{"CChair", 165, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CChair(CMvDoc& doc) : CWeekPage(kUse, doc) {}
};

} // namespace mivra
