#include "schedule/CSched.h"

#include "resources/StringTable.h"
#include "schedule/OutgoingSlots.h"
#include "store/CAvailabilityDlg.h"
#include "store/CBrotherListDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CContactDlg.h"
#include "store/CMvDoc.h"
#include "store/CTalkListDlg.h"
#include "store/WeekQueries.h"
#include "ui/Host.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace mivra::schedule {
namespace {

constexpr int kTabStops[] = {62, 95, 190};
constexpr int kOutSlots = static_cast<int>(WeekRecord::kOutSlots);
constexpr int kListFlags = 26;
constexpr int kDateFlags = 24;
constexpr int kConflictFlags = 8;
constexpr int kSwapFlags = 9;
constexpr int kSwapText = 1002;         // "Byt"
constexpr int kUndoSwap = 1003;         // "Ångra Byt"
constexpr int kSwapWith = 1013;         // "Välj en talare att byta med %1 eller -> "
constexpr int kOtherEvent = 1014;       // "Särskild händelse"
constexpr int kDutyTextBase = 1035;     // + duty code: "Talare" … "Högläsare"
constexpr int kOutgoingTitle = 1037;    // "Talare som reser ut"
constexpr int kNoDestination = 1057;    // "Församling"
constexpr int kHistoryText = 1078;      // "Visa historik - %1"
constexpr int kAvailabilityText = 1080; // "Visa tillgänglighet - %1"
constexpr int kAssembly = 1117;         // "Sammankomst"
constexpr int kVisit = 1118;            // "KT-besök"
constexpr int kConflictTitle = 1162;    // "# Schemakonflikt"
constexpr int kWeekdayBase = 1252;      // + weekday 0 (Monday) … 6 (Sunday)
constexpr int kSpeakerAndDate = 60800;  // "%1 (%2)"
constexpr int kSwapPair = 60801;        // "%1 <-> %2"
constexpr const char* kNextFree = " +...";

size_t At(int slot) {
    return static_cast<size_t>(slot);
}

/** The slots with a speaker, in slot order. */
std::vector<int> FilledSlots(const WeekRecord& week) {
    std::vector<int> slots;
    for (int s = 0; s < kOutSlots; ++s)
        if (week.outSpeaker[At(s)] != 0)
            slots.push_back(s);
    return slots;
}

int FirstFreeSlot(const WeekRecord& week) {
    for (int s = 0; s < kOutSlots; ++s)
        if (week.outSpeaker[At(s)] == 0)
            return s;
    return -1;
}

/** A talk outside 1 … 256 counts as none here; the stored value stays. */
uint16_t ValidTalk(uint16_t talk) {
    return talk >= 1 && talk <= TalkRepertoire::kTalks ? talk : 0;
}

} // namespace

CSched::CSched(CMvDoc& doc, HistoryView history)
    : CWeekPage(kUse, doc), m_history(std::move(history)) {}

void CSched::OnInit() {
    CWeekPage::OnInit();
    int opening = 0;
    for (int row = 0; row < kRows; ++row) {
        const WeekRecord week = Doc().Weeks().Week(FirstShownWeek() - 1 + row);
        if (week.outSpeaker[0] == 0 || ValidTalk(week.outTalk[0]) == 0) {
            opening = row;
            break;
        }
    }
    Build(false, opening);
    m_lastConflictSeen = m_conflictSeen;
}

void CSched::OnSiblingsChanged() {
    if (!m_notifying && IsOpen())
        Build(false);
}

void CSched::SelectWeek(int weekIndex) {
    const int row = weekIndex - (FirstShownWeek() - 1);
    if (!IsOpen() || row < 0 || row >= kRows) {
        CWeekPage::SelectWeek(weekIndex);
        return;
    }
    Win().Select(kWeeks, row);
    ReadWeekSelection();
}

int CSched::SelectedSlot() const {
    if (!SelectedWeek())
        return 0;
    const WeekRecord week = Current();
    const std::vector<int> filled = FilledSlots(week);
    if (m_slotRow < static_cast<int>(filled.size()))
        return filled[At(m_slotRow)];
    // The " +..." row of a swap stands for the next free slot.
    const int free = FirstFreeSlot(week);
    return m_swapSource && free >= 0 ? free : 0;
}

