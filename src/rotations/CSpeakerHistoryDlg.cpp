#include "rotations/CSpeakerHistoryDlg.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <string>

namespace mivra::rotations {
namespace {

constexpr int kAllCircuits = 1071;      // "Alla kretsar"
constexpr int kAllCongregations = 1072; // "Alla församlingar"
constexpr int kCircuitHeading = 1073;   // "Församlingar i krets %1"
constexpr int kServantMark = 1272;      // "BT"
constexpr int kGoesOut = 1182;          // "  ( Reser ut )"
constexpr int kHistoryWord = 1079;      // "Historik"
constexpr int kIn = 1160;               // "i"
constexpr int kTabStops[] = {132, 302};
constexpr int kRowDate = 26;
constexpr int kLabelDate = 2;
constexpr int kCaptionWithNumber = 1;

} // namespace

CSpeakerHistoryDlg::CSpeakerHistoryDlg(CMvDoc& doc, int brotherIndex)
    : Dialog(kUse), m_doc(doc), m_brother(brotherIndex) {}

void CSpeakerHistoryDlg::Show(CMvDoc& doc, ui::Host& host, int brotherIndex) {
    CSpeakerHistoryDlg dialog(doc, brotherIndex);
    host.RunDialog(dialog);
}

void CSpeakerHistoryDlg::OnInit() {
    Win().SetTabStops(kWeeks, kTabStops);
    Win().AddRow(kCircuits, m_doc.Strings().Get(kAllCircuits), 0);
    for (const CircuitRecord& circuit : m_doc.Circuits().Items())
        Win().AddRow(kCircuits, m_doc.Circuits().NameByKey(circuit.key), circuit.key);
    Win().Select(kCircuits, 0);
    FillCongregations();
    FillBrothers(m_brother);
    Win().SetFocus(kBrothers);
}

void CSpeakerHistoryDlg::FillCongregations() {
    const uint16_t circuit =
        static_cast<uint16_t>(Win().RowData(kCircuits, Win().Selection(kCircuits)));
    Win().ClearRows(kCongregations);
    std::vector<const CongregationIndexEntry*> listed;
    for (const CongregationIndexEntry& c : m_doc.Congregations().Items())
        if (circuit == 0 || c.circuitId == circuit)
            listed.push_back(&c);
    if (circuit == 0) {
        Win().AddRow(kCongregations, m_doc.Strings().Get(kAllCongregations), 0);
    } else {
        const std::string heading =
            m_doc.Strings().Format(kCircuitHeading, m_doc.Circuits().NameByKey(circuit));
        Win().AddRow(kCongregations, std::to_string(listed.size()) + " " + heading, 0);
    }
    for (const CongregationIndexEntry* c : listed)
        Win().AddRow(kCongregations, c->name, c->congregationKey);
    Win().Select(kCongregations, 0);
}

// A home brother without prepared talks gives none: he is left out.
bool CSpeakerHistoryDlg::Listed(int brotherIndex) const {
    const BrotherIndexEntry& b = *m_doc.Brothers().Brother(brotherIndex);
    const uint16_t home = m_doc.Congregations().OurCongregationKey();
    if (home != 0 && b.congregationKey == home && b.repertoire.Count() == 0)
        return false;
    const auto congregation =
        static_cast<uint16_t>(Win().RowData(kCongregations, Win().Selection(kCongregations)));
    if (congregation != 0)
        return b.congregationKey == congregation;
    const auto circuit =
        static_cast<uint16_t>(Win().RowData(kCircuits, Win().Selection(kCircuits)));
    if (circuit == 0)
        return true;
    const CongregationIndexEntry* own = m_doc.Congregations().Congregation(
        m_doc.Congregations().FindCongregationByKey(b.congregationKey) - 1);
    return own && own->circuitId == circuit;
}

void CSpeakerHistoryDlg::FillBrothers(int brotherIndex) {
    Win().ClearRows(kBrothers);
    const std::string servant = " ( " + m_doc.Strings().Get(kServantMark) + " ) ";
    int select = 0;
    for (int i = 0; i < m_doc.Brothers().BrotherCount(); ++i) {
        if (!Listed(i))
            continue;
        std::string name = m_doc.Brothers().BrotherName(i, false);
        if (m_doc.Brothers().Brother(i)->Appointment() == kMinisterialServant)
            name += servant;
        const int row = Win().AddRow(kBrothers, name, static_cast<uint32_t>(i));
        if (i == brotherIndex)
            select = row;
    }
    Win().Select(kBrothers, Win().RowCount(kBrothers) > 0 ? select : -1);
    ShowBrother();
}

int CSpeakerHistoryDlg::SelectedBrother() const {
    const int row = Win().Selection(kBrothers);
    return row < 0 ? -1 : static_cast<int>(Win().RowData(kBrothers, row));
}

void CSpeakerHistoryDlg::ShowBrother() {
    Win().ClearRows(kWeeks);
    m_rows.clear();
    const BrotherIndexEntry* b = m_doc.Brothers().Brother(SelectedBrother());
    if (b) {
        std::string title = m_doc.Strings().Get(kHistoryWord) + " - " +
                            m_doc.Brothers().BrotherName(SelectedBrother(), false);
        const std::string congregation =
            m_doc.Congregations().CongregationNameByKey(b->congregationKey, false);
        Win().SetTitle(congregation.empty() ? title : title + " - " + congregation);
        m_rows = SpeakerHistoryRows(m_doc, b->brotherKey);
    }
    for (const TalkGiven& row : m_rows)
        Win().AddRow(kWeeks,
                     m_doc.FormatDate(row.weekIndex + 1, kRowDate) +
                         (row.slot == kHomeSlot ? "" : m_doc.Strings().Get(kGoesOut)) + "\t" +
                         TalkNumberText(m_doc, row.talk),
                     static_cast<uint32_t>(row.weekIndex));
    Win().Select(kWeeks, m_rows.empty() ? -1 : 0);
    ShowWeek();
}

void CSpeakerHistoryDlg::ShowWeek() {
    const int row = Win().Selection(kWeeks);
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        Win().SetText(kTalk, "");
        Win().SetText(kDestination, "");
        return;
    }
    const TalkGiven& given = m_rows[static_cast<size_t>(row)];
    Win().SetText(kTalk, m_doc.FormatDate(given.weekIndex + 1, kLabelDate) + " - " +
                             m_doc.Talks().TalkCaption(given.talk, kCaptionWithNumber));
    const std::string where =
        m_doc.Congregations().CongregationNameByKey(given.congregation, false);
    Win().SetText(kDestination,
                  given.slot == kHomeSlot ? std::string() : m_doc.Strings().Get(kIn) + " " + where);
}

void CSpeakerHistoryDlg::OnSelChange(int id) {
    if (id == kCircuits)
        FillCongregations();
    if (id == kCircuits || id == kCongregations)
        FillBrothers(SelectedBrother());
    else if (id == kBrothers)
        ShowBrother();
    else if (id == kWeeks)
        ShowWeek();
}

} // namespace mivra::rotations
