#pragma once

#include "schedule/CWeekPage.h"

namespace mivra {

/** The host rotation page, present when hosts are scheduled. */
class CHosp : public CWeekPage {
public:
    static constexpr ui::TemplateUse kUse{"CHosp", 167, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CHosp(CMvDoc& doc) : CWeekPage(kUse, doc) {}
};

} // namespace mivra
