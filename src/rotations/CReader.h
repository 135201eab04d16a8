#pragma once

#include "schedule/CWeekPage.h"

namespace mivra {

/** The reader rotation page, present when readers are scheduled. */
class CReader : public CWeekPage {
public:
    static constexpr ui::TemplateUse kUse{"CReader", 168, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CReader(CMvDoc& doc) : CWeekPage(kUse, doc) {}
};

} // namespace mivra