void CSched::OnSelChange(int id) {
    if (id == kWeeks) {
        ReadWeekSelection();
    } else if (id == kSlots) {
        m_slotRow = std::max(Win().Selection(kSlots), 0);
        Build(false, Win().Selection(kWeeks));
    }
}

void CSched::OnCommand(int id) {
    switch (id) {
    case kAdd:
        AddSpeaker();
        break;
    case kReplace:
        ReplaceSpeaker();
        break;
    case kRemove:
        RemoveSlot();
        break;
    case kTalk:
        ChooseTalk();
        break;
    case kDestination:
        ChooseDestination();
        break;
    case kSwap:
        ToggleSwap();
        break;
    case kSwapDo:
        Exchange();
        break;
    case kAvailability:
        ShowAvailability();
        break;
    case kHistory:
        ShowHistory();
        break;
    case kContacts:
        ShowContacts();
        break;
    default:
        break;
    }
}

void CSched::Build(bool ownInitiative, std::optional<int> row) {
    if (!row && SelectedWeek()) {
        const int selected = *SelectedWeek() - (FirstShownWeek() - 1);
        if (selected >= 0 && selected < kRows)
            row = selected;
    }
    if (Win().RowCount(kWeeks) != kRows) {
        Win().ClearRows(kWeeks);
        for (int r = 0; r < kRows; ++r)
            Win().AddRow(kWeeks, "", static_cast<uint32_t>(FirstShownWeek() - 1 + r));
    }
    Win().Select(kWeeks, row.value_or(0));
    ReadWeekSelection();
    const bool changed = m_conflictSeen != m_lastConflictSeen;
    m_lastConflictSeen = m_conflictSeen;
    if (ownInitiative && changed) {
        m_notifying = true; // this page is already up to date
        NotifySiblings();
        m_notifying = false;
    }
}

void CSched::ReadWeekSelection() {
    const int row = std::max(Win().Selection(kWeeks), 0);
    const int week = FirstShownWeek() - 1 + row;
    if (const std::optional<int> before = SelectedWeek(); before && IsEditable(*before))
        Doc().Weeks().StoreWeek(Doc().Weeks().GetWeek(*before), *before);
    CWeekPage::SelectWeek(week);
    // Outside a swap the filled slots move to the front; a slot without a speaker keeps nothing.
    if (!m_swapSource) {
        WeekRecord compacted = Current();
        CompactOutgoingSlots(compacted);
        if (compacted != Current())
            EditWeek(week, [](WeekRecord& w) { CompactOutgoingSlots(w); });
    }
    FillSlots();
    // The rows: the selected week shows its selected slot, the others slot 0.
    const int top = Win().TopIndex(kWeeks);
    Win().ClearRows(kWeeks);
    Win().SetTabStops(kWeeks, kTabStops);
    m_unavailableSeen = false;
    m_conflictSeen = false;
    for (int r = 0; r < kRows; ++r) {
        const int w = FirstShownWeek() - 1 + r;
        Win().AddRow(kWeeks, RowText(w), static_cast<uint32_t>(w));
    }
    Win().SetTopIndex(kWeeks, top);
    Win().Select(kWeeks, row);
    ShowSlotButtons();
    ShowDetails();
}

std::string CSched::RowText(int week) {
    const StringTable& s = Doc().Strings();
    const WeekRecord record = Doc().Weeks().Week(week);
    std::string text = Date(week, kListFlags) + "\t";
    if (record.weekFlags & kWeekOverseerVisit)
        return text + "\t" + s.Get(kVisit);
    const bool assembly = (record.weekFlags & kWeekAssembly) != 0;
    const bool otherEvent = (record.weekFlags & kWeekOtherEvent) != 0;
    if (assembly && record.outSpeaker[0] == 0)
        return text + s.Get(kAssembly);
    if (otherEvent && record.outSpeaker[0] == 0)
        return text + s.Get(kOtherEvent);
    const int slot = SelectedWeek() == week ? SelectedSlot() : 0;
    const auto speaker = static_cast<uint16_t>(record.outSpeaker[At(slot)]);
    const TalkRecord* talk = Doc().Talks().Talk(ValidTalk(record.outTalk[At(slot)]) - 1);
    text += (talk ? talk->numberText : "   ") + "\t";
    if (speaker != 0) {
        if (!Doc().Availability().IsAvailable(speaker, static_cast<uint16_t>(week + 1))) {
            text += "* ";
            m_unavailableSeen = true;
        } else if (WeekDutyOf(Doc(), speaker, week, kDutyOutgoing) != kNoDuty || assembly ||
                   otherEvent) {
            text += "# ";
            m_conflictSeen = true;
        }
    }
    text += Name(speaker);
    if (record.outSpeaker[1] != 0)
        text += " (+...)";
    return text + "\t" +
           Doc().Congregations().CongregationNameByKey(
               static_cast<uint16_t>(record.outCongregation[At(slot)]), false);
}

