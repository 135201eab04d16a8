#include "rotations/CRoleListDlg.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"

namespace mivra::rotations {
namespace {

constexpr int kEditText = 1096;        // "Redigera lista"
constexpr int kViewText = 1020;        // "Se förteckning"
constexpr int kUnavailableDate = 1097; // "* Ej tillgänglig - %1"
constexpr int kSuspendedText = 1300;   // "Suspended"
constexpr int kLabelFlags = 2;

int CaptionOf(int roleBit) {
    switch (roleBit) {
    case 1:
        return 1031; // "Talare som reser ut"
    case 2:
        return 1032; // "Ordförande"
    case 4:
        return 1033; // "Högläsare"
    }
    return 0;
}

} // namespace

CRoleListDlg::CRoleListDlg(CMvDoc& doc, int roleBit) : Dialog(kUse), m_doc(doc), m_role(roleBit) {}

CRoleListDlg::CRoleListDlg(CMvDoc& doc, int roleBit, int weekIndex, uint16_t holder)
    : Dialog(kUse), m_doc(doc), m_role(roleBit), m_week(weekIndex), m_holder(holder) {}

void CRoleListDlg::OnInit() {
    for (const OurBrotherEntry& entry : m_doc.Brothers().OurBrothers())
        m_roles.push_back(entry.roleBits);
    if (const int caption = CaptionOf(m_role))
        Win().SetTitle(m_doc.Strings().Get(caption));
    FillView();
    ShowMode();
}

void CRoleListDlg::OnCommand(int id) {
    if (id != kToggle)
        return;
    if (m_editing)
        LeaveEdit();
    else
        FillEdit();
    m_editing = !m_editing;
    ShowMode();
}

void CRoleListDlg::OnOk() {
    if (m_editing)
        LeaveEdit();
    BrotherStore& brothers = m_doc.Brothers();
    for (size_t p = 0; p < m_roles.size() && p < brothers.OurBrothers().size(); ++p) {
        if (brothers.OurBrothers()[p].roleBits == m_roles[p])
            continue;
        brothers.SetOurBrotherRoles(static_cast<int>(p), m_roles[p]);
        m_rolesChanged = true;
    }
    if (m_rolesChanged) {
        brothers.SaveOurBrotherRoles();
        m_doc.SetModified(true);
    }
    const int row = m_editing ? -1 : Win().Selection(kViewList);
    m_chosen = row >= 0 ? static_cast<uint16_t>(Win().RowData(kViewList, row)) : m_holder;
    End(ui::kIdOk);
}

void CRoleListDlg::ShowMode() {
    Win().Show(kViewList, !m_editing);
    Win().Show(kEditList, m_editing);
    Win().SetText(kToggle, m_doc.Strings().Get(m_editing ? kViewText : kEditText));
    if (m_editing)
        Win().Show(kUnavailable, false);
}

bool CRoleListDlg::Holds(size_t position) const {
    return (m_roles[position] & (1u << m_role)) != 0;
}

std::string CRoleListDlg::Name(size_t position, bool& suspended) const {
    const BrotherStore& brothers = m_doc.Brothers();
    const BrotherIndexEntry* brother = brothers.Brother(brothers.OurBrothers()[position].position);
    suspended = brother && brother->Suspended();
    if (!brother || (brother->firstName.empty() && brother->lastName.empty()))
        return {};
    return brothers.BrotherName(brothers.OurBrothers()[position].position, false);
}

void CRoleListDlg::FillView() {
    const std::vector<OurBrotherEntry>& ours = m_doc.Brothers().OurBrothers();
    const std::string suspendedText = " (" + m_doc.Strings().Get(kSuspendedText) + ")";
    Win().ClearRows(kViewList);
    bool unavailableSeen = false;
    for (size_t p = 0; p < ours.size(); ++p) {
        bool suspended = false;
        std::string text = Name(p, suspended);
        if (!Holds(p) || text.empty())
            continue;
        if (suspended)
            text = "* " + text + suspendedText;
        if (m_week && !m_doc.Availability().IsAvailable(ours[p].brotherKey,
                                                        static_cast<uint16_t>(*m_week + 1))) {
            text = "* " + text;
            unavailableSeen = true;
        }
        const int row = Win().AddRow(kViewList, text, ours[p].brotherKey);
        if (m_holder != 0 && ours[p].brotherKey == m_holder)
            Win().Select(kViewList, row);
    }
    Win().Show(kUnavailable, unavailableSeen);
    if (unavailableSeen)
        Win().SetText(
            kUnavailable,
            m_doc.Strings().Format(kUnavailableDate, m_doc.FormatDate(*m_week + 1, kLabelFlags)));
}

void CRoleListDlg::FillEdit() {
    const std::string suspendedText = " (" + m_doc.Strings().Get(kSuspendedText) + ")";
    Win().ClearRows(kEditList);
    for (size_t p = 0; p < m_roles.size(); ++p) {
        bool suspended = false;
        const std::string text = Name(p, suspended);
        if (text.empty())
            continue;
        const int row = Win().AddRow(kEditList, suspended ? text + suspendedText : text,
                                     static_cast<uint32_t>(p));
        Win().SetRowSelected(kEditList, row, Holds(p));
    }
}

void CRoleListDlg::LeaveEdit() {
    const auto mask = static_cast<uint16_t>(1u << m_role);
    for (int row = 0; row < Win().RowCount(kEditList); ++row) {
        const size_t p = Win().RowData(kEditList, row);
        if (Win().IsRowSelected(kEditList, row))
            m_roles[p] |= mask;
        else
            m_roles[p] &= static_cast<uint16_t>(~mask);
    }
    FillView();
}

} // namespace mivra::rotations
