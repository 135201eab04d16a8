#include "rotations/CTabPage.h"

#include "resources/StringTable.h"
#include "rotations/CSpeakerChooserDlg.h"
#include "rotations/CSpeakerHistoryDlg.h"
#include "rotations/CTalkChooserDlg.h"
#include "rotations/CTalkHistoryDlg.h"
#include "rotations/CVisitingCongDlg.h"
#include "rotations/Rotations.h"
#include "store/CAvailabilityDlg.h"
#include "store/CContactDlg.h"
#include "store/CMvDoc.h"
#include "store/WeekQueries.h"
#include "ui/Host.h"

#include <algorithm>
#include <array>
#include <utility>

namespace mivra::rotations {
namespace {

constexpr int kTabStops[] = {62, 95, 200, 320, 330, 360, 370, 400, 410};
constexpr int kListFlags = 26;
constexpr int kSelectedFlags = 24;
constexpr int kTitleFlags = 2;
constexpr int kConflictFlags = 8;
constexpr int kSwapWith = 1013; // "Välj en talare att byta med %1 eller -> "
constexpr int kSwap = 1002;     // "Byt"
constexpr int kChooseCongregation = 1011;
constexpr int kClearText = 1012;     // "Rensa val"
constexpr int kUndoSwap = 1003;      // "Ångra Byt"
constexpr int kDutyTextBase = 1035;  // + duty code
constexpr int kSpeakerText = 1036;   // "Talare"
constexpr int kConflictTitle = 1162; // "# Schemakonflikt"
constexpr int kSpeakerHistoryText = 1078;
constexpr int kTalkHistoryText = 1077;
constexpr int kAvailabilityText = 1080;
// The tick columns as the rows draw them: "[ X" and "]" of asked, confirmed, reminder.
constexpr int kFirstTickColumn = 4;

uint16_t Speaker(const WeekRecord& w) {
    return static_cast<uint16_t>(w.homeSpeaker);
}
uint16_t Congregation(const WeekRecord& w) {
    return static_cast<uint16_t>(w.homeCongregation);
}
/** The week's talk; a number read from a file that no talk has counts as none. */
int Talk(const WeekRecord& w) {
    return w.homeTalk <= TalkRepertoire::kTalks ? w.homeTalk : 0;
}
bool Full(const WeekRecord& w) {
    return Talk(w) != 0 && Speaker(w) != 0 && Congregation(w) != 0;
}
std::string TickText(bool set, bool last) {
    return std::string(set ? " X" : "") + (last ? "\t]" : "\t]\t[");
}

} // namespace

void CTabPage::OnInit() {
    CWeekPage::OnInit();
    Win().SetTabStops(kList, kTabStops);
    m_row = OpeningRow();
    Build(false);
}

int CTabPage::OpeningRow() const {
    for (int row = 0; row < kRows; ++row) {
        const WeekRecord w = Doc().Weeks().Week(FirstListed() + row);
        const bool taken = (w.weekFlags & (kWeekAssembly | kWeekOverseerVisit)) != 0;
        if (!taken && (w.homeTalk == 0 || w.homeSpeaker == 0))
            return row;
    }
    return 0;
}

void CTabPage::OnSiblingsChanged() {
    if (!m_notifying && IsOpen())
        Build(false);
}

void CTabPage::SelectWeek(int weekIndex) {
    const int row = weekIndex - FirstListed();
    if (!IsOpen() || row < 0 || row >= kRows) {
        CWeekPage::SelectWeek(weekIndex);
        return;
    }
    Win().Select(kList, row);
    ReadSelection(true);
}

void CTabPage::Build(bool byUser) {
    Win().ClearRows(kList);
    m_marks.Clear();
    for (int row = 0; row < kRows; ++row)
        Win().AddRow(kList, RowText(FirstListed() + row),
                     static_cast<uint32_t>(FirstListed() + row));
    Win().Select(kList, m_row);
    ReadSelection(false);
    if (m_marks.ConflictsChanged() && byUser) {
        m_notifying = true; // this page has just been built
        NotifySiblings();
        m_notifying = false;
    }
}

std::string CTabPage::RowText(int week) {
    const WeekRecord w = Doc().Weeks().Week(week);
    std::string text = Doc().FormatDate(week + 1, kListFlags) + "\t";
    if (const int event = EventTextId(w))
        return text + "\t" + Doc().Strings().Get(event);
    text += (Talk(w) != 0 ? TalkNumber(w) : "  ") + "\t";
    text += m_marks.Marker(Doc(), Speaker(w), week, kDutyHomeSpeaker) + SpeakerName(w) + "\t";
    text += Doc().Congregations().CongregationNameByKey(Congregation(w), false) + "\t";
    return text + "[" + TickText(w.asked != 0, false) + TickText(w.confirmed != 0, false) +
           TickText(w.reminder != 0, true);
}

std::string CTabPage::SpeakerName(const WeekRecord& w) const {
    return Doc().Brothers().BrotherNameByKey(Speaker(w), false);
}

std::string CTabPage::TalkNumber(const WeekRecord& w) const {
    const TalkRecord* talk = Talk(w) != 0 ? Doc().Talks().Talk(Talk(w) - 1) : nullptr;
    return talk ? talk->numberText : std::string();
}

void CTabPage::OnSelChange(int id) {
    m_swappedBySelection = false;
    if (id == kList)
        ReadSelection(true);
}

void CTabPage::ReadSelection(bool byUser) {
    const int row = Win().Selection(kList);
    if (row < 0)
        return;
    m_row = row;
    const int week = FirstListed() + row;
    CWeekPage::SelectWeek(week);
    if (byUser && m_swapSource) {
        if (week == *m_swapSource) {
            m_swapSource.reset(); // only ends the swap: the week keeps its ticks
        } else if (!Doc().Weeks().Week(week).IsEventWeek()) {
            Exchange(week);
            m_swappedBySelection = true; // the click that selected is not a tick
            return;
        }
    }
    UpdateControls();
}

void CTabPage::UpdateControls() {
    const int week = *SelectedWeek();
    const WeekRecord w = Doc().Weeks().Week(week);
    const StringTable& s = Doc().Strings();
    const uint16_t speaker = Speaker(w);
    const std::string name = SpeakerName(w);
    const bool swapping = m_swapSource.has_value();

    Win().Show(kSwapPrompt, swapping);
    Win().SetText(kSwapPrompt,
                  swapping && !w.IsEventWeek()
                      ? s.Format(kSwapWith, SpeakerName(Doc().Weeks().Week(*m_swapSource)))
                      : std::string());
    const bool unavailable =
        !Doc().Availability().IsAvailable(speaker, static_cast<uint16_t>(week + 1));
    Win().Show(kUnavailableLegend, m_marks.UnavailableSeen() && !unavailable);
    Win().Show(kAvailability, unavailable);
    Win().SetText(kAvailability, s.Format(kAvailabilityText, name));
    Win().Show(kSpeakerHistory, LastHomeTalkWeek(Doc(), speaker, week - 1) != 0 ||
                                    LastOutgoingWeek(Doc(), speaker, week - 1) != 0);
    Win().SetText(kSpeakerHistory, s.Format(kSpeakerHistoryText, name));
    Win().Show(kTalkHistory, Talk(w) != 0);
    Win().SetText(kTalkHistory, s.Format(kTalkHistoryText, TalkNumber(w)));
    UpdateChoiceButtons(w, swapping);
    Win().SetText(kDate, Doc().FormatDate(week + 1, kSelectedFlags));
    Win().SetText(kTalkCaption, Talk(w) != 0 ? Doc().Talks().TalkCaption(Talk(w), 1) : "");
    Win().Show(kConflict, m_marks.ConflictSeen());
    Win().SetText(kConflict, ConflictText(week, speaker));
    Win().Show(kContacts, speaker != 0 || Congregation(w) != 0);
}

void CTabPage::UpdateChoiceButtons(const WeekRecord& w, bool swapping) {
    const StringTable& s = Doc().Strings();
    const bool choosing = !swapping && !w.IsEventWeek();
    Win().Show(kChooseTalk, choosing);
    Win().Show(kChooseSpeaker, choosing);
    Win().Show(kSwapOrCongregation, choosing);
    Win().SetText(kSwapOrCongregation, s.Get(Full(w) ? kSwap : kChooseCongregation));
    const bool filled = w.homeTalk != 0 || w.homeSpeaker != 0 || w.homeCongregation != 0;
    Win().Show(kClear, swapping || filled);
    Win().SetText(kClear, s.Get(swapping ? kUndoSwap : kClearText));
}

std::string CTabPage::ConflictText(int week, uint16_t speaker) const {
    const StringTable& s = Doc().Strings();
    std::string text = s.Get(kConflictTitle);
    const int duty = WeekDutyOf(Doc(), speaker, week, kDutyHomeSpeaker);
    if (m_marks.ConflictSeen() && duty != kNoDuty)
        text += " - " + Doc().FormatDate(week + 1, kConflictFlags) + " - " +
                s.Get(kDutyTextBase + duty) + " - " + s.Get(kSpeakerText);
    return text;
}

void CTabPage::OnCommand(int id) {
    switch (id) {
    case kChooseTalk:
        return ChooseTalk();
    case kChooseSpeaker:
        return ChooseSpeaker();
    case kSwapOrCongregation:
        return ChooseCongregationOrSwap();
    case kClear:
        return Clear();
    default:
        return OpenDetail(id);
    }
}

void CTabPage::ChooseTalk() {
    const int week = *SelectedWeek();
    const WeekRecord w = Doc().Weeks().Week(week);
    TalkChoice choice{.title = Doc().FormatDate(week + 1, kTitleFlags),
                      .current = w.homeTalk,
                      .speaker = Speaker(w),
                      .congregation = Speaker(w) == 0 ? Congregation(w) : uint16_t{0},
                      .needsLimit = Speaker(w) == 0 && Congregation(w) == 0,
                      .set = Doc().Needs().List().listed};
    if (Speaker(w) != 0)
        choice.title += " - " + SpeakerName(w);
    else if (Congregation(w) != 0)
        choice.title += " - " + Doc().Congregations().CongregationNameByKey(Congregation(w), false);
    const std::optional<uint16_t> talk = CTalkChooserDlg::ChooseTalk(Doc(), Host(), choice);
    if (talk && EditWeek(week, [&](WeekRecord& r) { r.homeTalk = *talk; }))
        Changed();
}

void CTabPage::ChooseSpeaker() {
    const int week = *SelectedWeek();
    const WeekRecord w = Doc().Weeks().Week(week);
    const bool known = Doc().Congregations().FindCongregationByKey(Congregation(w)) != 0;
    const std::optional<SpeakerChoice> chosen =
        CSpeakerChooserDlg::ChooseSpeaker(Doc(), Host(),
                                          {.title = CSpeakerChooserDlg::TitleFor(Doc(), week),
                                           .weekIndex = week,
                                           .current = Speaker(w),
                                           .talk = static_cast<uint16_t>(Talk(w)),
                                           .congregation = known ? Congregation(w) : uint16_t{0}});
    if (!chosen)
        return;
    const BrotherIndexEntry& b = *Doc().Brothers().Brother(chosen->brother);
    EditWeek(week, [&](WeekRecord& r) {
        r.homeSpeaker = static_cast<int16_t>(b.brotherKey);
        r.homeCongregation = static_cast<int16_t>(b.congregationKey);
        if (chosen->talk)
            r.homeTalk = *chosen->talk;
    });
    Changed();
}

void CTabPage::ChooseCongregationOrSwap() {
    const int week = *SelectedWeek();
    if (Full(Doc().Weeks().Week(week))) {
        if (m_swapSource)
            m_swapSource.reset();
        else
            m_swapSource = week;
        UpdateControls();
        return;
    }
    const std::optional<CongregationChoice> chosen = CVisitingCongDlg::ChooseCongregation(
        Doc(), Host(), CSpeakerChooserDlg::TitleFor(Doc(), week), week);
    if (!chosen)
        return;
    const uint16_t congregation = Doc().Congregations().Congregation(chosen->congregation)->Key();
    EditWeek(week, [&](WeekRecord& r) {
        r.homeCongregation = static_cast<int16_t>(congregation);
        if (!chosen->speaker)
            return;
        r.homeSpeaker =
            static_cast<int16_t>(Doc().Brothers().Brother(chosen->speaker->brother)->brotherKey);
        if (chosen->speaker->talk)
            r.homeTalk = *chosen->speaker->talk;
    });
    Changed();
}

void CTabPage::Clear() {
    if (m_swapSource) {
        m_swapSource.reset();
        UpdateControls();
        return;
    }
    EditWeek(*SelectedWeek(), [](WeekRecord& r) {
        r.homeTalk = 0;
        r.homeSpeaker = r.homeCongregation = r.asked = r.reminder = 0;
        r.confirmed = 0;
    });
    Changed();
}

void CTabPage::Exchange(int week) {
    const int source = *m_swapSource;
    m_swapSource.reset();
    if (IsEditable(source) && IsEditable(week)) {
        const WeekRecord a = Doc().Weeks().Week(source);
        const WeekRecord b = Doc().Weeks().Week(week);
        auto take = [](const WeekRecord& from) {
            return [&from](WeekRecord& r) {
                r.homeTalk = from.homeTalk;
                r.homeSpeaker = from.homeSpeaker;
                r.homeCongregation = from.homeCongregation;
                r.asked = r.reminder = 0;
                r.confirmed = 0;
            };
        };
        EditWeek(source, take(b));
        EditWeek(week, take(a));
    }
    Build(true);
}

void CTabPage::OnClick(int id, int row, int column, ui::Point /*point*/) {
    const bool swapped = std::exchange(m_swappedBySelection, false);
    if (id != kList || row < 0 || swapped)
        return;
    // A click on the selected row changes no selection: picking the source again ends a swap.
    if (m_swapSource && *m_swapSource == FirstListed() + row) {
        m_swapSource.reset(); // only ends the swap: the week keeps its ticks
        UpdateControls();
        return;
    }
    if (!m_swapSource)
        Tick(FirstListed() + row, column);
}

void CTabPage::Tick(int week, int column) {
    // Event rows show no ticks, so a click there toggles none.
    if (column < kFirstTickColumn || column >= kFirstTickColumn + 6 ||
        Doc().Weeks().Week(week).IsEventWeek())
        return;
    const int tick = (column - kFirstTickColumn) / 2; // "[ X" and "]" of one box
    const int stamp = FirstShownWeek();
    if (EditWeek(week, [tick, stamp](WeekRecord& r) {
            std::array<int, 3> ticks{r.asked, r.confirmed, r.reminder};
            // Unticking one clears those after it: no reminder without a confirmation.
            if (ticks[static_cast<size_t>(tick)] != 0)
                std::fill(ticks.begin() + tick, ticks.end(), 0);
            else
                ticks[static_cast<size_t>(tick)] = stamp;
            r.asked = static_cast<int16_t>(ticks[0]);
            r.confirmed = static_cast<uint16_t>(ticks[1]);
            r.reminder = static_cast<int16_t>(ticks[2]);
        }))
        Changed();
}

void CTabPage::OpenDetail(int id) {
    const WeekRecord w = Doc().Weeks().Week(*SelectedWeek());
    if (id == kContacts) {
        CContactDlg card(Doc(), Speaker(w), Congregation(w));
        Host().RunDialog(card);
    } else if (id == kAvailability) {
        CAvailabilityDlg weeks(Doc(), Speaker(w), true, false);
        Host().RunDialog(weeks);
    } else if (id == kSpeakerHistory) {
        CSpeakerHistoryDlg::Show(Doc(), Host(), Doc().Brothers().FindBrotherByKey(Speaker(w)));
    } else if (id == kTalkHistory && Talk(w) != 0) {
        CTalkHistoryDlg::Show(Doc(), Host(), CTalkHistoryDlg::Mode::Home,
                              static_cast<uint16_t>(Talk(w)));
    }
}

void CTabPage::Changed() {
    Build(true);
    Win().SetFocus(kList);
}

} // namespace mivra::rotations
