#pragma once

#include "ui/Dialog.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/**
 * The home brothers who hold a role (bit 1 outgoing speaker, 2 chairman, 4 reader): a view
 * to pick one from, and an edit mode that gives or takes the role. Edits are made on a copy;
 * only OK applies them and writes the records whose roles changed.
 */
class CRoleListDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 126;
    static constexpr int kEditList = 187;
    static constexpr int kViewList = 188;
    static constexpr int kToggle = 1021;
    static constexpr int kUnavailable = 1129;
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel, kEditList,
                                   kViewList, kToggle,       kUnavailable};
    static constexpr ui::TemplateUse kUse{"CRoleListDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    /** For no particular week (the home congregation panel's role buttons). */
    CRoleListDlg(CMvDoc& doc, int roleBit);
    /** For a week of a rotation page; its unavailable brothers are marked. */
    CRoleListDlg(CMvDoc& doc, int roleBit, int weekIndex, uint16_t holder);

    /** After OK: the brother picked in the view, else the holder it was opened with. */
    uint16_t Chosen() const { return m_chosen; }
    /** After OK: whether any brother's roles changed. */
    bool RolesChanged() const { return m_rolesChanged; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;

    void ShowMode();
    void FillView();
    void FillEdit();
    void LeaveEdit();
    bool Holds(size_t position) const;
    std::string Name(size_t position, bool& suspended) const;

    CMvDoc& m_doc;
    int m_role;
    std::optional<int> m_week;
    uint16_t m_holder = 0;
    uint16_t m_chosen = 0;
    bool m_editing = false;
    bool m_rolesChanged = false;
    std::vector<uint16_t> m_roles; ///< the roles being edited, one per home brother
};

} // namespace mivra::rotations
