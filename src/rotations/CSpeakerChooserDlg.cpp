#include "rotations/CSpeakerChooserDlg.h"

#include "resources/StringTable.h"
#include "rotations/CSpeakerHistoryDlg.h"
#include "rotations/CTalkChooserDlg.h"
#include "store/CAvailabilityDlg.h"
#include "store/CContactDlg.h"
#include "store/CMvDoc.h"
#include "store/WeekQueries.h"
#include "ui/Host.h"

#include <algorithm>

namespace mivra::rotations {
namespace {

constexpr int kTabStops[] = {132, 302};
constexpr int kTitleFlags = 2;
constexpr int kVisitFlags = 10;
constexpr int kAheadOfShown = 20; // LastHomeTalkWeek's default reach past firstShownWeek
constexpr int kAllCircuits = 1071;
constexpr int kAllCongregations = 1072;
constexpr int kCircuitCongregations = 1073; // "Församlingar i krets %1"
constexpr int kTalkThroughText = 1016;      // "Välj ett tal genom  "
constexpr int kHistoryText = 1078;          // "Visa historik - %1"
constexpr int kAvailabilityText = 1080;     // "Visa tillgänglighet - %1"
constexpr int kNotAvailable = 1081;         // "%1 är inte tillgänglig"
constexpr int kTalkWord = 1041;             // "Tal"
constexpr int kServantMark = 1272;          // "BT"

/** The talk's number text; empty for a number no talk has. */
std::string NumberText(const CMvDoc& doc, int talk) {
    const TalkRecord* record = talk >= 1 ? doc.Talks().Talk(talk - 1) : nullptr;
    return record ? record->numberText : std::string();
}

std::string TrimRemark(std::string_view remark) {
    const size_t from = remark.find_first_not_of("! ");
    if (from == std::string_view::npos)
        return {};
    remark.remove_prefix(from);
    return std::string(remark.substr(0, remark.find_last_not_of(' ') + 1));
}

} // namespace

CSpeakerChooserDlg::CSpeakerChooserDlg(CMvDoc& doc, SpeakerRequest request)
    : Dialog(kUse), m_doc(doc), m_request(std::move(request)) {
    for (const CongregationIndexEntry& c : m_doc.Congregations().Items())
        m_circuitOf[c.congregationKey] = c.circuitId;
}

std::optional<SpeakerChoice> CSpeakerChooserDlg::ChooseSpeaker(CMvDoc& doc, ui::Host& host,
                                                               SpeakerRequest request) {
    CSpeakerChooserDlg dialog(doc, std::move(request));
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Chosen();
}

std::string CSpeakerChooserDlg::TitleFor(const CMvDoc& doc, int weekIndex) {
    std::string title = doc.FormatDate(weekIndex + 1, kTitleFlags);
    const std::string number = NumberText(doc, doc.Weeks().Week(weekIndex).homeTalk);
    if (!number.empty())
        title += " - " + doc.Strings().Get(kTalkWord) + " " + number;
    return title;
}

void CSpeakerChooserDlg::FillCircuits(const CMvDoc& doc, ui::Window& window, int id) {
    window.AddRow(id, doc.Strings().Get(kAllCircuits));
    for (int i = 0; i < doc.Circuits().Count(); ++i)
        window.AddRow(id, doc.Circuits().Name(i), doc.Circuits().At(i)->key);
    window.Select(id, 0);
}

void CSpeakerChooserDlg::OnInit() {
    Win().SetTitle(m_request.title);
    Win().SetTabStops(kList, kTabStops);
    const bool preset = m_request.congregation != 0;
    Win().Show(kCircuits, !preset);
    Win().Show(kCongregations, !preset);
    m_congregation = m_request.congregation;
    if (!preset) {
        FillCircuits(m_doc, Win(), kCircuits);
        FillCongregations(0);
    }
    Fill();
    ClearDetails();
    for (int row = 0; row < Win().RowCount(kList); ++row) {
        const BrotherIndexEntry* b =
            m_doc.Brothers().Brother(static_cast<int>(Win().RowData(kList, row)));
        if (b->brotherKey == m_request.current && m_request.current != 0) {
            Win().Select(kList, row);
            ShowDetails();
            break;
        }
    }
}

void CSpeakerChooserDlg::FillCongregations(uint16_t circuit) {
    Win().ClearRows(kCongregations);
    m_circuit = circuit;
    m_congregation = 0;
    if (circuit == 0)
        Win().AddRow(kCongregations, m_doc.Strings().Get(kAllCongregations));
    int count = 0;
    for (const CongregationIndexEntry& c : m_doc.Congregations().Items()) {
        if (circuit != 0 && c.circuitId != circuit)
            continue;
        Win().AddRow(kCongregations, c.name, c.congregationKey);
        ++count;
    }
    if (circuit != 0)
        Win().InsertRow(
            kCongregations, 0,
            std::to_string(count) + " " +
                m_doc.Strings().Format(kCircuitCongregations, m_doc.Circuits().NameByKey(circuit)));
    Win().Select(kCongregations, 0);
}

void CSpeakerChooserDlg::Fill() {
    // One pass over the window instead of one scan per brother.
    m_lastHomeWeek.clear();
    const WeekWindow& weeks = m_doc.Weeks();
    const int top =
        std::min(m_doc.FirstShownWeek() + kAheadOfShown, weeks.BaseWeek() + WeekWindow::kWeeks - 1);
    for (int w = top; w > weeks.BaseWeek(); --w)
        if (const auto speaker = static_cast<uint16_t>(weeks.Week(w).homeSpeaker); speaker != 0)
            m_lastHomeWeek.try_emplace(speaker, w + 1);
    Win().ClearRows(kList);
    const int count = m_doc.Brothers().BrotherCount();
    for (int b = 0; b < count; ++b)
        if (!Skipped(b))
            Win().AddRow(kList, RowText(b), static_cast<uint32_t>(b));
}

bool CSpeakerChooserDlg::Skipped(int index) const {
    const BrotherIndexEntry& b = *m_doc.Brothers().Brother(index);
    if (b.Suspended() || b.congregationKey == 0)
        return true;
    if (m_circuit != 0) {
        const auto it = m_circuitOf.find(b.congregationKey);
        if (it == m_circuitOf.end() || it->second != m_circuit)
            return true;
    }
    if (m_congregation != 0 && b.congregationKey != m_congregation)
        return true;
    return m_request.talk != 0 ? !b.repertoire.Has(m_request.talk) : b.repertoire.Empty();
}

std::string CSpeakerChooserDlg::RowText(int index) const {
    const BrotherIndexEntry& b = *m_doc.Brothers().Brother(index);
    std::string text = Available(b.brotherKey) ? "" : "* ";
    text += m_doc.Brothers().BrotherName(index, false);
    if (b.Appointment() == kMinisterialServant)
        text += " ( " + m_doc.Strings().Get(kServantMark) + " ) ";
    text += "\t" + m_doc.Congregations().CongregationNameByKey(b.congregationKey, false) + "\t";
    if (const auto it = m_lastHomeWeek.find(b.brotherKey); it != m_lastHomeWeek.end()) {
        text += m_doc.FormatDate(it->second, kVisitFlags);
        const std::string number = NumberText(m_doc, m_doc.Weeks().Week(it->second - 1).homeTalk);
        if (!number.empty())
            text += " ( " + number + " ) ";
    }
    return text;
}

bool CSpeakerChooserDlg::Available(uint16_t brotherKey) const {
    return m_doc.Availability().IsAvailable(brotherKey,
                                            static_cast<uint16_t>(m_request.weekIndex + 1));
}

int CSpeakerChooserDlg::SelectedBrother() const {
    const int row = Win().Selection(kList);
    return row < 0 ? -1 : static_cast<int>(Win().RowData(kList, row));
}

void CSpeakerChooserDlg::OnSelChange(int id) {
    if (id == kList) {
        m_talk.reset();
        ShowDetails();
        return;
    }
    if (id == kCircuits) {
        const int row = Win().Selection(kCircuits);
        FillCongregations(row <= 0 ? 0 : static_cast<uint16_t>(Win().RowData(kCircuits, row)));
    } else if (id == kCongregations) {
        const int row = Win().Selection(kCongregations);
        m_congregation = row < 0 ? 0 : static_cast<uint16_t>(Win().RowData(kCongregations, row));
    } else {
        return;
    }
    m_talk.reset();
    ClearDetails();
    Fill();
}

void CSpeakerChooserDlg::ClearDetails() {
    for (int id : {kHistory, kAvailability, kContacts, kTalkThrough})
        Win().Show(id, false);
    Win().SetText(kRemark, "");
}

void CSpeakerChooserDlg::ShowDetails() {
    const int index = SelectedBrother();
    if (index < 0) {
        ClearDetails();
        return;
    }
    const BrotherIndexEntry& b = *m_doc.Brothers().Brother(index);
    const StringTable& s = m_doc.Strings();
    const std::string name = m_doc.Brothers().BrotherName(index, false);
    Win().Show(kTalkThrough, m_request.talk == 0);
    Win().SetText(kTalkThrough, s.Get(kTalkThroughText) + " - " + name + " ( " +
                                    std::to_string(b.repertoire.Count()) + " )");
    Win().Show(kHistory, LastHomeTalkWeek(m_doc, b.brotherKey, 0) != 0);
    Win().SetText(kHistory, s.Format(kHistoryText, name));
    Win().Show(kAvailability, !Available(b.brotherKey));
    Win().SetText(kAvailability, s.Format(kAvailabilityText, name));
    Win().Show(kContacts, true);
    BrotherExtraRecord extra;
    std::string remark;
    if (b.extraSlot != 0 && m_doc.Brothers().ReadBrotherExtra(b.extraSlot, b.brotherKey, extra))
        remark = TrimRemark(extra.remark);
    Win().SetText(kRemark, remark.empty() ? std::string() : " - " + remark + " -");
}

void CSpeakerChooserDlg::OnCommand(int id) {
    const int index = SelectedBrother();
    if (index < 0)
        return;
    const uint16_t key = m_doc.Brothers().Brother(index)->brotherKey;
    if (id == kHistory) {
        CSpeakerHistoryDlg::Show(m_doc, Host(), index);
    } else if (id == kAvailability) {
        EditAvailability();
    } else if (id == kContacts) {
        CContactDlg card(m_doc, key);
        Host().RunDialog(card);
    } else if (id == kTalkThrough) {
        ChooseTalkThrough();
    }
}

void CSpeakerChooserDlg::EditAvailability() {
    const int index = SelectedBrother();
    const BrotherIndexEntry& b = *m_doc.Brothers().Brother(index);
    CAvailabilityDlg dialog(m_doc, b.brotherKey, false, b.Suspended());
    dialog.HideSuspend();
    Host().RunDialog(dialog);
    // The marks may have changed: rebuild and keep the brother selected.
    const int row = Win().Selection(kList);
    Fill();
    Win().Select(kList, row);
    ShowDetails();
}

void CSpeakerChooserDlg::ChooseTalkThrough() {
    const int index = SelectedBrother();
    TalkChoice choice{
        .title = m_doc.FormatDate(m_request.weekIndex + 1, kTitleFlags) + " - " +
                 m_doc.Brothers().BrotherName(index, false),
        .speaker = m_doc.Brothers().Brother(index)->brotherKey,
        .set = m_doc.Needs().List().listed,
    };
    const std::optional<uint16_t> talk = CTalkChooserDlg::ChooseTalk(m_doc, Host(), choice);
    if (!talk)
        return;
    m_talk = talk;
    OnOk();
}

void CSpeakerChooserDlg::OnDoubleClick(int id, int /*row*/) {
    if (id == kList)
        OnOk();
}

void CSpeakerChooserDlg::OnOk() {
    const int index = SelectedBrother();
    // No row is no choice: the dialog closes as Cancel does.
    if (index < 0) {
        End(ui::kIdCancel);
        return;
    }
    if (Available(m_doc.Brothers().Brother(index)->brotherKey)) {
        m_chosen = SpeakerChoice{index, m_talk};
        End(ui::kIdOk);
        return;
    }
    Host().Warn(m_doc.Strings().Format(kNotAvailable, m_doc.Brothers().BrotherName(index, false)) +
                " - " + m_doc.FormatDate(m_request.weekIndex + 1, kTitleFlags));
}

} // namespace mivra::rotations
