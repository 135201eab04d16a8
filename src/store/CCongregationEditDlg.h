#pragma once

#include "store/Records.h"
#include "ui/Dialog.h"

#include <cstdint>

namespace mivra {

class CMvDoc;
class CCongregationListDlg;

/** One congregation's record: name, hall, telephones, meeting days, officers, circuit, map. */
class CCongregationEditDlg : public ui::Dialog {
public:
    struct Opening {
        bool add = false;
        int index = -1;                       ///< the congregation edited (not in add mode)
        CCongregationListDlg* list = nullptr; ///< refilled and stepped; may be null
        uint16_t fixedKey = 0; ///< opened for this congregation alone (the home panel)
    };

    static constexpr int kTemplate = 131;
    static constexpr int kName = 1018;
    static constexpr int kAddress1 = 1016;
    static constexpr int kAddress2 = 1017;
    static constexpr int kPhone1 = 103;
    static constexpr int kPhone2 = 104;
    static constexpr int kTimeOdd = 187;
    static constexpr int kTimeEven = 188;
    static constexpr int kDayOdd = 8;
    static constexpr int kDayEven = 9;
    static constexpr int kCoordinator = 129;
    static constexpr int kTalkCoordinator = 130;
    static constexpr int kSecretary = 131;
    static constexpr int kCircuit = 4;
    static constexpr int kBrothers = 3;
    static constexpr int kMap = 6;
    static constexpr int kApply = 7;
    static constexpr int kDelete = 5;
    static constexpr int kPrevious = 1026;
    static constexpr int kNext = 1025;
    static constexpr int kIds[] = {
        ui::kIdOk, ui::kIdCancel, kName,   kAddress1, kAddress2,    kPhone1,          kPhone2,
        kTimeOdd,  kTimeEven,     kDayOdd, kDayEven,  kCoordinator, kTalkCoordinator, kSecretary,
        kCircuit,  kBrothers,     kMap,    kApply,    kDelete,      kPrevious,        kNext};
    static constexpr ui::TemplateUse kUse{"CCongregationEditDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CCongregationEditDlg(CMvDoc& doc, Opening opening);

    /** True when anything was saved or deleted (the document is modified too). */
    bool Changed() const { return m_changed; }
    /** The congregation last saved or shown (its index after any sort); −1 when none. */
    int CongregationIndex() const { return m_index; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnEditChange(int id) override;

    void Load(int index);
    void ShowButtons();
    void ShowDay(int id, int day);
    bool Validate();
    bool Save();
    void Apply();
    void StepTo(int delta);
    void Delete();
    void ChooseOfficer(int office);
    void ChooseCircuit();
    void EditBrothers();
    void ChooseMap();

    CMvDoc& m_doc;
    Opening m_opening;
    bool m_add;
    int m_index;
    CongregationRecord m_record;
    int m_dayOdd = 6; ///< 0 = Monday … 6 = Sunday
    int m_dayEven = 6;
    bool m_changed = false;
};

} // namespace mivra
