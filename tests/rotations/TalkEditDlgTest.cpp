#include "rotations/CTalkEditDlg.h"
#include "store/CNameListDlg.h"
#include "support/DocFixture.h"
#include "ui/headless/HeadlessDialog.h"

namespace mivra {
namespace {

using Form = rotations::CTalkEditDlg;
using ui::headless::HeadlessDialog;

class TalkForm : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        LoadQuietly();
    }
    /** Talk 4 with the given topics (keys), titled. */
    void SetTopics(std::vector<uint16_t> keys) {
        TalkRecord t = *doc->Talks().Talk(3);
        t.title = "Gamla titeln";
        t.topics.fill(0);
        std::copy(keys.begin(), keys.end(), t.topics.begin());
        doc->Talks().SetTalk(3, t);
    }
    uint16_t TopicKey(int index) const { return doc->Topics().At(index)->key; }
    std::string TopicName(int index) const { return doc->Topics().At(index)->name; }
};

TEST_F(TalkForm, ChosenTopicsKeepTheirOrderAndOkPutsTheTalkBackAndWritesIt) {
    ASSERT_GE(doc->Topics().Count(), 3);
    SetTopics({TopicKey(2), 0, TopicKey(0)}); // a gap left by a deleted topic
    Form form(*doc, 3);
    HeadlessDialog d(host, form);
    EXPECT_EQ(d.Title(), "Gamla titeln ( 4 ) ");
    EXPECT_EQ(d.Text(Form::kNumber), "4");
    EXPECT_EQ(d.Limit(Form::kNumber), 5);
    EXPECT_EQ(d.Limit(Form::kTitle), 91);
    EXPECT_EQ(d.Text(Form::kTopicsButton), "Välj ämnen för tal 4");
    EXPECT_EQ(d.Rows(Form::kTopics), (std::vector<std::string>{TopicName(2), TopicName(0)}));
    EXPECT_FALSE(d.IsShown(Form::kAllTopics));
    EXPECT_FALSE(d.IsShown(Form::kTopicList));

    d.Press(Form::kTopicsButton);
    EXPECT_EQ(d.Text(Form::kTopicsButton), "Se förteckning för tal 4");
    EXPECT_TRUE(d.IsShown(Form::kTopicList));
    EXPECT_EQ(d.SelectedRows(Form::kAllTopics), (std::vector<int>{0, 2}));
    d.Toggle(Form::kAllTopics, 1).Toggle(Form::kAllTopics, 0);
    d.Press(Form::kTopicsButton);
    EXPECT_EQ(d.Rows(Form::kTopics), (std::vector<std::string>{TopicName(2), TopicName(1)}))
        << "kept first, the new one after";

    std::vector<std::string>& written = RecordWrites();
    d.SetText(Form::kNumber, "4a").SetText(Form::kTitle, "Ny titel").Ok();
    EXPECT_EQ(written, std::vector<std::string>{"talk.dat"});
    const TalkRecord& t = *doc->Talks().Talk(3);
    EXPECT_EQ(t.title, "Ny titel");
    EXPECT_EQ(t.numberText, "4a");
    EXPECT_EQ(t.topics[0], TopicKey(2));
    EXPECT_EQ(t.topics[1], TopicKey(1));
    EXPECT_EQ(t.topics[2], 0);
    EXPECT_EQ(Load().Talks().Talk(3)->title, "Ny titel");
}

TEST_F(TalkForm, ATwentySeventhTopicIsRefusedWithAMessage) {
    for (int n = doc->Topics().Count(); n < 30; ++n)
        doc->Topics().Add("Ämne " + std::to_string(100 + n));
    std::vector<uint16_t> keys;
    for (int i = 0; i < 26; ++i)
        keys.push_back(TopicKey(i));
    SetTopics(keys);
    Form form(*doc, 3);
    HeadlessDialog d(host, form);
    d.Press(Form::kTopicsButton).Toggle(Form::kAllTopics, 27);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Get(60440)});
    EXPECT_EQ(d.SelectedRows(Form::kAllTopics).size(), 26u);
    EXPECT_FALSE(d.SelectedRows(Form::kAllTopics).back() == 27);
    d.Toggle(Form::kAllTopics, 0).Toggle(Form::kAllTopics, 27).Ok();
    const TalkRecord& t = *doc->Talks().Talk(3);
    EXPECT_EQ(t.topics[25], TopicKey(27)) << "room made by taking one away";
    EXPECT_EQ(t.topics[0], TopicKey(1));
}

TEST_F(TalkForm, TheTopicListsChangesReachTheChoiceByKey) {
    const uint16_t deleted = TopicKey(0), renamed = TopicKey(1);
    const std::string deletedName = TopicName(0), renamedName = TopicName(1);
    SetTopics({deleted, renamed});
    Form form(*doc, 3);
    HeadlessDialog d(host, form);
    host.OnDialog(CTopicListDlg::kTemplate, [&](HeadlessDialog& t) {
        t.Select(CTopicListDlg::kList, deletedName).SetText(CTopicListDlg::kEdit, "").Ok();
        t.Press(CTopicListDlg::kAdd).SetText(CTopicListDlg::kEdit, "Aaa nytt").Ok();
        t.Select(CTopicListDlg::kList, renamedName).SetText(CTopicListDlg::kEdit, "Omdöpt").Ok();
        t.Cancel();
    });
    d.Press(Form::kTopicsButton).Press(Form::kTopicList);
    ASSERT_EQ(doc->Topics().IdByName("Aaa nytt"), deleted) << "the freed key is given again";
    std::vector<std::string> chosen;
    for (int row : d.SelectedRows(Form::kAllTopics))
        chosen.push_back(d.Rows(Form::kAllTopics)[static_cast<size_t>(row)]);
    EXPECT_EQ(chosen, std::vector<std::string>{"Omdöpt"});
    d.Ok();
    EXPECT_EQ(doc->Talks().Talk(3)->topics[0], renamed);
    EXPECT_EQ(doc->Talks().Talk(3)->topics[1], 0);
}

TEST_F(TalkForm, TheWeekListWalksTheHomeWeeksAndASelectedWeekNamesItsSpeaker) {
    CongregationRecord c;
    c.name = "Berga";
    const uint16_t cong =
        doc->Congregations().Congregation(doc->Congregations().AddCongregation(c))->congregationKey;
    BrotherRecord b;
    b.firstName = "Per";
    b.lastName = "Alm";
    b.congregationKey = cong;
    const uint16_t per = doc->Brothers().Brother(doc->Brothers().AddBrother(b, {}))->brotherKey;
    const int f = doc->FirstShownWeek();
    for (auto [index, talk] : {std::pair{f + 21, 4}, {f + 20, 4}, {f + 5, 9}, {f - 30, 4}}) {
        WeekRecord w = WeekRecord::Blank(index);
        w.homeTalk = static_cast<uint16_t>(talk);
        w.homeSpeaker = static_cast<int16_t>(per);
        w.homeCongregation = static_cast<int16_t>(cong);
        doc->Weeks().StoreWeek(w, index);
    }
    Form form(*doc, 3);
    HeadlessDialog d(host, form);
    EXPECT_EQ(d.Rows(Form::kWeeks),
              (std::vector<std::string>{doc->FormatDate(f + 21, 26), doc->FormatDate(f - 29, 26)}));
    d.Select(Form::kWeeks, 1);
    EXPECT_EQ(d.Title(), doc->FormatDate(f - 29, 2) + " - Per Alm - Berga");
    d.Cancel();
}

} // namespace
} // namespace mivra
