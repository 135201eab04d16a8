#pragma once

#include "schedule/CWeekPage.h"

namespace mivra::rotations {

/** The reader rotation page, present when readers are scheduled. */
class CReader : public schedule::CWeekPage {
public:
    static constexpr ui::TemplateUse kUse{"CReader", 168, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CReader(CMvDoc& doc) : schedule::CWeekPage(kUse, doc) {}
};

} // namespace mivra::rotations
