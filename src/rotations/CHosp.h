#pragma once

#include "schedule/CWeekPage.h"

namespace mivra::rotations {

/** The host rotation page, present when hosts are scheduled. */
class CHosp : public schedule::CWeekPage {
public:
    static constexpr ui::TemplateUse kUse{"CHosp", 167, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CHosp(CMvDoc& doc) : schedule::CWeekPage(kUse, doc) {}
};

} // namespace mivra::rotations
