#include "rotations/CTalkHistoryDlg.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "rotations/CSpeakerHistoryDlg.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <string>

namespace mivra::rotations {
namespace {

constexpr int kAllTalks = 1277;      // "Alla"
constexpr int kAllSpeakers = 1140;   // "Alla talare"
constexpr int kOutgoingTitle = 1138; // "Talhistorik för talare som reser ut"
constexpr int kChooseTitle = 1046;   // "Välj talare"
constexpr int kShowHistory = 1078;   // "Visa historik - %1"
constexpr int kTabStops[] = {60, 170};
constexpr int kLastListedTalk = 200;
constexpr size_t kTitledOver = 9; // a talk exists for the list when its title is longer
constexpr int kRowDate = 26;
constexpr int kCaptionWithNumber = 1;
constexpr int kSlotShift = 16; // item data: week index, and the slot above it

} // namespace

CTalkHistoryDlg::CTalkHistoryDlg(CMvDoc& doc, Mode mode, uint16_t talk)
    : Dialog(kUse), m_doc(doc), m_mode(mode), m_talk(talk) {}

void CTalkHistoryDlg::Show(CMvDoc& doc, ui::Host& host, Mode mode, uint16_t talk) {
    CTalkHistoryDlg dialog(doc, mode, talk);
    host.RunDialog(dialog);
}

std::optional<int> CTalkHistoryDlg::ChooseHomeWeek(CMvDoc& doc, ui::Host& host) {
    CTalkHistoryDlg dialog(doc, Mode::ChooseHome);
    if (host.RunDialog(dialog) != ui::kIdOk || !dialog.Chosen())
        return std::nullopt;
    return dialog.Chosen()->weekIndex;
}

std::optional<TalkGiven> CTalkHistoryDlg::ChooseOutgoingSlot(CMvDoc& doc, ui::Host& host) {
    CTalkHistoryDlg dialog(doc, Mode::ChooseOutgoing);
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Chosen();
}

void CTalkHistoryDlg::OnInit() {
    const StringTable& s = m_doc.Strings();
    Win().SetTabStops(kWeeks, kTabStops);
    Win().Show(kSpeakerHistory, false);
    Win().Show(kSpeakers, m_mode == Mode::Outgoing);
    Win().Show(ui::kIdOk, Choosing());
    Win().Show(kTalks, !Choosing());
    Win().Show(kTalkLabel, !Choosing());
    if (Choosing())
        Win().SetTitle(s.Get(kChooseTitle));
    else if (m_mode == Mode::Outgoing)
        Win().SetTitle(s.Get(kOutgoingTitle));
    FillTalks();
    FillSpeakers();
    FillWeeks();
    Win().SetFocus(Choosing() ? kWeeks : kTalks);
}

void CTalkHistoryDlg::FillTalks() {
    Win().AddRow(kTalks, m_doc.Strings().Get(kAllTalks), 0);
    int select = 0;
    for (int key = 1; key <= kLastListedTalk; ++key) {
        const TalkRecord* talk = m_doc.Talks().Talk(key - 1);
        if (!talk || text::CharCount(talk->title) <= kTitledOver)
            continue;
        const int row = Win().AddRow(kTalks, talk->numberText, static_cast<uint32_t>(key));
        if (key == m_talk)
            select = row;
    }
    Win().Select(kTalks, Choosing() ? 0 : select);
}

// The home brothers who go out, in the home list's order.
void CTalkHistoryDlg::FillSpeakers() {
    if (m_mode != Mode::Outgoing)
        return;
    Win().AddRow(kSpeakers, m_doc.Strings().Get(kAllSpeakers), 0);
    for (const OurBrotherEntry& e : m_doc.Brothers().OurBrothers())
        if (e.roleBits & kRoleOutgoingSpeaker)
            Win().AddRow(kSpeakers, m_doc.Brothers().BrotherNameByKey(e.brotherKey, false),
                         e.brotherKey);
    Win().Select(kSpeakers, 0);
}

uint16_t CTalkHistoryDlg::SelectedTalk() const {
    const int row = Win().Selection(kTalks);
    return row < 0 ? 0 : static_cast<uint16_t>(Win().RowData(kTalks, row));
}

std::string CTalkHistoryDlg::RowText(const TalkGiven& row) const {
    std::string speaker = m_doc.Brothers().BrotherNameByKey(row.speaker, false);
    if (SelectedTalk() == 0)
        speaker += " ( " + TalkNumberText(m_doc, row.talk) + " )";
    return m_doc.FormatDate(row.weekIndex + 1, kRowDate) + "\t" + speaker + "\t" +
           m_doc.Congregations().CongregationNameByKey(row.congregation, false);
}

void CTalkHistoryDlg::FillWeeks() {
    TalkHistoryFilter filter{
        .outgoing = Outgoing(), .choosing = Choosing(), .talk = SelectedTalk()};
    if (m_mode == Mode::Outgoing)
        filter.speaker =
            static_cast<uint16_t>(Win().RowData(kSpeakers, Win().Selection(kSpeakers)));
    m_rows = TalkHistoryRows(m_doc, filter);
    Win().ClearRows(kWeeks);
    for (const TalkGiven& row : m_rows) {
        uint32_t data = static_cast<uint32_t>(row.weekIndex);
        if (row.slot != kHomeSlot)
            data |= static_cast<uint32_t>(row.slot) << kSlotShift;
        Win().AddRow(kWeeks, RowText(row), data);
    }
    Win().Select(kWeeks, m_rows.empty() ? -1 : 0);
    Win().SetText(kTalkText, SelectedTalk() == 0
                                 ? std::string()
                                 : m_doc.Talks().TalkCaption(SelectedTalk(), kCaptionWithNumber));
    ShowRow();
}

const TalkGiven* CTalkHistoryDlg::SelectedRow() const {
    const int row = Win().Selection(kWeeks);
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? &m_rows[static_cast<size_t>(row)]
                                                             : nullptr;
}

bool CTalkHistoryDlg::HasSeveralTalks(const TalkGiven& row) const {
    return m_mode == Mode::Home && SpeakerTalkCount(m_doc, row.speaker) >= 2;
}

void CTalkHistoryDlg::ShowRow() {
    const TalkGiven* row = SelectedRow();
    if (!row)
        return;
    if (SelectedTalk() == 0)
        Win().SetText(kTalkText, m_doc.Talks().TalkCaption(row->talk, kCaptionWithNumber));
    const bool several = HasSeveralTalks(*row);
    if (several)
        Win().SetText(kSpeakerHistory,
                      m_doc.Strings().Format(
                          kShowHistory, m_doc.Brothers().BrotherNameByKey(row->speaker, false)));
    Win().Show(kSpeakerHistory, several);
}

void CTalkHistoryDlg::OnSelChange(int id) {
    if (id == kTalks) {
        Win().Show(kSpeakerHistory, false);
        FillWeeks();
    } else if (id == kSpeakers) {
        FillWeeks();
    } else if (id == kWeeks) {
        ShowRow();
    }
}

void CTalkHistoryDlg::OpenSpeakerHistory() {
    const TalkGiven* row = SelectedRow();
    if (row && HasSeveralTalks(*row))
        CSpeakerHistoryDlg::Show(m_doc, Host(), m_doc.Brothers().FindBrotherByKey(row->speaker));
}

void CTalkHistoryDlg::OnCommand(int id) {
    if (id == kSpeakerHistory)
        OpenSpeakerHistory();
}

void CTalkHistoryDlg::OnDoubleClick(int id, int row) {
    if (id != kWeeks || row < 0)
        return;
    if (Choosing())
        OnOk();
    else
        OpenSpeakerHistory();
}

// OK is shown in the choosing modes only; with nothing to choose it is Cancel.
void CTalkHistoryDlg::OnOk() {
    const TalkGiven* row = SelectedRow();
    if (!Choosing() || !row) {
        End(ui::kIdCancel);
        return;
    }
    m_chosen = *row;
    End(ui::kIdOk);
}

} // namespace mivra::rotations
