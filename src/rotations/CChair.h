#pragma once

#include "rotations/CRotationPage.h"

namespace mivra::rotations {

/** The chairman rotation page. */
class CChair : public CRotationPage {
public:
    static constexpr int kIds[] = {
        kList, kManual, kAuto, kSwap, kSwapPrompt, kChairmanUnavailable, kConflict};
    static constexpr ui::TemplateUse kUse{"CChair", 165, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CChair(CMvDoc& doc)
        : CRotationPage(kUse, doc,
                        {.duty = Duty::Chairman,
                         .role = kRoleChairman,
                         .unavailableLabel = kChairmanUnavailable,
                         .unavailableText = 1119, // "* = Utsedd ordförande är ej tillgänglig !"
                         .swapPrompt = 1019,      // "Välj en ordförande för att byta med …"
                         .conflictLabel = true,
                         .broadcasts = true}) {}
};

} // namespace mivra::rotations
