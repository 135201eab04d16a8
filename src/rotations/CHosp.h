#pragma once

#include "rotations/CRotationPage.h"

namespace mivra::rotations {

/** The host rotation page, present when hosts are scheduled. It never tells the others. */
class CHosp : public CRotationPage {
public:
    static constexpr int kIds[] = {kList, kManual, kAuto};
    static constexpr ui::TemplateUse kUse{"CHosp", 167, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CHosp(CMvDoc& doc) : CRotationPage(kUse, doc, {.duty = Duty::Host}) {}

protected:
    /** The host list as a picker, the week's host preselected; a double-click is OK. */
    std::optional<uint16_t> ChooseHolder(int weekIndex, uint16_t holder) override;
};

} // namespace mivra::rotations