void CSched::FillSlots() {
    const WeekRecord week = Current();
    const int w = *SelectedWeek();
    const std::vector<int> filled = FilledSlots(week);
    Win().ClearRows(kSlots);
    for (int slot : filled) {
        std::string text = Name(static_cast<uint16_t>(week.outSpeaker[At(slot)]));
        const int destination = Doc().Congregations().FindCongregationByKey(
                                    static_cast<uint16_t>(week.outCongregation[At(slot)])) -
                                1;
        if (destination >= 0)
            text += " - " +
                    Doc().Strings().Get(
                        kWeekdayBase +
                        HomeWeekday(Doc().Congregations().MeetingWeekdayForWeek(destination, w)));
        Win().AddRow(kSlots, text, static_cast<uint32_t>(slot));
    }
    // A swap may take the next free slot of a week that has one left.
    const int count = static_cast<int>(filled.size());
    if (m_swapSource && count > 0 && count < kOutSlots)
        Win().AddRow(kSlots, kNextFree, static_cast<uint32_t>(FirstFreeSlot(week)));
    m_slotRow = std::max(std::min(m_slotRow, Win().RowCount(kSlots) - 1), 0);
    if (Win().RowCount(kSlots) > 0)
        Win().Select(kSlots, m_slotRow);
}

void CSched::ShowSlotButtons() {
    const WeekRecord week = Current();
    const int slot = SelectedSlot();
    const bool rows = Win().RowCount(kSlots) > 0;
    for (int id : {kReplace, kRemove, kTalk, kDestination})
        Win().Show(id, rows);
    Win().SetText(kTalk, Doc().Talks().TalkCaption(ValidTalk(week.outTalk[At(slot)]), 3));
    const auto destination = static_cast<uint16_t>(week.outCongregation[At(slot)]);
    Win().SetText(kDestination, Doc().Congregations().FindCongregationByKey(destination) != 0
                                    ? Doc().Congregations().CongregationNameByKey(destination, true)
                                    : Doc().Strings().Get(kNoDestination));
    Win().SetFocus(kWeeks);
}

void CSched::ShowDetails() {
    const StringTable& s = Doc().Strings();
    const int w = *SelectedWeek();
    const WeekRecord week = Current();
    const int slot = SelectedSlot();
    const auto speaker = static_cast<uint16_t>(week.outSpeaker[At(slot)]);
    const bool swapping = m_swapSource.has_value();

    Win().Show(kSwapPrompt, swapping);
    if (swapping)
        Win().SetText(kSwapPrompt, s.Format(kSwapWith, SlotLabel(*m_swapSource)));
    Win().SetText(kDate, Date(w, kDateFlags));
    Win().Show(kAdd, !swapping && (week.weekFlags & kWeekOverseerVisit) == 0);

    const bool unavailable =
        speaker != 0 && !Doc().Availability().IsAvailable(speaker, static_cast<uint16_t>(w + 1));
    Win().Show(kUnavailable, m_unavailableSeen && !unavailable);
    Win().Show(kAvailability, unavailable);
    if (unavailable)
        Win().SetText(kAvailability, s.Format(kAvailabilityText, Name(speaker)));

    const bool history = speaker != 0 && (LastHomeTalkWeek(Doc(), speaker, w - 1) != 0 ||
                                          LastOutgoingWeek(Doc(), speaker, w - 1) != 0);
    Win().Show(kHistory, history);
    if (history)
        Win().SetText(kHistory, s.Format(kHistoryText, Name(speaker)));

    if (swapping) {
        Win().Show(kReplace, false);
        Win().Show(kRemove, false);
        Win().SetText(kSwap, s.Get(kUndoSwap));
        Win().Show(kSwap);
        const bool other = m_swapSource->week != w;
        Win().Show(kSwapDo, other);
        if (other)
            Win().SetText(kSwapDo, s.Get(kSwapText) + " " +
                                       s.Format(kSwapPair, SlotLabel(*m_swapSource),
                                                SlotLabel({.week = w, .slot = slot})));
    } else {
        Win().SetText(kSwap, s.Get(kSwapText));
        Win().Show(kSwap, speaker != 0 || week.outCongregation[At(slot)] != 0 ||
                              week.outTalk[At(slot)] != 0);
        Win().Show(kSwapDo, false);
    }

    Win().Show(kConflict, m_conflictSeen);
    Win().SetText(kConflict, m_conflictSeen ? ConflictText(w, speaker) : s.Get(kConflictTitle));
    Win().Show(kContacts, week.outCongregation[At(slot)] != 0);
}

