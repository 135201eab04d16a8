#include "rotations/CNeedsListDlg.h"
#include "rotations/CSpeakerChooserDlg.h"
#include "rotations/CTalkChooserDlg.h"
#include "rotations/CVisitingCongDlg.h"
#include "rotations/HistoryFixture.h"
#include "ui/headless/HeadlessDialog.h"

#include <algorithm>

namespace mivra {
namespace {

using rotations::CNeedsListDlg;
using rotations::CSpeakerChooserDlg;
using rotations::CTalkChooserDlg;
using rotations::CVisitingCongDlg;
using rotations::SpeakerRequest;
using rotations::TalkChoice;
using ui::headless::HeadlessDialog;
using Mode = CTalkChooserDlg::Mode;
using Rows = std::vector<std::string>;

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

class SpeakerChoosers : public Choosers {
protected:
    void SetUp() override {
        Choosers::SetUp();
        const int index = doc->Circuits().Add("Norr");
        norr = doc->Circuits().At(index)->key;
        for (const char* name : {"Ekby", "Forsa", "Gran", "Hed"})
            north.push_back(AddCongregation(name, norr));
        erik = AddBrother("Erik", "Ek", north[0], {5, 12}, kMinisterialServant);
        AddBrother("Filip", "Fors", north[1], {}); // no talks: never listed
        AddBrother("Gustav", "Gran", 0, {5});      // no congregation: never listed
        BrotherRecord suspended;
        suspended.firstName = "Hans";
        suspended.lastName = "Hed";
        suspended.congregationKey = north[3];
        suspended.suspended = true;
        suspended.repertoire.Set(5);
        doc->Brothers().AddBrother(suspended, {});
        week = f + 3;
        doc->Availability().AddUnavailableWeek(carl, static_cast<uint16_t>(week + 1));
    }
    SpeakerRequest Request(uint16_t talk = 0) const {
        return {.title = "T", .weekIndex = week, .talk = talk};
    }
    uint16_t norr = 0, erik = 0;
    std::vector<uint16_t> north;
    int week = 0;
};

TEST_F(SpeakerChoosers, RowsCombosAndSkipRules) {
    PutHome(f - 2, 5, carl, dala);
    CSpeakerChooserDlg dialog(*doc, {.title = "T", .weekIndex = week, .current = carl});
    HeadlessDialog d(host, dialog);
    const int list = CSpeakerChooserDlg::kList;
    EXPECT_EQ(d.Rows(list), (Rows{"Bo Alm\tBerga\t", "Anders Berg ( BT ) \tBerga\t",
                                  "* Carl Dahl\tDala\t" + Date(f - 2, 10) + " ( 5 ) ",
                                  "Erik Ek ( BT ) \tEkby\t"}));
    EXPECT_EQ(d.Selection(list), 2) << "the current speaker";
    EXPECT_EQ(d.Text(CSpeakerChooserDlg::kAvailability), "Visa tillgänglighet - Carl Dahl");
    EXPECT_TRUE(d.IsShown(CSpeakerChooserDlg::kHistory));
    EXPECT_EQ(d.Text(CSpeakerChooserDlg::kTalkThrough), "Välj ett tal genom   - Carl Dahl ( 1 )");

    d.Select(CSpeakerChooserDlg::kCircuits, "Norr");
    EXPECT_EQ(d.Rows(CSpeakerChooserDlg::kCongregations),
              (Rows{"4 Församlingar i krets Norr", "Ekby", "Forsa", "Gran", "Hed"}));
    EXPECT_EQ(d.Rows(list), Rows{"Erik Ek ( BT ) \tEkby\t"});
    EXPECT_FALSE(d.IsShown(CSpeakerChooserDlg::kContacts));
    d.Select(CSpeakerChooserDlg::kCongregations, "Forsa");
    EXPECT_TRUE(d.Rows(list).empty());
    d.Cancel();

    CSpeakerChooserDlg filtered(*doc, {.weekIndex = week, .talk = 12, .congregation = home});
    HeadlessDialog g(host, filtered);
    EXPECT_FALSE(g.IsShown(CSpeakerChooserDlg::kCircuits));
    EXPECT_EQ(g.Rows(list), Rows{"Anders Berg ( BT ) \tBerga\t"});
    g.Select(list, 0);
    EXPECT_FALSE(g.IsShown(CSpeakerChooserDlg::kTalkThrough)) << "a filter talk is given";
    g.Cancel();
}

TEST_F(SpeakerChoosers, UnavailableIsRefusedAndATalkChosenThroughHimComesBackWithHim) {
    const WeekRecord before = doc->Weeks().Week(week);
    auto pickTalk5 = [](HeadlessDialog& t) {
        EXPECT_EQ(t.Rows(CTalkChooserDlg::kSingleList), Rows{"  5"});
        t.Select(CTalkChooserDlg::kSingleList, 0).Ok();
    };
    host.OnDialog(CSpeakerChooserDlg::kTemplate, [&](HeadlessDialog& d) {
        d.Select(CSpeakerChooserDlg::kList, 2); // Carl, unavailable
        host.OnDialog(CTalkChooserDlg::kTemplate, pickTalk5);
        d.Press(CSpeakerChooserDlg::kTalkThrough);
        EXPECT_TRUE(d.IsOpen()) << "refused";
        EXPECT_EQ(TakeMessages(), Rows{"Carl Dahl är inte tillgänglig - " + Date(week, 2)});
        d.Cancel();
    });
    EXPECT_EQ(CSpeakerChooserDlg::ChooseSpeaker(*doc, host, Request()), std::nullopt);
    EXPECT_EQ(doc->Weeks().Week(week), before) << "nothing written before the final OK";

    host.OnDialog(CSpeakerChooserDlg::kTemplate, [&](HeadlessDialog& d) {
        d.Select(CSpeakerChooserDlg::kList, 3); // Erik
        host.OnDialog(CTalkChooserDlg::kTemplate,
                      [](HeadlessDialog& t) { t.Select(CTalkChooserDlg::kSingleList, 1).Ok(); });
        d.Press(CSpeakerChooserDlg::kTalkThrough);
    });
    const auto chosen = CSpeakerChooserDlg::ChooseSpeaker(*doc, host, Request());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(doc->Brothers().Brother(chosen->brother)->brotherKey, erik);
    EXPECT_EQ(chosen->talk, 12);
    EXPECT_EQ(doc->Weeks().Week(week), before);

    host.OnDialog(CSpeakerChooserDlg::kTemplate, [](HeadlessDialog& d) { d.Ok(); });
    EXPECT_EQ(CSpeakerChooserDlg::ChooseSpeaker(*doc, host, Request()), std::nullopt)
        << "OK without a row is Cancel, never an index";
}

TEST_F(SpeakerChoosers, CongregationChooserCountsHoldersAndBringsTheSpeakerBack) {
    PutHome(f - 4, 12, anders, home);
    PutHome(f + 30, 7, bo, home); // past firstShownWeek + 25: not the latest visit
    PutHome(week, 12, 0, 0);
    CVisitingCongDlg dialog(*doc, "T", week);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Rows(CVisitingCongDlg::kList),
              (Rows{"Berga ( 1 ) \tAnders Berg ( 12 ) \t" + Date(f - 4, 10), "Ekby ( 1 ) \t"}))
        << "congregations without a holder of talk 12 are left out";
    EXPECT_FALSE(d.IsShown(CVisitingCongDlg::kSpeakerFrom));
    d.Select(CVisitingCongDlg::kList, 1);
    EXPECT_EQ(d.Text(CVisitingCongDlg::kSpeakerFrom), "Välj en talare från Ekby");
    host.OnDialog(CSpeakerChooserDlg::kTemplate, [](HeadlessDialog& s) {
        EXPECT_FALSE(s.IsShown(CSpeakerChooserDlg::kCongregations));
        s.Select(CSpeakerChooserDlg::kList, 0).Ok();
    });
    d.Press(CVisitingCongDlg::kSpeakerFrom);
    ASSERT_TRUE(dialog.Chosen());
    EXPECT_EQ(doc->Congregations().Congregation(dialog.Chosen()->congregation)->congregationKey,
              north[0]);
    EXPECT_EQ(doc->Brothers().Brother(dialog.Chosen()->speaker->brother)->brotherKey, erik);
    EXPECT_EQ(doc->Weeks().Week(week).homeSpeaker, 0) << "the page writes both together";

