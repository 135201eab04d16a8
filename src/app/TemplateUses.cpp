#include "app/TemplateUses.h"

#include "app/CAboutDlg.h"
#include "app/CStartPanel.h"
#include "reports/CSelectWeeksDlg.h"
#include "rotations/CChair.h"
#include "rotations/CHosp.h"
#include "rotations/CReader.h"
#include "schedule/CCovisit.h"
#include "schedule/CSched.h"
#include "schedule/CTDlg.h"
#include "schedule/CTabPage.h"

namespace mivra::app {

std::span<const ui::TemplateUse> TemplateUses() {
    static const ui::TemplateUse uses[] = {
        CAboutDlg::kUse, CStartPanel::kUse, reports::CSelectWeeksDlg::kUse,
        CTDlg::kUse,     CTabPage::kUse,    CChair::kUse,
        CHosp::kUse,     CReader::kUse,     CSched::kUse,
        CCovisit::kUse,
    };
    return uses;
}

} // namespace mivra::app
