#pragma once

#include "schedule/CWeekPage.h"

#include <functional>
#include <optional>
#include <string>

namespace mivra {
struct WeekRecord;
}

namespace mivra::schedule {

/**
 * The outgoing speakers page: up to six home brothers who speak elsewhere each week, each
 * slot a speaker with his destination and talk. Filled slots stay at the front; a swap
 * exchanges a slot with one of another week.
 */
class CSched : public CWeekPage {
public:
    static constexpr int kWeeks = 1075;
    static constexpr int kSlots = 1028;
    static constexpr int kAdd = 1045;
    static constexpr int kReplace = 1046;
    static constexpr int kRemove = 1047;
    static constexpr int kTalk = 1043;
    static constexpr int kDestination = 1044;
    static constexpr int kSwap = 1110;
    static constexpr int kSwapDo = 1111;
    static constexpr int kAvailability = 4;
    static constexpr int kHistory = 3;
    static constexpr int kContacts = 1109;
    static constexpr int kDate = 1091;
    static constexpr int kSwapPrompt = 1165;
    static constexpr int kUnavailable = 1127;
    static constexpr int kConflict = 1148;
    static constexpr int kIds[] = {
        kWeeks,  kSlots,        kAdd,     kReplace,  kRemove, kTalk,       kDestination, kSwap,
        kSwapDo, kAvailability, kHistory, kContacts, kDate,   kSwapPrompt, kUnavailable, kConflict};
    static constexpr ui::TemplateUse kUse{"CSched", 161, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    static constexpr int kRows = 26;

    /** Shows a brother's talk history; it lives above this folder, so the caller hands it in. */
    using HistoryView = std::function<void(CMvDoc&, ui::Host&, int brotherIndex)>;

    explicit CSched(CMvDoc& doc, HistoryView history = {});

    /** Selects the week's row as the user would (the summary's request). */
    void SelectWeek(int weekIndex) override;
    /** The slot (0–5) the slot list points at in the selected week. */
    int SelectedSlot() const;
    bool SwapPending() const { return m_swapSource.has_value(); }

private:
    struct SlotRef {
        int week = 0;
        int slot = 0;
    };

    void OnInit() override;
    void OnSelChange(int id) override;
    void OnCommand(int id) override;
    void OnSiblingsChanged() override;

    /** Lists the weeks anew, keeping the selected week (or taking the opening row). */
    void Build(bool ownInitiative, std::optional<int> row = std::nullopt);
    std::string RowText(int week);
    /** The user's row: stores the week left, then shows the new one. */
    void ReadWeekSelection();
    void FillSlots();
    void ShowSlotButtons();
    void ShowDetails();
    std::string ConflictText(int week, uint16_t speaker) const;

    void AddSpeaker();
    void ReplaceSpeaker();
    void RemoveSlot();
    void ChooseTalk();
    void ChooseDestination();
    void ToggleSwap();
    void Exchange();
    void ShowAvailability();
    void ShowHistory();
    void ShowContacts();
    /** The brother chosen in the outgoing role for the selected week; 0 when none. */
    uint16_t ChooseSpeaker();
    /** Changes the selected week and lists it anew. */
    void ChangeWeek(const std::function<void(WeekRecord&)>& change);

    WeekRecord Current() const;
    std::string Name(uint16_t brother) const;
    std::string SlotLabel(SlotRef ref) const;
    std::string Date(int week, int flags) const;

    HistoryView m_history;
    int m_slotRow = 0;
    std::optional<SlotRef> m_swapSource;
    bool m_unavailableSeen = false;
    bool m_conflictSeen = false;
    bool m_lastConflictSeen = false;
    bool m_notifying = false;
};

} // namespace mivra::schedule
