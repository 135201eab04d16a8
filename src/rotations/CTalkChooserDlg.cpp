#include "rotations/CTalkChooserDlg.h"

#include "resources/StringTable.h"
#include "rotations/CTalkHistoryDlg.h"
#include "store/CMvDoc.h"
#include "store/WeekQueries.h"
#include "ui/Host.h"

#include <array>

namespace mivra::rotations {
namespace {

constexpr int kLastTalk = 200; // talks above are never offered
constexpr int kColumnWidth = 30;
constexpr int kListFlags = 26;
constexpr int kAllTopics = 1051;
constexpr int kTimeTexts[] = {1067, 1083, 1266, 1267, 1268, 1269, 1270, 1271};
constexpr std::array<int, 7> kTimeSpans = {0, 26, 52, 78, 104, 156, 208}; // weeks, entries 1 … 7
constexpr int kTalkHistoryText = 1077; // "Visa historik - Tal %1"
constexpr int kPreviousText = 1066;    // "Föregående:  "
constexpr int kPriorityTexts[] = {1179, 1180, 1181};

bool HasTitle(const TalkRecord* talk) {
    return talk && talk->title.find_last_not_of(' ') != std::string::npos;
}

} // namespace

CTalkChooserDlg::CTalkChooserDlg(CMvDoc& doc, Mode mode, TalkChoice choice)
    : Dialog(kUse), m_doc(doc), m_mode(mode), m_choice(std::move(choice)),
      m_limit(m_choice.needsLimit), m_working(m_choice.set) {
    // A talk number read from a file may lie outside every talk: no talk is shown then.
    if (mode == Mode::Single && m_choice.current >= 1 && m_choice.current <= TalkRepertoire::kTalks)
        m_current = m_choice.current;
    if (m_choice.congregation != 0)
        for (const BrotherIndexEntry& b : m_doc.Brothers().Items())
            if (b.congregationKey == m_choice.congregation)
                for (size_t i = 0; i < TalkRepertoire::kSize; ++i)
                    m_congregationTalks.bits[i] |= b.repertoire.bits[i];
}

std::optional<uint16_t> CTalkChooserDlg::ChooseTalk(CMvDoc& doc, ui::Host& host,
                                                    TalkChoice choice) {
    CTalkChooserDlg dialog(doc, Mode::Single, std::move(choice));
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Chosen();
}

std::optional<TalkRepertoire> CTalkChooserDlg::ChooseTalks(CMvDoc& doc, ui::Host& host,
                                                           TalkChoice choice) {
    CTalkChooserDlg dialog(doc, Mode::Multiple, std::move(choice));
    if (host.RunDialog(dialog) != ui::kIdOk)
        return std::nullopt;
    return dialog.Set();
}

void CTalkChooserDlg::OnInit() {
    Win().SetTitle(m_choice.title);
    Win().Show(kSingleList, m_mode == Mode::Single);
    Win().Show(kMultipleList, m_mode == Mode::Multiple);
    Win().SetColumnWidth(List(), kColumnWidth);
    Win().Show(kNeedsLimit, !m_choice.hideNeedsBox);
    if (m_limit && !AnyNeededTalk())
        m_limit = false;
    Win().SetChecked(kNeedsLimit, m_limit);
    const StringTable& s = m_doc.Strings();
    Win().AddRow(kTopics, s.Get(kAllTopics));
    for (int i = 0; i < m_doc.Topics().Count(); ++i)
        Win().AddRow(kTopics, m_doc.Topics().Name(i));
    for (int id : kTimeTexts)
        Win().AddRow(kTimes, s.Get(id));
    Win().Select(kTopics, 0);
    Win().Select(kTimes, 0);
    Fill();
}

bool CTalkChooserDlg::AnyNeededTalk() const {
    for (int t = 1; t <= kLastTalk; ++t)
        if (m_choice.set.Has(t) && !OnCurrentSchedule(m_doc, t))
            return true;
    return false;
}

void CTalkChooserDlg::Fill() {
    const int list = List();
    Win().ClearRows(list);
    const TalkRepertoire recent = RecentTalks();
    bool selected = false;
    for (int t = 1; t <= kLastTalk; ++t) {
        if (Skipped(t, recent))
            continue;
        const int row = Win().AddRow(list, "  " + m_doc.Talks().Talk(t - 1)->numberText,
                                     static_cast<uint32_t>(t - 1));
        if (m_mode == Mode::Multiple && m_working.Has(t))
            Win().SetRowSelected(list, row, true);
        if (m_mode == Mode::Single && t == m_current) {
            Win().Select(list, row);
            selected = true;
        }
    }
    Win().SetTopIndex(list, 0);
    if (m_mode == Mode::Single && !selected)
        m_current = 0;
    ShowHistoryButton();
    ShowDetails(m_current);
}

bool CTalkChooserDlg::Skipped(int t, const TalkRepertoire& recent) const {
    if (m_limit && (!m_choice.set.Has(t) || OnCurrentSchedule(m_doc, t)))
        return true;
    if (m_choice.speaker != 0) {
        const int b = m_doc.Brothers().FindBrotherByKey(m_choice.speaker);
        const BrotherIndexEntry* brother = m_doc.Brothers().Brother(b);
        if (!brother || !brother->repertoire.Has(t))
            return true;
    }
    if (m_choice.congregation != 0 && !m_congregationTalks.Has(t))
        return true;
    const int topic = Win().Selection(kTopics);
    if (topic > 0 && !m_doc.Talks().TalkHasTopic(t - 1, topic - 1))
        return true;
    if (recent.Has(t))
        return true;
    return !HasTitle(m_doc.Talks().Talk(t - 1));
}

TalkRepertoire CTalkChooserDlg::RecentTalks() const {
    TalkRepertoire talks;
    const int entry = Win().Selection(kTimes);
    if (entry <= 0)
        return talks;
    const int from = m_doc.CurrentWeek() - kTimeSpans[static_cast<size_t>(entry - 1)] - 1;
    for (int w = from; w <= m_doc.FirstShownWeek() + 52; ++w)
        talks.Set(m_doc.Weeks().Week(w).homeTalk);
    return talks;
}

void CTalkChooserDlg::OnCommand(int id) {
    if (id == kNeedsLimit) {
        m_limit = Win().IsChecked(kNeedsLimit);
        Fill();
    } else if (id == kHistory && m_current != 0) {
        CTalkHistoryDlg::Show(m_doc, Host(), CTalkHistoryDlg::Mode::Home, m_current);
    }
}

void CTalkChooserDlg::OnSelChange(int id) {
    if (id == kTopics || id == kTimes)
        Fill();
    else if (id == List())
        ReadSelection();
}

void CTalkChooserDlg::ReadSelection() {
    const int list = List();
    if (m_mode == Mode::Multiple) {
        for (int row = 0; row < Win().RowCount(list); ++row)
            m_working.Set(static_cast<int>(Win().RowData(list, row)) + 1,
                          Win().IsRowSelected(list, row));
        return;
    }
    const int row = Win().Selection(list);
    m_current = row < 0 ? 0 : static_cast<uint16_t>(Win().RowData(list, row) + 1);
    ShowHistoryButton();
    ShowDetails(m_current);
}

void CTalkChooserDlg::ShowHistoryButton() {
    const bool given = m_current != 0 && LastTalkWeek(m_doc, m_current, 0) != 0;
    Win().Show(kHistory, given);
    if (given)
        Win().SetText(kHistory,
                      m_doc.Strings().Format(kTalkHistoryText,
                                             m_doc.Talks().Talk(m_current - 1)->numberText));
}

void CTalkChooserDlg::OnHover(int id, int row) {
    if (id != List())
        return;
    ShowDetails(row < 0 ? m_current : static_cast<int>(Win().RowData(id, row)) + 1);
}

void CTalkChooserDlg::ShowDetails(int talk) {
    std::string caption, last, speaker, priority;
    const int week = talk == 0 ? 0 : LastTalkWeek(m_doc, talk, 0);
    if (talk != 0)
        caption = m_doc.Talks().TalkCaption(talk, 1);
    if (week != 0) {
        last = m_doc.Strings().Get(kPreviousText) + m_doc.FormatDate(week, kListFlags);
        const auto key = static_cast<uint16_t>(m_doc.Weeks().Week(week - 1).homeSpeaker);
        speaker = m_doc.Brothers().BrotherNameByKey(key, false);
        const int b = m_doc.Brothers().FindBrotherByKey(key);
        if (const BrotherIndexEntry* brother = m_doc.Brothers().Brother(b);
            brother && brother->congregationKey != 0)
            speaker += " - " +
                       m_doc.Congregations().CongregationNameByKey(brother->congregationKey, false);
    }
    if (talk != 0 && m_limit)
        priority = m_doc.Strings().Get(
            kPriorityTexts[m_doc.Needs().NeedsPriority(talk) - NeedsList::kHigh]);
    Win().SetText(kTitle, caption);
    Win().SetText(kLastGiven, last);
    Win().SetText(kLastSpeaker, speaker);
    Win().SetText(kPriority, priority);
}

void CTalkChooserDlg::OnDoubleClick(int id, int /*row*/) {
    if (id == kSingleList)
        OnOk();
}

void CTalkChooserDlg::OnOk() {
    if (m_mode == Mode::Multiple) {
        ReadSelection();
    } else {
        // No row is no result: the week's own talk may not be listed at all.
        const int row = Win().Selection(kSingleList);
        if (row >= 0)
            m_chosen = static_cast<uint16_t>(Win().RowData(kSingleList, row) + 1);
    }
    End(ui::kIdOk);
}

} // namespace mivra::rotations
