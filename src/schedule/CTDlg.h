#pragma once

#include "schedule/CSchedulePage.h"

namespace mivra::schedule {

/** The summary page: twenty weeks at a glance; it moves the sheet's first listed week. */
class CTDlg : public CSchedulePage {
public:
    static constexpr ui::TemplateUse kUse{"CTDlg", 149, {}};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    explicit CTDlg(CMvDoc& doc) : CSchedulePage(kUse, doc) {}
};

} // namespace mivra::schedule
