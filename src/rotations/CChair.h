#pragma once

#include "schedule/CWeekPage.h"

namespace mivra::rotations {

/** The chairman rotation page. */
class CChair : public schedule::CWeekPage {
public:
    static constexpr ui::TemplateUse kUse{"CChair", 165, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CChair(CMvDoc& doc) : schedule::CWeekPage(kUse, doc) {}
};

} // namespace mivra::rotations
