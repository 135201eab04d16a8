#include "rotations/CTalkChooserDlg.h"
#include "rotations/HistoryFixture.h"
#include "ui/headless/HeadlessDialog.h"

#include <algorithm>

namespace mivra {
namespace {

using rotations::CTalkChooserDlg;
using rotations::TalkChoice;
using ui::headless::HeadlessDialog;
using Mode = CTalkChooserDlg::Mode;

class Choosers : public test::HistoryTest {
protected:
    /** The talk numbers the open chooser lists. */
    static std::vector<int> Listed(const HeadlessDialog& d, int list) {
        std::vector<int> talks;
        for (int row = 0; row < static_cast<int>(d.Rows(list).size()); ++row)
            talks.push_back(static_cast<int>(d.RowData(list, row)) + 1);
        return talks;
    }
    static bool Has(const std::vector<int>& talks, int t) {
        return std::find(talks.begin(), talks.end(), t) != talks.end();
    }
    static int RowOf(const HeadlessDialog& d, int list, int talk) {
        std::vector<int> talks = Listed(d, list);
        return static_cast<int>(std::find(talks.begin(), talks.end(), talk) - talks.begin());
    }
    int cur = 0; // the current week's index
    void SetUp() override {
        HistoryTest::SetUp();
        cur = doc->CurrentWeek() - 1;
    }
};

TEST_F(Choosers, TalkChooserSkipsTalksByEachTestInTurn) {
    TalkRecord blank = *doc->Talks().Talk(8);
    blank.title = "   ";
    doc->Talks().SetTalk(8, blank);
    TalkRecord topical = *doc->Talks().Talk(2);
    topical.topics[0] = doc->Topics().At(0)->key;
    doc->Talks().SetTalk(2, topical);
    PutHome(f + 29, 40, carl, dala);   // "Inte på aktuellt schema" hides it …
    PutHome(cur - 3, 41, carl, dala);  // … but not one given before the current week
    PutHome(cur - 52, 42, carl, dala); // "12 månader": the first week it looks at
    PutHome(cur - 53, 43, carl, dala);
    PutHome(f + 52, 44, carl, dala); // the last week any time filter looks at
    PutHome(f + 53, 45, carl, dala);

    CTalkChooserDlg all(*doc, Mode::Single, {.title = "Vecka"});
    HeadlessDialog d(host, all);
    EXPECT_EQ(d.Title(), "Vecka");
    std::vector<int> talks = Listed(d, CTalkChooserDlg::kSingleList);
    EXPECT_EQ(talks.back(), 200) << "talks above 200 are never offered";
    EXPECT_FALSE(Has(talks, 9)) << "a title of blanks only";
    EXPECT_EQ(d.Rows(CTalkChooserDlg::kSingleList)[0], "  1");
    EXPECT_EQ(d.Rows(CTalkChooserDlg::kTimes).size(), 8u);

    d.Select(CTalkChooserDlg::kTimes, 1);
    talks = Listed(d, CTalkChooserDlg::kSingleList);
    EXPECT_FALSE(Has(talks, 40));
    EXPECT_TRUE(Has(talks, 41));
    EXPECT_FALSE(Has(talks, 44));
    EXPECT_TRUE(Has(talks, 45));
    d.Select(CTalkChooserDlg::kTimes, 3);
    talks = Listed(d, CTalkChooserDlg::kSingleList);
    EXPECT_FALSE(Has(talks, 41));
    EXPECT_FALSE(Has(talks, 42));
    EXPECT_TRUE(Has(talks, 43));
    d.Select(CTalkChooserDlg::kTimes, 0).Select(CTalkChooserDlg::kTopics, 1);
    talks = Listed(d, CTalkChooserDlg::kSingleList);
    EXPECT_TRUE(Has(talks, 3));
    for (int t : talks)
        EXPECT_TRUE(doc->Talks().TalkHasTopic(t - 1, 0)) << t;
    d.Cancel();

    CTalkChooserDlg speaker(*doc, Mode::Single, {.speaker = anders});
    HeadlessDialog s(host, speaker);
    EXPECT_EQ(Listed(s, CTalkChooserDlg::kSingleList), (std::vector<int>{12, 30}));
    s.Cancel();
    CTalkChooserDlg congregation(*doc, Mode::Single, {.congregation = home});
    HeadlessDialog c(host, congregation);
    EXPECT_EQ(Listed(c, CTalkChooserDlg::kSingleList), (std::vector<int>{7, 12, 30}));
    c.Cancel();
}

TEST_F(Choosers, TheNeedsLimitDropsScheduledTalksAndIsTurnedOffWhenNothingIsLeft) {
    TalkChoice choice{.needsLimit = true};
    for (int t : {5, 12, 30, 201})
        choice.set.Set(t);
    PutHome(f + 10, 12, carl, dala);
    PutHome(f - 27, 5, carl, dala); // long enough ago
    {
        CTalkChooserDlg dialog(*doc, Mode::Single, choice);
        HeadlessDialog d(host, dialog);
        EXPECT_TRUE(d.IsChecked(CTalkChooserDlg::kNeedsLimit));
        EXPECT_EQ(Listed(d, CTalkChooserDlg::kSingleList), (std::vector<int>{5, 30}));
        d.Hover(CTalkChooserDlg::kSingleList, 1);
        EXPECT_EQ(d.Text(CTalkChooserDlg::kPriority), "Medelprioritet");
        d.Press(CTalkChooserDlg::kNeedsLimit);
        EXPECT_GT(d.Rows(CTalkChooserDlg::kSingleList).size(), 100u);
        EXPECT_EQ(d.Text(CTalkChooserDlg::kPriority), "") << "priorities only under the limit";
        d.Cancel();
    }
    PutHome(f + 11, 5, carl, dala);
    PutHome(f + 12, 30, carl, dala);
    CTalkChooserDlg dialog(*doc, Mode::Single, choice);
    HeadlessDialog d(host, dialog);
    EXPECT_FALSE(d.IsChecked(CTalkChooserDlg::kNeedsLimit)) << "every needed talk is scheduled";
    EXPECT_GT(d.Rows(CTalkChooserDlg::kSingleList).size(), 100u);
    d.Cancel();
}

TEST_F(Choosers, TalkChooserDetailsFollowThePointerAndOkWithoutARowIsNoResult) {
    PutHome(f - 2, 12, carl, dala);
    CTalkChooserDlg dialog(*doc, Mode::Single, {.current = 7});
    HeadlessDialog d(host, dialog);
    const int list = CTalkChooserDlg::kSingleList;
    EXPECT_EQ(d.Text(CTalkChooserDlg::kTitle), doc->Talks().TalkCaption(7, 1));
    EXPECT_FALSE(d.IsShown(CTalkChooserDlg::kHistory)) << "talk 7 was never given";
    d.Hover(list, RowOf(d, list, 12));
    EXPECT_EQ(d.Text(CTalkChooserDlg::kLastGiven), "Föregående:  " + Date(f - 2));
    EXPECT_EQ(d.Text(CTalkChooserDlg::kLastSpeaker), "Carl Dahl - Dala");
    d.Hover(list, -1);
    EXPECT_EQ(d.Text(CTalkChooserDlg::kTitle), doc->Talks().TalkCaption(7, 1));
    EXPECT_EQ(d.Text(CTalkChooserDlg::kLastGiven), "");
    d.Select(list, RowOf(d, list, 12));
    EXPECT_EQ(d.Text(CTalkChooserDlg::kHistory), "Visa historik - Tal 12");
    d.DoubleClick(list, RowOf(d, list, 12));
    EXPECT_EQ(dialog.Chosen(), 12);

    // The week's talk is not offered (another brother's, or a number no talk has).
    for (uint16_t current : {uint16_t{7}, uint16_t{300}}) {
        host.OnDialog(CTalkChooserDlg::kTemplate, [](HeadlessDialog& c) {
            EXPECT_EQ(c.Selection(CTalkChooserDlg::kSingleList), -1);
            EXPECT_EQ(c.Text(CTalkChooserDlg::kTitle), "");
            c.Ok();
        });
        EXPECT_EQ(CTalkChooserDlg::ChooseTalk(*doc, host, {.current = current, .speaker = carl}),
                  std::nullopt);
    }
}

TEST_F(Choosers, MultipleChoiceKeepsWhatWasChosenAcrossRefills) {
    TalkChoice choice{.hideNeedsBox = true};
    choice.set.Set(5);
    choice.set.Set(7);
    host.OnDialog(CTalkChooserDlg::kTemplate, [this](HeadlessDialog& d) {
        const int list = CTalkChooserDlg::kMultipleList;
        EXPECT_FALSE(d.IsShown(CTalkChooserDlg::kNeedsLimit));
        EXPECT_FALSE(d.IsShown(CTalkChooserDlg::kSingleList));
        EXPECT_EQ(d.SelectedRows(list).size(), 2u);
        d.Toggle(list, RowOf(d, list, 12)).Toggle(list, RowOf(d, list, 5));
        d.Select(CTalkChooserDlg::kTopics, 1).Select(CTalkChooserDlg::kTopics, 0);
        EXPECT_EQ(d.SelectedRows(list), (std::vector<int>{RowOf(d, list, 7), RowOf(d, list, 12)}));
        d.Ok();
    });
    std::optional<TalkRepertoire> set = CTalkChooserDlg::ChooseTalks(*doc, host, choice);
    ASSERT_TRUE(set);
    TalkRepertoire expected;
    expected.Set(7);
    expected.Set(12);
    EXPECT_EQ(*set, expected);
}

} // namespace
} // namespace mivra
