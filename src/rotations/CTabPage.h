#pragma once

#include "rotations/WeekMarks.h"
#include "schedule/CWeekPage.h"

#include <optional>
#include <string>

namespace mivra::rotations {

/**
 * The home talk page: which visiting speaker gives which talk in each of 26 weeks, the
 * invitation's ticks, the marks of unavailable and busy speakers, and a swap of two weeks'
 * talks. Every change goes through EditWeek; ticks are hit-tested by the drawn columns.
 */
class CTabPage : public schedule::CWeekPage {
public:
    static constexpr int kTemplate = 158;
    static constexpr int kList = 1075;
    static constexpr int kChooseTalk = 1077;
    static constexpr int kChooseSpeaker = 1078;
    static constexpr int kSwapOrCongregation = 1079;
    static constexpr int kClear = 1092;
    static constexpr int kContacts = 1109;
    static constexpr int kSpeakerHistory = 3;
    static constexpr int kAvailability = 4;
    static constexpr int kTalkHistory = 5;
    static constexpr int kTalkCaption = 1090;
    static constexpr int kDate = 1091;
    static constexpr int kSwapPrompt = 1165;
    static constexpr int kUnavailableLegend = 1127;
    static constexpr int kConflict = 1148;
    static constexpr int kIds[] = {kList,
                                   kChooseTalk,
                                   kChooseSpeaker,
                                   kSwapOrCongregation,
                                   kClear,
                                   kContacts,
                                   kSpeakerHistory,
                                   kAvailability,
                                   kTalkHistory,
                                   kTalkCaption,
                                   kDate,
                                   kSwapPrompt,
                                   kUnavailableLegend,
                                   kConflict};
    static constexpr ui::TemplateUse kUse{"CTabPage", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};
    static constexpr int kRows = 26;

    explicit CTabPage(CMvDoc& doc) : CWeekPage(kUse, doc) {}

    /** Selects the week's row as the user would (a pending swap completes). */
    void SelectWeek(int weekIndex) override;
    bool SwapPending() const { return m_swapSource.has_value(); }

private:
    void OnInit() override;
    void OnSelChange(int id) override;
    void OnClick(int id, int row, int column, ui::Point point) override;
    void OnCommand(int id) override;
    void OnSiblingsChanged() override;

    int FirstListed() const { return FirstShownWeek() - 1; }
    int OpeningRow() const;
    void Build(bool byUser);
    std::string RowText(int week);
    void ReadSelection(bool byUser);
    void UpdateControls();
    void UpdateChoiceButtons(const WeekRecord& record, bool swapping);
    std::string ConflictText(int week, uint16_t speaker) const;
    std::string SpeakerName(const WeekRecord& record) const;
    std::string TalkNumber(const WeekRecord& record) const;
    void ChooseTalk();
    void ChooseSpeaker();
    void ChooseCongregationOrSwap();
    void Clear();
    void Exchange(int week);
    void Tick(int week, int column);
    void OpenDetail(int id);
    void Changed();

    std::optional<int> m_swapSource;
    WeekMarks m_marks;
    int m_row = 0;
    bool m_swappedBySelection = false;
    bool m_notifying = false;
};

} // namespace mivra::rotations
