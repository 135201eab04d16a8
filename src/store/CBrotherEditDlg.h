#pragma once

#include "store/Records.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <vector>

namespace mivra {

class CMvDoc;
class CBrotherListDlg;

/** "Redigera uppgifter om bröder": one brother's record and contact record. */
class CBrotherEditDlg : public ui::Dialog {
public:
    struct Opening {
        bool add = false;
        uint16_t preset = 0;             ///< his congregation, fixed (0: chosen in the form)
        int index = -1;                  ///< the brother edited (not in add mode)
        CBrotherListDlg* list = nullptr; ///< steps "&Nästa"/"&Föreg"; may be null
    };

    static constexpr int kTemplate = 139;
    static constexpr int kFirstName = 226;
    static constexpr int kLastName = 225;
    static constexpr int kAddress1 = 101;
    static constexpr int kAddress2 = 102;
    static constexpr int kPhone = 103;
    static constexpr int kPhone2 = 117;
    static constexpr int kPhone3 = 118;
    static constexpr int kEmail = 119;
    static constexpr int kRemark = 120;
    static constexpr int kElder = 109;
    static constexpr int kServant = 110;
    static constexpr int kCongregation = 5;
    static constexpr int kTalks = 6;
    static constexpr int kAvailability = 7;
    static constexpr int kOk = 234;
    static constexpr int kPrevious = 3;
    static constexpr int kNext = 4;
    static constexpr int kDelete = 269;
    static constexpr int kIds[] = {kFirstName,    kLastName,     kAddress1, kAddress2,     kPhone,
                                   kPhone2,       kPhone3,       kEmail,    kRemark,       kElder,
                                   kServant,      kCongregation, kTalks,    kAvailability, kOk,
                                   ui::kIdCancel, kPrevious,     kNext,     kDelete};
    static constexpr ui::TemplateUse kUse{"CBrotherEditDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CBrotherEditDlg(CMvDoc& doc, Opening opening);

    /** The brother last saved or shown (his index after any re-sort); −1 when none. */
    int BrotherIndex() const { return m_index; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnEditChange(int id) override;
    void OnFocus(int id, bool gained) override;

    void Load(int index);
    void ShowButtons();
    void ApplyNameRule();
    void Capitalise(int id);
    bool Validate();
    bool Save();
    void StepTo(int delta);
    void Delete();
    void MoveFocusOn();
    void ChooseWeeks();
    void ChooseCongregation();

    CMvDoc& m_doc;
    Opening m_opening;
    int m_index = -1;
    BrotherRecord m_record;
    uint16_t m_congregation = 0;
    bool m_suspended = false;
    bool m_loading = false;
    bool m_firstEdited = false;
    bool m_talksChosen = false;
    /** Weeks marked before he has a key (add mode): applied when he is saved. */
    std::vector<uint16_t> m_pendingWeeks;
};

} // namespace mivra
