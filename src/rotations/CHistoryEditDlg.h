#pragma once

#include "store/WeekRecord.h"
#include "ui/Dialog.h"

#include <cstdint>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/**
 * The history editor: any week from the window's first up to 31 weeks past last week, on a
 * working copy. A changed copy is stored when the week changes and on OK; OK and Cancel then
 * write "history.dat", so Cancel drops only the unstored changes of the week shown last.
 */
class CHistoryEditDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 148;
    static constexpr int kWeek = 1037;
    static constexpr int kSpeaker = 1042;
    static constexpr int kChairman = 1039;
    static constexpr int kReader = 1041;
    static constexpr int kHost = 1038;
    static constexpr int kTalk = 1040;
    static constexpr int kClear = 1092; ///< "Rensa"
    static constexpr int kOutgoing = 1028;
    static constexpr int kSlotTalk = 1043;
    static constexpr int kSlotDestination = 1044;
    static constexpr int kAdd = 1045;
    static constexpr int kReplace = 1046;
    static constexpr int kRemove = 1047;
    static constexpr int kMove = 1052; ///< moves the selected slot up or down
    static constexpr int kNext = 1025;
    static constexpr int kPrevious = 1026;
    static constexpr int kIds[] = {
        ui::kIdOk, ui::kIdCancel, kWeek,   kSpeaker,  kChairman, kReader,
        kHost,     kTalk,         kClear,  kOutgoing, kSlotTalk, kSlotDestination,
        kAdd,      kReplace,      kRemove, kMove,     kNext,     kPrevious};
    static constexpr ui::TemplateUse kUse{"CHistoryEditDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    explicit CHistoryEditDlg(CMvDoc& doc);

    /** Command 32849 and the start panel's "Redigera historik". */
    static void Edit(CMvDoc& doc, ui::Host& host);

private:
    void OnInit() override;
    void OnOk() override;
    void OnCancel() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnUpDown(int id, int delta) override;

    void FillWeeks();
    /** Stores a changed copy and loads the week of combo row `row`. */
    void GoTo(int row);
    void StoreIfChanged();
    void Refresh();
    void ShowAssignments();
    void ShowSlots();
    std::string RoleText(int roleWord, const std::string& name) const;
    int SelectedSlot() const;

    void ChooseBrother(int id);
    void ChooseHost();
    void ChooseTalk();
    void ChooseSlotSpeaker(bool replace);
    void ChooseSlotTalk();
    void ChooseSlotDestination();
    void Clear();
    void Close(int code);

    CMvDoc& m_doc;
    int m_index = 0; ///< the week index shown
    WeekRecord m_week;
    bool m_changed = false;
    int m_slot = 0; ///< the selected outgoing slot
};

} // namespace mivra::rotations
