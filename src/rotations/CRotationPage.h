#pragma once

#include "rotations/Rotations.h"
#include "rotations/WeekMarks.h"
#include "schedule/CWeekPage.h"

#include <cstdint>
#include <optional>
#include <string>

namespace mivra::rotations {

/** What sets the chairman, reader and host pages apart. */
struct RotationPageKind {
    Duty duty = Duty::Chairman;
    int role = 0;             ///< the RoleBits bit number of the role list; 0 for hosts
    int unavailableLabel = 0; ///< the label of unavailability (1128, 1130); 0: none
    int unavailableText = 0;  ///< its text while the week's holder is available
    int swapPrompt = 0;       ///< the prompt of a pending swap; 0: the page has no swap
    bool conflictLabel = false;
    bool broadcasts = false; ///< tells the other pages when its conflict marks change
};

/**
 * A rotation page: 26 weeks from the first listed one with the duty's holder, a manual and an
 * automatic choice, clearing, and (chairman, reader) a swap of two weeks' holders. After
 * every build it selects the first week that still needs the duty. Only the user's selection
 * completes a swap; a rebuild leaves it pending.
 */
class CRotationPage : public schedule::CWeekPage {
public:
    static constexpr int kList = 1039;
    static constexpr int kManual = 1099;
    static constexpr int kAuto = 1100;
    static constexpr int kSwap = 1165;
    static constexpr int kSwapPrompt = 1168;
    static constexpr int kChairmanUnavailable = 1128;
    static constexpr int kReaderUnavailable = 1130;
    static constexpr int kConflict = 1148;
    static constexpr int kRows = 26;

    CRotationPage(const ui::TemplateUse& use, CMvDoc& doc, const RotationPageKind& kind);

    /** Selects the week's row as the user would (a pending swap completes). */
    void SelectWeek(int weekIndex) override;
    bool SwapPending() const { return m_swapSource.has_value(); }

protected:
    /**
     * The manual choice for a week: nothing when cancelled, else the holder chosen (0 when the
     * user confirmed without one). Chairman and reader pick from the role list.
     */
    virtual std::optional<uint16_t> ChooseHolder(int weekIndex, uint16_t holder);
    const RotationPageKind& Kind() const { return m_kind; }

private:
    void OnInit() override;
    void OnSelChange(int id) override;
    void OnDoubleClick(int id, int row) override;
    void OnCommand(int id) override;
    void OnSiblingsChanged() override;

    void Build(bool ownInitiative);
    std::string RowText(int weekIndex);
    /** Takes the list's row as the selected week; a user's selection may complete a swap. */
    void ReadSelection(bool byUser);
    void UpdateControls();
    std::string AutoCaption(int week, uint16_t holder) const;
    std::string UnavailableText(int week, uint16_t holder) const;
    std::string ConflictText(int week, uint16_t holder) const;
    void FillOrClear();
    void ChooseManually();
    void ToggleSwap();
    void Exchange(int week);
    bool SetWeekHolder(int week, uint16_t holder);
    uint16_t HolderAt(int week) const;
    int OwnDutyCode() const;
    std::string Date(int week, int flags) const;

    RotationPageKind m_kind;
    std::optional<int> m_swapSource;
    WeekMarks m_marks;
    bool m_notifying = false;
};

} // namespace mivra::rotations
