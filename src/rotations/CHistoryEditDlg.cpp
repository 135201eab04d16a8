#include "rotations/CHistoryEditDlg.h"

#include "resources/StringTable.h"
#include "schedule/OutgoingSlots.h"
#include "store/CBrotherListDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CMvDoc.h"
#include "store/CNameListDlg.h"
#include "store/CTalkListDlg.h"
#include "ui/Host.h"

#include <algorithm>
#include <string>

namespace mivra::rotations {
namespace {

constexpr int kSpeakerWord = 1036;      // "Talare"
constexpr int kChairmanWord = 1038;     // "Ordförande"
constexpr int kReaderWord = 1039;       // "Högläsare"
constexpr int kHostWord = 1192;         // "Värd"
constexpr int kCongregationWord = 1057; // "Församling"
constexpr int kRoleSpeaker = 4;
constexpr int kRoleChairman = 6;
constexpr int kRoleReader = 7;
constexpr int kWeeksPastInitial = 31;
constexpr int kRowDate = 26;
constexpr int kTitleDate = 2;
constexpr int kTalkButton = 3; // "Tal - " and the title with its number; "Tal" when none

uint16_t Key(int16_t field) {
    return static_cast<uint16_t>(field);
}

// "Rensa" takes the assignments, ticks and slots; the week number, the event bits the week
// shares with "special.dat" and the reserved bytes stay.
void ClearAssignments(WeekRecord& week) {
    WeekRecord cleared;
    cleared.weekNumber = week.weekNumber;
    cleared.weekFlags = week.weekFlags;
    cleared.reserved = week.reserved;
    week = cleared;
}

bool AnythingSet(const WeekRecord& w) {
    return w.homeSpeaker != 0 || w.homeTalk != 0 || w.chairman != 0 || w.reader != 0 ||
           w.host != 0 || schedule::SpeakerCount(w) > 0;
}

} // namespace

CHistoryEditDlg::CHistoryEditDlg(CMvDoc& doc) : Dialog(kUse), m_doc(doc) {}

void CHistoryEditDlg::Edit(CMvDoc& doc, ui::Host& host) {
    CHistoryEditDlg dialog(doc);
    host.RunDialog(dialog);
}

void CHistoryEditDlg::OnInit() {
    Win().SetRange(kMove, -1, 1);
    Win().SetValue(kMove, 0);
    FillWeeks();
    GoTo(Win().Selection(kWeek));
}

// From the window's first week; it starts on the week numbered currentWeek − 1 (last week).
void CHistoryEditDlg::FillWeeks() {
    const int base = m_doc.Weeks().BaseWeek();
    const int initial = std::max(base, m_doc.CurrentWeek() - 2);
    const int last = std::min(initial + kWeeksPastInitial, base + WeekWindow::kWeeks - 1);
    for (int i = base; i <= last; ++i)
        Win().AddRow(kWeek, m_doc.FormatDate(i + 1, kRowDate), static_cast<uint32_t>(i));
    Win().Select(kWeek, std::min(initial, last) - base);
}

void CHistoryEditDlg::StoreIfChanged() {
    if (m_changed)
        m_doc.Weeks().StoreWeek(m_week, m_index);
    m_changed = false;
}

void CHistoryEditDlg::GoTo(int row) {
    if (row < 0 || row >= Win().RowCount(kWeek))
        return;
    StoreIfChanged();
    Win().Select(kWeek, row);
    m_index = static_cast<int>(Win().RowData(kWeek, row));
    m_week = m_doc.Weeks().Week(m_index);
    schedule::PackOutgoingSlots(m_week);
    m_slot = 0;
    Refresh();
}

void CHistoryEditDlg::Refresh() {
    const uint16_t home = m_doc.Congregations().OurCongregationKey();
    Win().SetTitle(m_doc.Congregations().CongregationNameByKey(home, false) + " - " +
                   m_doc.FormatDate(m_index + 1, kTitleDate));
    const int row = Win().Selection(kWeek);
    Win().Enable(kPrevious, row > 0);
    Win().Enable(kNext, row + 1 < Win().RowCount(kWeek));
    ShowAssignments();
    ShowSlots();
}

std::string CHistoryEditDlg::RoleText(int roleWord, const std::string& name) const {
    const std::string& word = m_doc.Strings().Get(roleWord);
    return name.empty() ? word : word + " - " + name;
}

void CHistoryEditDlg::ShowAssignments() {
    const BrotherStore& brothers = m_doc.Brothers();
    const DocOptions& options = m_doc.Settings().Options();
    Win().SetText(kSpeaker, RoleText(kSpeakerWord,
                                     brothers.BrotherNameByKey(Key(m_week.homeSpeaker), false)));
    Win().SetText(kChairman,
                  RoleText(kChairmanWord, brothers.BrotherNameByKey(Key(m_week.chairman), false)));
    Win().SetText(kReader,
                  RoleText(kReaderWord, brothers.BrotherNameByKey(Key(m_week.reader), false)));
    Win().SetText(kHost, RoleText(kHostWord, m_doc.Hosts().NameByKey(Key(m_week.host))));
    Win().SetText(kTalk, m_doc.Talks().TalkCaption(m_week.homeTalk, kTalkButton));
    Win().Show(kReader, options.scheduleReaders);
    Win().Show(kHost, options.scheduleHosts);
    Win().Show(kClear, AnythingSet(m_week));
}

void CHistoryEditDlg::ShowSlots() {
    Win().ClearRows(kOutgoing);
    const int count = schedule::SpeakerCount(m_week);
    for (int s = 0; s < count; ++s)
        Win().AddRow(kOutgoing,
                     m_doc.Brothers().BrotherNameByKey(
                         Key(m_week.outSpeaker[static_cast<size_t>(s)]), false),
                     static_cast<uint32_t>(s));
    m_slot = std::clamp(m_slot, 0, std::max(count - 1, 0));
    Win().Select(kOutgoing, count > 0 ? m_slot : -1);
    for (int id : {kSlotTalk, kSlotDestination, kReplace, kRemove})
        Win().Show(id, count > 0);
    Win().Show(kMove, count >= 2);
    if (count == 0)
        return;
    const size_t s = static_cast<size_t>(m_slot);
    Win().SetText(kSlotTalk, m_doc.Talks().TalkCaption(m_week.outTalk[s], kTalkButton));
    const std::string destination =
        m_doc.Congregations().CongregationNameByKey(Key(m_week.outCongregation[s]), true);
    Win().SetText(kSlotDestination,
                  destination.empty() ? m_doc.Strings().Get(kCongregationWord) : destination);
}

int CHistoryEditDlg::SelectedSlot() const {
    const int row = Win().Selection(kOutgoing);
    return row < 0 ? 0 : static_cast<int>(Win().RowData(kOutgoing, row));
}

void CHistoryEditDlg::ChooseBrother(int id) {
    CBrotherListDlg::Options options{.mode = CBrotherListDlg::Mode::Role, .week = m_index};
    int16_t* field = &m_week.homeSpeaker;
    if (id == kSpeaker) {
        options.role = kRoleSpeaker;
    } else {
        options.role = id == kChairman ? kRoleChairman : kRoleReader;
        options.filter = m_doc.Congregations().OurCongregationKey();
        field = id == kChairman ? &m_week.chairman : &m_week.reader;
    }
    options.currentKey = Key(*field);
    const std::optional<int> chosen = CBrotherListDlg::Choose(m_doc, Host(), options);
    const BrotherIndexEntry* brother = chosen ? m_doc.Brothers().Brother(*chosen) : nullptr;
    if (!brother)
        return;
    *field = static_cast<int16_t>(brother->brotherKey);
    if (id == kSpeaker)
        m_week.homeCongregation = static_cast<int16_t>(brother->congregationKey);
    m_changed = true;
    Refresh();
}

void CHistoryEditDlg::ChooseHost() {
    const std::optional<uint16_t> chosen =
        CNameListDlg::Choose(m_doc, Host(), CNameListDlg::Kind::Hosts, Key(m_week.host));
    if (!chosen)
        return;
    m_week.host = static_cast<int16_t>(*chosen);
    m_changed = true;
    Refresh();
}

void CHistoryEditDlg::ChooseTalk() {
    const uint16_t current = m_week.homeTalk != 0 ? m_week.homeTalk : 1;
    const std::optional<uint16_t> chosen = CTalkListDlg::PickTalk(m_doc, Host(), current);
    if (!chosen)
        return;
    m_week.homeTalk = *chosen;
    m_changed = true;
    Refresh();
}

void CHistoryEditDlg::ChooseSlotSpeaker(bool replace) {
    const CBrotherListDlg::Options options{
        .mode = CBrotherListDlg::Mode::Role,
        .filter = m_doc.Congregations().OurCongregationKey(),
        .role = CBrotherListDlg::kRoleOutgoing,
        .week = m_index,
        .currentKey = replace ? Key(m_week.outSpeaker[static_cast<size_t>(m_slot)]) : uint16_t{0}};
    const std::optional<int> chosen = CBrotherListDlg::Choose(m_doc, Host(), options);
    const BrotherIndexEntry* brother = chosen ? m_doc.Brothers().Brother(*chosen) : nullptr;
    if (!brother)
        return;
    m_changed = true;
    if (replace) {
        schedule::ReplaceOutgoingSpeaker(m_week, m_slot, brother->brotherKey);
    } else if (!schedule::HasOutgoingSpeaker(m_week, brother->brotherKey)) {
        const int slot = schedule::AddOutgoingSpeaker(m_week, brother->brotherKey);
        m_slot = slot >= 0 ? slot : m_slot;
    }
    Refresh();
}

// On a copy of his record: the talks he prepared may be changed there, and are written only
// when they were.
void CHistoryEditDlg::ChooseSlotTalk() {
    const size_t s = static_cast<size_t>(m_slot);
    const int index = m_doc.Brothers().FindBrotherByKey(Key(m_week.outSpeaker[s]));
    BrotherRecord record;
    const bool known = m_doc.Brothers().ReadBrother(index, record) != 0;
    const TalkRepertoire before = record.repertoire;
    const std::optional<uint16_t> chosen =
        CTalkListDlg::PickTalk(m_doc, Host(), m_week.outTalk[s], known ? &record : nullptr);
    if (!chosen)
        return;
    m_week.outTalk[s] = *chosen;
    m_changed = true;
    if (known && !(record.repertoire == before)) {
        BrotherExtraRecord extra;
        if (record.extraSlot != 0)
            m_doc.Brothers().ReadBrotherExtra(record.extraSlot, record.brotherKey, extra);
        m_doc.Brothers().UpdateBrother(index, record, extra);
    }
    Refresh();
}

void CHistoryEditDlg::ChooseSlotDestination() {
    const size_t s = static_cast<size_t>(m_slot);
    const std::optional<int> chosen =
        CCongregationListDlg::Choose(m_doc, Host(), Key(m_week.outCongregation[s]));
    const CongregationIndexEntry* congregation =
        chosen ? m_doc.Congregations().Congregation(*chosen) : nullptr;
    if (!congregation)
        return;
    m_week.outCongregation[s] = static_cast<int16_t>(congregation->congregationKey);
    m_changed = true;
    Refresh();
}

void CHistoryEditDlg::Clear() {
    ClearAssignments(m_week);
    m_doc.Weeks().StoreWeek(m_week, m_index);
    m_changed = false;
    Refresh();
}

void CHistoryEditDlg::OnCommand(int id) {
    switch (id) {
    case kSpeaker:
    case kChairman:
    case kReader:
        return ChooseBrother(id);
    case kHost:
        return ChooseHost();
    case kTalk:
        return ChooseTalk();
    case kAdd:
    case kReplace:
        return ChooseSlotSpeaker(id == kReplace);
    case kSlotTalk:
        return ChooseSlotTalk();
    case kSlotDestination:
        return ChooseSlotDestination();
    case kRemove:
        schedule::RemoveOutgoingSlot(m_week, m_slot);
        m_changed = true;
        return Refresh();
    case kClear:
        return Clear();
    case kNext:
    case kPrevious:
        return GoTo(Win().Selection(kWeek) + (id == kNext ? 1 : -1));
    default:
        return;
    }
}

void CHistoryEditDlg::OnSelChange(int id) {
    if (id == kWeek) {
        GoTo(Win().Selection(kWeek));
    } else if (id == kOutgoing) {
        m_slot = SelectedSlot();
        ShowSlots();
    }
}

// The up arrow moves the slot towards the first, swapping it with its neighbour.
void CHistoryEditDlg::OnUpDown(int id, int delta) {
    Win().SetValue(kMove, 0);
    const int target = m_slot + (delta > 0 ? -1 : 1);
    if (id != kMove || delta == 0 || target < 0 || target >= schedule::SpeakerCount(m_week))
        return;
    schedule::SwapOutgoingSlots(m_week, m_slot, target);
    m_slot = target;
    m_changed = true;
    ShowSlots();
}

// Every week stored while the dialog was open reaches the file, whichever way it closes; a
// failed write has been reported (1231) and the weeks stay in memory.
void CHistoryEditDlg::Close(int code) {
    if (code == ui::kIdOk)
        StoreIfChanged();
    m_doc.Weeks().SaveWeeks();
    End(code);
}

void CHistoryEditDlg::OnOk() {
    Close(ui::kIdOk);
}

void CHistoryEditDlg::OnCancel() {
    Close(ui::kIdCancel);
}

} // namespace mivra::rotations
