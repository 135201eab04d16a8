#include "rotations/CNeedsListDlg.h"

#include "resources/StringTable.h"
#include "rotations/CTalkChooserDlg.h"
#include "store/CMvDoc.h"
#include "store/WeekQueries.h"
#include "ui/Host.h"

#include <algorithm>
#include <cstdio>

namespace mivra::rotations {
namespace {

constexpr int kLastTalk = 200;
constexpr int kTabStops[] = {34, 60};
constexpr int kListFlags = 26;
constexpr int kLookAhead = 26; // last given: LastTalkWeek from firstShownWeek + 26
constexpr int kLetterHigh = 1068;
constexpr int kLetterMedium = 1069;
constexpr int kLetterLow = 1070;

} // namespace

CNeedsListDlg::CNeedsListDlg(CMvDoc& doc, Printer print)
    : Dialog(kUse), m_doc(doc), m_print(std::move(print)), m_copy(doc.Needs().List()) {}

void CNeedsListDlg::Edit(CMvDoc& doc, ui::Host& host, Printer print) {
    CNeedsListDlg dialog(doc, std::move(print));
    host.RunDialog(dialog);
}

std::string CNeedsListDlg::RowText(const CMvDoc& doc, const NeedsList& needs, int talk) {
    const StringTable& s = doc.Strings();
    // Low is tested before high, as the list has always shown a talk with both bits.
    const int letter =
        needs.low.Has(talk) ? kLetterLow : (needs.high.Has(talk) ? kLetterHigh : kLetterMedium);
    const int week = LastTalkWeek(doc, talk, doc.FirstShownWeek() + kLookAhead);
    char number[8];
    std::snprintf(number, sizeof number, "%3d", talk);
    return std::string(number) + "\t" + s.Get(letter) + "\t" +
           (week != 0 ? doc.FormatDate(week, kListFlags) : std::string("    -"));
}

void CNeedsListDlg::OnInit() {
    Win().SetTitle(m_doc.Strings().Get(kCaption));
    Win().SetTabStops(kList, kTabStops);
    Build();
}

void CNeedsListDlg::Build() {
    Win().ClearRows(kList);
    for (int t = 1; t <= kLastTalk; ++t)
        if (m_copy.Contains(t))
            Win().AddRow(kList, RowText(m_doc, m_copy, t), static_cast<uint32_t>(t));
    const int rows = Win().RowCount(kList);
    Win().Show(kRemove, rows > 0);
    m_row = std::clamp(m_row, 0, std::max(rows - 1, 0));
    if (rows > 0)
        Win().Select(kList, m_row);
    ShowSelected();
}

int CNeedsListDlg::SelectedTalk() const {
    const int row = Win().Selection(kList);
    return row < 0 ? 0 : static_cast<int>(Win().RowData(kList, row));
}

void CNeedsListDlg::ShowSelected() {
    const int talk = SelectedTalk();
    Win().SetText(kTalkText, talk != 0 ? m_doc.Talks().TalkCaption(talk, 1) : std::string());
    const bool high = talk != 0 && m_copy.high.Has(talk);
    const bool low = talk != 0 && m_copy.low.Has(talk);
    Win().SetChecked(kHigh, high);
    Win().SetChecked(kLow, !high && low);
    Win().SetChecked(kMedium, talk != 0 && !high && !low);
}

void CNeedsListDlg::OnSelChange(int id) {
    if (id != kList)
        return;
    m_row = std::max(Win().Selection(kList), 0);
    ShowSelected();
}

void CNeedsListDlg::OnCommand(int id) {
    if (id == kHigh || id == kMedium || id == kLow) {
        SetPriority();
    } else if (id == kRemove) {
        if (const int talk = SelectedTalk()) {
            m_copy.Remove(talk);
            Build();
        }
    } else if (id == kAdd) {
        AddTalks();
    } else if (id == kPrint && m_print) {
        m_print(m_copy, Win().Title());
    }
}

void CNeedsListDlg::SetPriority() {
    const int talk = SelectedTalk();
    if (talk == 0) {
        ShowSelected(); // no rows: the radios do nothing
        return;
    }
    m_copy.high.Set(talk, Win().IsChecked(kHigh));
    m_copy.low.Set(talk, Win().IsChecked(kLow));
    Build();
}

void CNeedsListDlg::AddTalks() {
    const std::optional<TalkRepertoire> chosen = CTalkChooserDlg::ChooseTalks(
        m_doc, Host(), {.title = Win().Title(), .hideNeedsBox = true, .set = m_copy.listed});
    if (!chosen)
        return;
    for (int t = 1; t <= TalkRepertoire::kTalks; ++t)
        if (m_copy.listed.Has(t) && !chosen->Has(t))
            m_copy.Remove(t); // a talk taken off loses its priority too
    m_copy.listed = *chosen;
    Build();
}

void CNeedsListDlg::OnOk() {
    m_doc.Needs().SetNeeds(m_copy);
    m_doc.Needs().SaveNeedsList();
    End(ui::kIdOk);
}

} // namespace mivra::rotations