std::string CSched::ConflictText(int week, uint16_t speaker) const {
    const StringTable& s = Doc().Strings();
    std::string text = s.Get(kConflictTitle);
    if (speaker == 0)
        return text;
    const uint16_t flags = Doc().Weeks().Week(week).weekFlags;
    const int duty = WeekDutyOf(Doc(), speaker, week, kDutyOutgoing);
    int role = 0;
    if (duty == kNoDuty && (flags & kWeekAssembly))
        role = kAssembly;
    else if (duty == kNoDuty && (flags & kWeekOtherEvent))
        role = kOtherEvent;
    else if (duty == kDutyHomeSpeaker || duty == kDutyChairman || duty == kDutyReader)
        role = kDutyTextBase + duty;
    if (role != 0)
        text += "  " + Date(week, kConflictFlags) + "\n" + Name(speaker) + "\n" + s.Get(role) +
                " - " + s.Get(kOutgoingTitle);
    return text;
}

uint16_t CSched::ChooseSpeaker() {
    const int w = *SelectedWeek();
    if (!IsEditable(w))
        return 0;
    const std::optional<int> chosen = CBrotherListDlg::Choose(
        Doc(), Host(),
        {.mode = CBrotherListDlg::Mode::Role,
         .filter = Doc().Congregations().OurCongregationKey(),
         .role = CBrotherListDlg::kRoleOutgoing,
         .week = w,
         .currentKey = static_cast<uint16_t>(Current().outSpeaker[At(SelectedSlot())])});
    const BrotherIndexEntry* brother = chosen ? Doc().Brothers().Brother(*chosen) : nullptr;
    return brother ? brother->brotherKey : 0;
}

void CSched::ChangeWeek(const std::function<void(WeekRecord&)>& change) {
    EditWeek(*SelectedWeek(), change);
    Build(true);
}

void CSched::AddSpeaker() {
    const uint16_t brother = ChooseSpeaker();
    if (brother == 0)
        return;
    ChangeWeek([this, brother](WeekRecord& w) {
        // A seventh is not added; the new speaker starts without destination and talk.
        m_slotRow = std::max(AddOutgoingSpeaker(w, brother), 0);
    });
}

void CSched::ReplaceSpeaker() {
    const uint16_t brother = ChooseSpeaker();
    if (brother == 0)
        return;
    const int slot = SelectedSlot();
    ChangeWeek([slot, brother](WeekRecord& w) { ReplaceOutgoingSpeaker(w, slot, brother); });
}

void CSched::RemoveSlot() {
    if (Win().RowCount(kSlots) == 0)
        return;
    const int slot = SelectedSlot();
    ChangeWeek([slot](WeekRecord& w) { RemoveOutgoingSlot(w, slot); });
}

