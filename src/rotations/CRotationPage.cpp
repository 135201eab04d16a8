#include "rotations/CRotationPage.h"

#include "resources/StringTable.h"
#include "rotations/CRoleListDlg.h"
#include "store/CMvDoc.h"
#include "store/WeekQueries.h"
#include "ui/Host.h"

#include <algorithm>

namespace mivra::rotations {
namespace {

constexpr int kTabStops[] = {70, 220, 230};
constexpr int kListFlags = 26;
constexpr int kCaptionFlags = 24;
constexpr int kLabelFlags = 2;
constexpr int kConflictFlags = 8;
constexpr int kUndoSwap = 1003;        // "Ångra Byt"
constexpr int kSwapWith = 1017;        // "Byt %1"
constexpr int kDutyTextBase = 1035;    // + duty code: "Talare" … "Högläsare"
constexpr int kAutoText = 1075;        // "Välj automatiskt "
constexpr int kClearText = 1076;       // "Rensa "
constexpr int kUnavailableDate = 1097; // "* Ej tillgänglig - %1"
constexpr int kConflictTitle = 1162;   // "# Schemakonflikt"

} // namespace

CRotationPage::CRotationPage(const ui::TemplateUse& use, CMvDoc& doc, const RotationPageKind& kind)
    : CWeekPage(use, doc), m_kind(kind) {}

void CRotationPage::OnInit() {
    CWeekPage::OnInit();
    Build(true);
}

void CRotationPage::OnSiblingsChanged() {
    if (!m_notifying && IsOpen())
        Build(false);
}

void CRotationPage::SelectWeek(int weekIndex) {
    const int row = weekIndex - (FirstShownWeek() - 1);
    if (!IsOpen() || row < 0 || row >= kRows) {
        CWeekPage::SelectWeek(weekIndex);
        return;
    }
    Win().Select(kList, row);
    ReadSelection(true);
}

void CRotationPage::OnSelChange(int id) {
    if (id == kList)
        ReadSelection(true);
}

void CRotationPage::OnDoubleClick(int id, int /*row*/) {
    if (id == kList)
        ChooseManually();
}

void CRotationPage::OnCommand(int id) {
    if (id == kAuto)
        FillOrClear();
    else if (id == kManual)
        ChooseManually();
    else if (id == kSwap)
        ToggleSwap();
}

void CRotationPage::Build(bool ownInitiative) {
    Win().ClearRows(kList);
    Win().SetTabStops(kList, kTabStops);
    m_marks.Clear();
    int needing = -1;
    for (int row = 0; row < kRows; ++row) {
        const int week = FirstShownWeek() - 1 + row;
        Win().AddRow(kList, RowText(week), static_cast<uint32_t>(week));
        if (needing < 0 && !IsRotationWeekDone(Doc(), week, m_kind.duty))
            needing = row;
    }
    Win().Select(kList, std::max(needing, 0));
    ReadSelection(false);
    const bool changed = m_marks.ConflictsChanged();
    if (ownInitiative && changed && m_kind.broadcasts) {
        m_notifying = true; // this page has just been built
        NotifySiblings();
        m_notifying = false;
    }
}

std::string CRotationPage::RowText(int week) {
    const WeekRecord record = Doc().Weeks().Week(week);
    std::string text = Date(week, kListFlags) + "\t  ";
    if (const int event = BlockedTextId(record, m_kind.duty))
        return text + Doc().Strings().Get(event);
    const uint16_t holder = HolderOf(record, m_kind.duty);
    if (m_kind.duty != Duty::Host)
        text += m_marks.Marker(Doc(), holder, week, OwnDutyCode());
    return text + HolderName(Doc(), m_kind.duty, holder);
}

void CRotationPage::ReadSelection(bool byUser) {
    const int row = Win().Selection(kList);
    if (row < 0)
        return;
    const int week = FirstShownWeek() - 1 + row;
    CWeekPage::SelectWeek(week);
    if (byUser && m_swapSource && HolderAt(week) != 0) {
        Exchange(week);
        return;
    }
    UpdateControls();
}

void CRotationPage::UpdateControls() {
    const int week = *SelectedWeek();
    const uint16_t holder = HolderAt(week);
    const StringTable& s = Doc().Strings();
    const bool swapping = m_swapSource.has_value();
    if (m_kind.swapPrompt != 0) {
        Win().Show(kSwap, swapping || holder != 0);
        Win().SetText(kSwap, swapping
                                 ? s.Get(kUndoSwap)
                                 : s.Format(kSwapWith, HolderName(Doc(), m_kind.duty, holder)));
        Win().SetText(kSwapPrompt,
                      swapping ? s.Format(m_kind.swapPrompt,
                                          HolderName(Doc(), m_kind.duty, HolderAt(*m_swapSource)))
                               : std::string());
    }
    Win().Show(kAuto, !swapping);
    Win().Show(kManual, !swapping);
    Win().SetText(kAuto, AutoCaption(week, holder));
    if (m_kind.unavailableLabel != 0) {
        Win().Show(m_kind.unavailableLabel, m_marks.UnavailableSeen());
        Win().SetText(m_kind.unavailableLabel, UnavailableText(week, holder));
    }
    if (m_kind.conflictLabel) {
        Win().Show(kConflict, m_marks.ConflictSeen());
        Win().SetText(kConflict, ConflictText(week, holder));
    }
}

std::string CRotationPage::AutoCaption(int week, uint16_t holder) const {
    const StringTable& s = Doc().Strings();
    if (holder != 0) {
        const WeekRun run = ClearRange(Doc(), week, m_kind.duty, FirstShownWeek());
        std::string text = s.Get(kClearText) + Date(week, kCaptionFlags);
        if (run.Count() >= 2)
            text += " - " + Date(run.last, kCaptionFlags);
        return text;
    }
    const WeekRun run = FillRange(Doc(), week, m_kind.duty, FirstShownWeek());
    std::string text = s.Get(kAutoText);
    if (run.first < week)
        text += Date(run.first, kCaptionFlags) + " - ";
    return text + Date(week, kCaptionFlags);
}

std::string CRotationPage::UnavailableText(int week, uint16_t holder) const {
    const StringTable& s = Doc().Strings();
    if (Doc().Availability().IsAvailable(holder, static_cast<uint16_t>(week + 1)))
        return s.Get(m_kind.unavailableText);
    std::string text = HolderName(Doc(), m_kind.duty, holder) + " " +
                       s.Format(kUnavailableDate, Date(week, kLabelFlags));
    std::replace(text.begin(), text.end(), '*', '-');
    return text;
}

std::string CRotationPage::ConflictText(int week, uint16_t holder) const {
    const StringTable& s = Doc().Strings();
    std::string text = s.Get(kConflictTitle);
    const int code = WeekDutyOf(Doc(), holder, week, OwnDutyCode());
    if (code != kNoDuty)
        text += "  " + Date(week, kConflictFlags) + "\n" + HolderName(Doc(), m_kind.duty, holder) +
                "\n" + s.Get(kDutyTextBase + code) + " - " + s.Get(kDutyTextBase + OwnDutyCode());
    return text;
}

void CRotationPage::FillOrClear() {
    const int week = *SelectedWeek();
    if (HolderAt(week) != 0) {
        const WeekRun run = ClearRange(Doc(), week, m_kind.duty, FirstShownWeek());
        for (int w = run.last; w >= run.first; --w)
            SetWeekHolder(w, 0);
    } else {
        FillWeeks(Doc(), FillRange(Doc(), week, m_kind.duty, FirstShownWeek()), m_kind.duty,
                  [this](int w, uint16_t holder) { return SetWeekHolder(w, holder); });
    }
    Build(true);
}

void CRotationPage::ChooseManually() {
    const int week = *SelectedWeek();
    // A week the row shows as taken by an event would keep a holder nobody sees.
    if (!IsEditable(week) || IsBlocked(Doc().Weeks().Week(week), m_kind.duty))
        return;
    const uint16_t holder = HolderAt(week);
    const std::optional<uint16_t> chosen = ChooseHolder(week, holder);
    if (!chosen)
        return;
    if (*chosen != 0 && *chosen != holder)
        SetWeekHolder(week, *chosen);
    Build(true);
}

std::optional<uint16_t> CRotationPage::ChooseHolder(int weekIndex, uint16_t holder) {
    CRoleListDlg dialog(Doc(), m_kind.role, weekIndex, holder);
    if (Host().RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Chosen();
}

void CRotationPage::ToggleSwap() {
    const int week = *SelectedWeek();
    if (m_swapSource)
        m_swapSource.reset();
    else if (HolderAt(week) != 0)
        m_swapSource = week;
    UpdateControls();
}

void CRotationPage::Exchange(int week) {
    const int source = *m_swapSource;
    m_swapSource.reset();
    if (IsEditable(source) && IsEditable(week)) {
        const uint16_t first = HolderAt(source);
        const uint16_t second = HolderAt(week);
        SetWeekHolder(source, second);
        SetWeekHolder(week, first);
    }
    Build(true);
}

bool CRotationPage::SetWeekHolder(int week, uint16_t holder) {
    return EditWeek(week, [this, holder](WeekRecord& w) { SetHolder(w, m_kind.duty, holder); });
}

uint16_t CRotationPage::HolderAt(int week) const {
    return HolderOf(Doc().Weeks().Week(week), m_kind.duty);
}

int CRotationPage::OwnDutyCode() const {
    return m_kind.duty == Duty::Reader ? kDutyReader : kDutyChairman;
}

std::string CRotationPage::Date(int week, int flags) const {
    return Doc().FormatDate(week + 1, flags);
}

} // namespace mivra::rotations
