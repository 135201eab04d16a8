#include "rotations/CTalkEditDlg.h"

#include "resources/StringTable.h"
#include "rotations/TalkHistory.h"
#include "store/CMvDoc.h"
#include "store/CNameListDlg.h"
#include "ui/Host.h"

#include <algorithm>
#include <string>

namespace mivra::rotations {
namespace {

constexpr int kChooseTopics = 1026; // "Välj ämnen"
constexpr int kSeeList = 1020;      // "Se förteckning"
constexpr int kForTalk = 1028;      // "för tal"
constexpr int kTooManyTopics = 60440;
constexpr int kNumberChars = 5;
constexpr int kTitleChars = 91;
constexpr int kCaptionWithNumber = 1;
constexpr int kRowDate = 26;
constexpr int kTitleDate = 2;

template <class Keys>
bool Holds(const Keys& keys, uint16_t key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

CTalkEditDlg::CTalkEditDlg(CMvDoc& doc, int talkIndex)
    : Dialog(kUse), m_doc(doc), m_index(talkIndex) {}

bool CTalkEditDlg::Edit(CMvDoc& doc, ui::Host& host, int talkIndex) {
    if (!doc.Talks().Talk(talkIndex))
        return false;
    CTalkEditDlg dialog(doc, talkIndex);
    return host.RunDialog(dialog) == ui::kIdOk;
}

void CTalkEditDlg::OnInit() {
    m_talk = *m_doc.Talks().Talk(m_index);
    for (uint16_t key : m_talk.topics)
        if (key != 0 && !Holds(m_chosen, key))
            m_chosen.push_back(key);
    Win().SetLimit(kNumber, kNumberChars);
    Win().SetLimit(kTitle, kTitleChars);
    Win().SetText(kNumber, m_talk.numberText);
    Win().SetText(kTitle, m_talk.title);
    Win().SetTitle(m_doc.Talks().TalkCaption(m_index + 1, kCaptionWithNumber));
    m_history = HomeTalkWeeks(m_doc, m_index + 1);
    for (const HomeTalkWeek& week : m_history)
        Win().AddRow(kWeeks, m_doc.FormatDate(week.weekIndex + 1, kRowDate),
                     static_cast<uint32_t>(week.weekIndex));
    ShowTopics();
    Win().SetFocus(kTitle);
}

void CTalkEditDlg::ShowTopics() {
    const StringTable& s = m_doc.Strings();
    Win().SetText(kTopicsButton, s.Get(m_choosing ? kSeeList : kChooseTopics) + " " +
                                     s.Get(kForTalk) + " " + m_talk.numberText);
    Win().Show(kTopics, !m_choosing);
    Win().Show(kAllTopics, m_choosing);
    Win().Show(kTopicList, m_choosing);
    if (m_choosing) {
        FillAllTopics();
        return;
    }
    Win().ClearRows(kTopics);
    for (uint16_t key : m_chosen)
        if (m_doc.Topics().FindByKey(key) != 0)
            Win().AddRow(kTopics, m_doc.Topics().NameByKey(key), key);
}

void CTalkEditDlg::ShowWeek(const HomeTalkWeek& week) {
    Win().SetTitle(m_doc.FormatDate(week.weekIndex + 1, kTitleDate) + " - " +
                   m_doc.Brothers().BrotherNameByKey(week.speaker, false) + " - " +
                   m_doc.Congregations().CongregationNameByKey(week.congregation, false));
}

// By key: the topic list re-sorts, so rows move while the choice stays.
void CTalkEditDlg::FillAllTopics() {
    Win().ClearRows(kAllTopics);
    for (const TopicRecord& topic : m_doc.Topics().Items()) {
        const int row = Win().AddRow(kAllTopics, topic.name, topic.key);
        Win().SetRowSelected(kAllTopics, row, Holds(m_chosen, topic.key));
    }
}

// The talk's topics stay in their order, new ones go after them; a talk holds at most 26.
void CTalkEditDlg::OnSelChange(int id) {
    if (id == kWeeks) {
        const int row = Win().Selection(kWeeks);
        if (row >= 0 && row < static_cast<int>(m_history.size()))
            ShowWeek(m_history[static_cast<size_t>(row)]);
        return;
    }
    if (id != kAllTopics)
        return;
    std::vector<uint16_t> selected;
    for (int row : Win().SelectedRows(kAllTopics))
        selected.push_back(static_cast<uint16_t>(Win().RowData(kAllTopics, row)));
    if (selected.size() > TalkRecord::kTopics) {
        FillAllTopics();
        Host().Warn(m_doc.Strings().Get(kTooManyTopics));
        return;
    }
    std::erase_if(m_chosen, [&](uint16_t key) { return !Holds(selected, key); });
    for (uint16_t key : selected)
        if (!Holds(m_chosen, key))
            m_chosen.push_back(key);
}

void CTalkEditDlg::OnCommand(int id) {
    if (id == kTopicsButton) {
        m_choosing = !m_choosing;
        ShowTopics();
    } else if (id == kTopicList) {
        EditTopicList();
    }
}

void CTalkEditDlg::EditTopicList() {
    const TalkRecord before = *m_doc.Talks().Talk(m_index);
    CTopicListDlg topics(m_doc);
    Host().RunDialog(topics);
    // A topic deleted there has left the stored talk, and its key may already name a new one.
    const TalkRecord& after = *m_doc.Talks().Talk(m_index);
    std::erase_if(m_chosen, [&](uint16_t key) {
        return m_doc.Topics().FindByKey(key) == 0 ||
               (Holds(before.topics, key) && !Holds(after.topics, key));
    });
    FillAllTopics();
}

void CTalkEditDlg::TakeChoice() {
    m_talk.topics.fill(0);
    const size_t count = std::min(m_chosen.size(), m_talk.topics.size());
    std::copy_n(m_chosen.begin(), count, m_talk.topics.begin());
}

void CTalkEditDlg::OnOk() {
    m_talk.numberText = Win().Text(kNumber);
    m_talk.title = Win().Text(kTitle);
    TakeChoice();
    m_doc.Talks().SetTalk(m_index, m_talk);
    m_doc.Talks().SaveTalks();
    m_doc.SetModified(true);
    End(ui::kIdOk);
}

} // namespace mivra::rotations
