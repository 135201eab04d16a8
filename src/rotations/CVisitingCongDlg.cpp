#include "rotations/CVisitingCongDlg.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/Host.h"

#include <algorithm>
#include <unordered_map>

namespace mivra::rotations {
namespace {

constexpr int kTabStops[] = {170, 310};
constexpr int kVisitFlags = 10;
constexpr int kAheadOfShown = 25;      // the latest visit looked for, past firstShownWeek
constexpr int kSpeakerFromText = 1074; // "Välj en talare från "

} // namespace

CVisitingCongDlg::CVisitingCongDlg(CMvDoc& doc, std::string title, int weekIndex)
    : Dialog(kUse), m_doc(doc), m_title(std::move(title)), m_week(weekIndex),
      m_talk(doc.Weeks().Week(weekIndex).homeTalk) {
    if (m_talk > TalkRepertoire::kTalks)
        m_talk = 0; // a number no talk has filters nothing
}

std::optional<CongregationChoice> CVisitingCongDlg::ChooseCongregation(CMvDoc& doc, ui::Host& host,
                                                                       std::string title,
                                                                       int weekIndex) {
    CVisitingCongDlg dialog(doc, std::move(title), weekIndex);
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Chosen();
}

void CVisitingCongDlg::OnInit() {
    Win().SetTitle(m_title);
    Win().SetTabStops(kList, kTabStops);
    CSpeakerChooserDlg::FillCircuits(m_doc, Win(), kCircuits);
    Win().Show(kSpeakerFrom, false);
    Fill();
}

void CVisitingCongDlg::Fill() {
    std::unordered_map<uint16_t, int> holders; // congregation key → brothers with the talk
    for (const BrotherIndexEntry& b : m_doc.Brothers().Items())
        if (m_talk != 0 ? b.repertoire.Has(m_talk) : !b.repertoire.Empty())
            ++holders[b.congregationKey];
    const int circuitRow = Win().Selection(kCircuits);
    const uint32_t circuit = circuitRow > 0 ? Win().RowData(kCircuits, circuitRow) : 0;
    const int upTo = m_doc.FirstShownWeek() + kAheadOfShown;
    Win().ClearRows(kList);
    const auto& congregations = m_doc.Congregations().Items();
    for (size_t i = 0; i < congregations.size(); ++i) {
        const CongregationIndexEntry& c = congregations[i];
        const auto it = holders.find(c.congregationKey);
        if ((circuit != 0 && c.circuitId != circuit) || it == holders.end())
            continue;
        Win().AddRow(kList,
                     c.name + " ( " + std::to_string(it->second) + " ) \t" +
                         LatestVisit(c.congregationKey, upTo),
                     static_cast<uint32_t>(i));
    }
    Win().Show(kSpeakerFrom, false);
}

std::string CVisitingCongDlg::LatestVisit(uint16_t congregationKey, int upTo) const {
    const WeekWindow& weeks = m_doc.Weeks();
    for (int w = std::min(upTo, weeks.BaseWeek() + WeekWindow::kWeeks - 1); w > weeks.BaseWeek();
         --w) {
        const WeekRecord week = weeks.Week(w);
        if (static_cast<uint16_t>(week.homeCongregation) != congregationKey)
            continue;
        std::string text =
            m_doc.Brothers().BrotherNameByKey(static_cast<uint16_t>(week.homeSpeaker), false);
        if (const TalkRecord* talk =
                week.homeTalk >= 1 ? m_doc.Talks().Talk(week.homeTalk - 1) : nullptr)
            text += " ( " + talk->numberText + " ) ";
        return text + "\t" + m_doc.FormatDate(w + 1, kVisitFlags);
    }
    return {};
}

int CVisitingCongDlg::SelectedCongregation() const {
    const int row = Win().Selection(kList);
    return row < 0 ? -1 : static_cast<int>(Win().RowData(kList, row));
}

void CVisitingCongDlg::OnSelChange(int id) {
    if (id == kCircuits) {
        Fill();
    } else if (id == kList) {
        const int index = SelectedCongregation();
        Win().Show(kSpeakerFrom, index >= 0);
        if (index >= 0)
            Win().SetText(kSpeakerFrom, m_doc.Strings().Get(kSpeakerFromText) +
                                            m_doc.Congregations().CongregationName(index, false));
    }
}

void CVisitingCongDlg::OnCommand(int id) {
    const int index = SelectedCongregation();
    if (id != kSpeakerFrom || index < 0)
        return;
    const std::optional<SpeakerChoice> speaker = CSpeakerChooserDlg::ChooseSpeaker(
        m_doc, Host(),
        {.title = CSpeakerChooserDlg::TitleFor(m_doc, m_week),
         .weekIndex = m_week,
         .talk = m_talk,
         .congregation = m_doc.Congregations().Congregation(index)->congregationKey});
    if (!speaker)
        return;
    m_chosen = CongregationChoice{index, speaker};
    End(ui::kIdOk);
}

void CVisitingCongDlg::OnDoubleClick(int id, int /*row*/) {
    if (id == kList)
        OnOk();
}

void CVisitingCongDlg::OnOk() {
    const int index = SelectedCongregation();
    // No row is no choice: the dialog closes as Cancel does.
    if (index < 0) {
        End(ui::kIdCancel);
        return;
    }
    m_chosen = CongregationChoice{index, std::nullopt};
    End(ui::kIdOk);
}

} // namespace mivra::rotations