    host.OnDialog(CVisitingCongDlg::kTemplate, [](HeadlessDialog& c) {
        c.Select(CVisitingCongDlg::kCircuits, "Norr");
        EXPECT_EQ(c.Rows(CVisitingCongDlg::kList).size(), 1u);
        c.Ok();
    });
    EXPECT_EQ(CVisitingCongDlg::ChooseCongregation(*doc, host, "T", week), std::nullopt);
}

class NeedsListDialog : public Choosers {
protected:
    void SetUp() override {
        Choosers::SetUp();
        NeedsList needs;
        for (int t : {5, 12, 30, 120})
            needs.listed.Set(t);
        needs.high.Set(12);
        needs.low.Set(30);
        needs.high.Set(120);
        needs.low.Set(120); // both: low is tested first
        doc->Needs().SetNeeds(needs);
        PutHome(cur - 10, 5, carl, dala);
    }
};

TEST_F(NeedsListDialog, RowsRadiosRemovalAndAdditionsOnACopyThatOnlyOkWrites) {
    const NeedsList before = doc->Needs().List();
    CNeedsListDlg dialog(*doc, nullptr);
    HeadlessDialog d(host, dialog);
    const int list = CNeedsListDlg::kList;
    EXPECT_EQ(d.Rows(list), (Rows{"  5\tM\t" + Date(cur - 10), " 12\tH\t    -", " 30\tL\t    -",
                                  "120\tL\t    -"}));
    EXPECT_EQ(d.Selection(list), 0);
    EXPECT_TRUE(d.IsChecked(CNeedsListDlg::kMedium));
    d.Select(list, 1);
    EXPECT_TRUE(d.IsChecked(CNeedsListDlg::kHigh));
    EXPECT_EQ(d.Text(CNeedsListDlg::kTalkText), doc->Talks().TalkCaption(12, 1));
    d.Press(CNeedsListDlg::kLow);
    EXPECT_EQ(d.Rows(list)[1], " 12\tL\t    -");

    d.Select(list, 3).Press(CNeedsListDlg::kRemove);
    EXPECT_EQ(d.Selection(list), 2) << "the row is clamped to the list";
    EXPECT_EQ(d.Text(CNeedsListDlg::kTalkText), doc->Talks().TalkCaption(30, 1));
    EXPECT_TRUE(d.IsChecked(CNeedsListDlg::kLow)) << "the radios show the talk selected";

    host.OnDialog(CTalkChooserDlg::kTemplate, [](HeadlessDialog& c) {
        EXPECT_FALSE(c.IsShown(CTalkChooserDlg::kNeedsLimit));
        EXPECT_EQ(c.SelectedRows(CTalkChooserDlg::kMultipleList).size(), 3u);
        c.Toggle(CTalkChooserDlg::kMultipleList, 6).Toggle(CTalkChooserDlg::kMultipleList, 11);
        c.Ok(); // talk 7 on, talk 12 off
    });
    d.Press(CNeedsListDlg::kAdd);
    EXPECT_EQ(d.Rows(list), (Rows{"  5\tM\t" + Date(cur - 10), "  7\tM\t    -", " 30\tL\t    -"}));
    EXPECT_FALSE(dialog.Copy().low.Has(12)) << "a talk taken off loses its priority";
    EXPECT_EQ(doc->Needs().List(), before) << "only OK hands the copy over";
    d.Ok();
    NeedsList after = doc->Needs().List();
    EXPECT_EQ(after, dialog.Copy());
    CMvDoc fresh(strings, host, clock, dir.path());
    ASSERT_TRUE(fresh.LoadStore());
    EXPECT_EQ(fresh.Needs().List(), after) << "wishlist.dat written";
}

TEST_F(NeedsListDialog, EmptyListHidesRemovalAndTheRadiosDoNothing) {
    doc->Needs().SetNeeds({});
    CNeedsListDlg dialog(*doc, nullptr);
    HeadlessDialog d(host, dialog);
    EXPECT_FALSE(d.IsShown(CNeedsListDlg::kRemove));
    d.Press(CNeedsListDlg::kHigh);
    EXPECT_TRUE(dialog.Copy() == NeedsList{});
    EXPECT_FALSE(d.IsChecked(CNeedsListDlg::kHigh));
    d.Cancel();
    EXPECT_TRUE(doc->Needs().List() == NeedsList{});
}

} // namespace
} // namespace mivra