void CSched::ChooseTalk() {
    const int slot = SelectedSlot();
    const WeekRecord week = Current();
    // A speaker key that names no brother, or whose record is gone, is left alone.
    const int index =
        Doc().Brothers().FindBrotherByKey(static_cast<uint16_t>(week.outSpeaker[At(slot)]));
    BrotherRecord stored;
    if (index == kNotFound || Doc().Brothers().ReadBrother(index, stored) == 0 ||
        !IsEditable(*SelectedWeek()))
        return;
    BrotherRecord copy = stored;
    const std::optional<uint16_t> talk =
        CTalkListDlg::PickTalk(Doc(), Host(), ValidTalk(week.outTalk[At(slot)]), &copy);
    if (!talk)
        return;
    if (copy.repertoire != stored.repertoire) {
        BrotherExtraRecord extra;
        if (stored.extraSlot != 0)
            Doc().Brothers().ReadBrotherExtra(stored.extraSlot, stored.brotherKey, extra);
        Doc().Brothers().UpdateBrother(index, copy, extra);
    }
    ChangeWeek([slot, t = *talk](WeekRecord& w) { w.outTalk[At(slot)] = t; });
}

void CSched::ChooseDestination() {
    const int slot = SelectedSlot();
    if (!IsEditable(*SelectedWeek()))
        return;
    const std::optional<int> chosen = CCongregationListDlg::Choose(
        Doc(), Host(), static_cast<uint16_t>(Current().outCongregation[At(slot)]));
    const CongregationIndexEntry* congregation =
        chosen ? Doc().Congregations().Congregation(*chosen) : nullptr;
    if (!congregation)
        return;
    ChangeWeek([slot, key = congregation->congregationKey](WeekRecord& w) {
        w.outCongregation[At(slot)] = static_cast<int16_t>(key);
    });
}

void CSched::ToggleSwap() {
    if (m_swapSource)
        m_swapSource.reset();
    else
        m_swapSource = SlotRef{.week = *SelectedWeek(), .slot = SelectedSlot()};
    Build(false);
}

void CSched::Exchange() {
    if (!m_swapSource)
        return;
    const SlotRef source = *m_swapSource;
    const SlotRef target{.week = *SelectedWeek(), .slot = SelectedSlot()};
    if (source.week == target.week)
        return;
    m_swapSource.reset();
    if (IsEditable(source.week) && IsEditable(target.week)) {
        WeekRecord& other = Doc().Weeks().GetWeek(target.week);
        EditWeek(source.week, [&](WeekRecord& w) {
            std::swap(w.outSpeaker[At(source.slot)], other.outSpeaker[At(target.slot)]);
            std::swap(w.outCongregation[At(source.slot)], other.outCongregation[At(target.slot)]);
            std::swap(w.outTalk[At(source.slot)], other.outTalk[At(target.slot)]);
            CompactOutgoingSlots(w);
        });
        // Both weeks keep their speakers at the front, where the summary reads slot 0.
        EditWeek(target.week, [](WeekRecord& w) { CompactOutgoingSlots(w); });
    }
    Build(true);
}

void CSched::ShowAvailability() {
    const auto speaker = static_cast<uint16_t>(Current().outSpeaker[At(SelectedSlot())]);
    if (speaker == 0)
        return;
    CAvailabilityDlg dialog(Doc(), speaker, true, false);
    Host().RunDialog(dialog);
}

void CSched::ShowHistory() {
    const int index = Doc().Brothers().FindBrotherByKey(
        static_cast<uint16_t>(Current().outSpeaker[At(SelectedSlot())]));
    if (index != kNotFound && m_history)
        m_history(Doc(), Host(), index);
}

void CSched::ShowContacts() {
    const WeekRecord week = Current();
    const int slot = SelectedSlot();
    CContactDlg dialog(Doc(), static_cast<uint16_t>(week.outSpeaker[At(slot)]),
                       static_cast<uint16_t>(week.outCongregation[At(slot)]));
    Host().RunDialog(dialog);
}

WeekRecord CSched::Current() const {
    return Doc().Weeks().Week(*SelectedWeek());
}

std::string CSched::Name(uint16_t brother) const {
    return brother != 0 ? Doc().Brothers().BrotherNameByKey(brother, false) : std::string();
}

std::string CSched::SlotLabel(SlotRef ref) const {
    const WeekRecord week = Doc().Weeks().Week(ref.week);
    return Doc().Strings().Format(kSpeakerAndDate,
                                  Name(static_cast<uint16_t>(week.outSpeaker[At(ref.slot)])),
                                  Date(ref.week, kSwapFlags));
}

std::string CSched::Date(int week, int flags) const {
    return Doc().FormatDate(week + 1, flags);
}

} // namespace mivra::schedule
