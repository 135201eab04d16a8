#pragma once

#include "ui/Dialog.h"

#include <array>
#include <cstdint>
#include <string>

namespace mivra {

class CMvDoc;

/** Up to three telephone numbers and an e-mail address of one brother. */
struct ContactList {
    std::array<std::string, 3> phones{};
    std::string email{};
    int phoneCount = 0;
};

/** Gathers a brother's usable numbers and address; an unknown key or 0 gives an empty list. */
ContactList CollectContacts(const CMvDoc& doc, uint16_t brotherKey);

/**
 * The contact card: a brother's numbers and address and those of his congregation's talk
 * coordinator. A focused address or usable number can be copied; the card changes no data.
 */
class CContactDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 172;
    static constexpr int kCoordinatorGroup = 1110;
    static constexpr int kBrotherGroup = 1111;
    static constexpr std::array<int, 4> kCoordinatorFields = {103, 104, 105, 119};
    static constexpr std::array<int, 4> kBrotherFields = {106, 107, 108, 120};
    static constexpr int kAction = 286;
    static constexpr int kIds[] = {
        kCoordinatorGroup, kBrotherGroup, 103, 104, 105, 119, 106, 107, 108, 120,
        kAction,           ui::kIdCancel};
    static constexpr ui::TemplateUse kUse{"CContactDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    /** congregationKey 0: the brother's own congregation. */
    CContactDlg(const CMvDoc& doc, uint16_t brotherKey, uint16_t congregationKey = 0);

private:
    void OnInit() override;
    void OnCommand(int id) override;
    void OnFocus(int id, bool gained) override;

    void Show(const std::array<int, 4>& fields, const ContactList& contacts);

    const CMvDoc& m_doc;
    uint16_t m_brotherKey;
    uint16_t m_congregationKey;
    std::string m_copyText;
};

} // namespace mivra
