#include "app/CHomeCongregationDlg.h"

#include "exchange/PackageExport.h"
#include "resources/StringTable.h"
#include "rotations/CRoleListDlg.h"
#include "store/CCongregationEditDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CMvDoc.h"
#include "store/CNameListDlg.h"
#include "ui/Host.h"

#include <string>

namespace mivra::app {
namespace {

constexpr int kCongregationText = 1057; // "Församling"
constexpr int kChange = 1030;           // "Ändra %1"
constexpr int kChooseText = 1021;       // "Välj %1"
constexpr int kHostText = 1192;         // "Värd"

struct RoleButton {
    int id;
    int text;
    int bit; ///< the role's bit number in the home list
};
constexpr RoleButton kRoles[] = {{CHomeCongregationDlg::kSpeakers, 1031, 1},
                                 {CHomeCongregationDlg::kChairmen, 1032, 2},
                                 {CHomeCongregationDlg::kReaders, 1033, 4}};

std::string Counted(const std::string& text, int count) {
    return text + "  ( " + std::to_string(count) + " )";
}

} // namespace

CHomeCongregationDlg::CHomeCongregationDlg(CMvDoc& doc) : Dialog(kUse), m_doc(doc) {}

void CHomeCongregationDlg::OnInit() {
    m_title = Win().Title();
    const DocOptions& options = m_doc.Settings().Options();
    Win().Show(kReaders, options.scheduleReaders);
    Win().Show(kHosts, options.scheduleHosts);
    ShowTexts();
}

void CHomeCongregationDlg::ShowTexts() {
    const StringTable& s = m_doc.Strings();
    const uint16_t home = m_doc.Congregations().OurCongregationKey();
    const std::string congregation = s.Get(kCongregationText);
    Win().SetText(kChoose, s.Format(home != 0 ? kChange : kChooseText, congregation));
    Win().SetTitle(home != 0 ? m_doc.Congregations().CongregationNameByKey(home, false) : m_title);
    for (const RoleButton& role : kRoles)
        Win().SetText(role.id, Counted(s.Get(role.text),
                                       m_doc.Brothers().CountOurBrothersWithRole(role.bit)));
    Win().SetText(kHosts, Counted(s.Get(kHostText), m_doc.Hosts().Count()));
    for (int id : {kForm, kHosts, kExport})
        Win().Enable(id, home != 0);
    for (const RoleButton& role : kRoles)
        Win().Enable(role.id, home != 0);
}

void CHomeCongregationDlg::OnCommand(int id) {
    switch (id) {
    case kChoose:
        ChooseHome();
        return;
    case kForm:
        EditHome();
        return;
    case kHosts:
        if (CNameListDlg::Edit(m_doc, Host(), CNameListDlg::Kind::Hosts))
            ShowTexts();
        return;
    case kExport:
        exchange::ExportHomePackage(m_doc, Host());
        return;
    default:
        for (const RoleButton& role : kRoles)
            if (id == role.id)
                EditRole(role.bit);
        return;
    }
}

void CHomeCongregationDlg::EditRole(int roleBit) {
    rotations::CRoleListDlg roles(m_doc, roleBit);
    Host().RunDialog(roles);
    ShowTexts(); // the counts follow the roles given or taken
}

void CHomeCongregationDlg::ChooseHome() {
    const uint16_t home = m_doc.Congregations().OurCongregationKey();
    const std::optional<int> chosen = CCongregationListDlg::Choose(m_doc, Host(), home);
    if (chosen) {
        const uint16_t key = m_doc.Congregations().Congregation(*chosen)->congregationKey;
        if (key != home) {
            m_doc.SetOurCongregation(key);
            m_doc.SetModified(true);
        }
    }
    ShowTexts(); // the picker may have added, renamed or deleted congregations
}

void CHomeCongregationDlg::EditHome() {
    const uint16_t home = m_doc.Congregations().OurCongregationKey();
    if (home == 0)
        return;
    CCongregationEditDlg form(m_doc, {.fixedKey = home});
    Host().RunDialog(form);
    if (form.Changed())
        m_doc.BuildOurBrotherList();
    ShowTexts();
}

} // namespace mivra::app
