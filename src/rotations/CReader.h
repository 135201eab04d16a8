#pragma once

#include "rotations/CRotationPage.h"

namespace mivra::rotations {

/** The reader rotation page, present when readers are scheduled. */
class CReader : public CRotationPage {
public:
    static constexpr int kIds[] = {kList,    kManual, kAuto, kSwap, kSwapPrompt, kReaderUnavailable,
                                   kConflict};
    static constexpr ui::TemplateUse kUse{"CReader", 168, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CReader(CMvDoc& doc)
        : CRotationPage(kUse, doc,
                        {.duty = Duty::Reader,
                         .role = kRoleReader,
                         .unavailableLabel = kReaderUnavailable,
                         .unavailableText = 1136, // "* = Utsedd högläsare är ej tillgänglig !"
                         .swapPrompt = 1018,      // "Välj en högläsare för att byta med …"
                         .conflictLabel = true,
                         .broadcasts = true}) {}
};

} // namespace mivra::rotations
