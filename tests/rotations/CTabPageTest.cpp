#include "rotations/CTabPage.h"

#include "resources/CommandIds.h"
#include "rotations/CRotationPage.h"
#include "rotations/CSpeakerChooserDlg.h"
#include "rotations/CTalkChooserDlg.h"
#include "rotations/CVisitingCongDlg.h"
#include "rotations/RotationFixture.h"

namespace mivra::rotations {
namespace {

using schedule::SchedulePage;
using schedule::SchedulePageIndex;
using ui::headless::HeadlessDialog;
using Page = CTabPage;
using Rows = std::vector<std::string>;

class HomeTalkPage : public test::RotationTest {
protected:
    void SetUp() override {
        RotationTest::SetUp();
        Open(true, true);
        for (uint16_t key : {1, 2, 3, 6}) { // every one holds talk 12; Fors also 30
            const int b = doc->Brothers().FindBrotherByKey(key);
            BrotherRecord record;
            doc->Brothers().ReadBrother(b, record);
            record.repertoire.Set(12);
            if (key == 6)
                record.repertoire.Set(30);
            doc->Brothers().UpdateBrother(b, record, {});
        }
    }
    HeadlessDialog& OpenOn(SchedulePage which) {
        const int index = SchedulePageIndex(doc->Settings().Options(), which);
        if (!driver)
            return Show(index).Page(index);
        return driver->SelectPage(index).Page(index);
    }
    HeadlessDialog& OpenPage() { return OpenOn(SchedulePage::HomeTalks); }
    void Home(int index, uint16_t talk, uint16_t speaker, uint16_t cong) {
        Set(index, [&](WeekRecord& w) {
            w.homeTalk = talk;
            w.homeSpeaker = static_cast<int16_t>(speaker);
            w.homeCongregation = static_cast<int16_t>(cong);
        });
    }
    std::string Date(int week, int flags = 26) { return doc->FormatDate(week + 1, flags); }
    static std::string Ticks(bool a, bool c, bool r) {
        auto t = [](bool on) { return std::string(on ? " X" : ""); };
        return "[" + t(a) + "\t]\t[" + t(c) + "\t]\t[" + t(r) + "\t]";
    }
};

TEST_F(HomeTalkPage, RowsMarkersAndTheDetailsOfTheSelectedWeek) {
    Home(Row(0), 12, 1, 1);
    Home(Row(1), 12, 1, 1);
    doc->Availability().AddUnavailableWeek(1, static_cast<uint16_t>(Row(1) + 1));
    SetHolder(Row(1), Duty::Chairman, 1); // unavailable and chairman: "* " wins
    Home(Row(2), 12, 2, 1);
    SetHolder(Row(2), Duty::Chairman, 2);
    Flags(Row(3), kWeekAssembly);
    Home(Row(4), 300, 3, 1); // a talk number no talk has
    Flags(Row(6), kWeekOtherEvent);
    HeadlessDialog& p = OpenPage();
    const Rows rows = p.Rows(Page::kList);
    ASSERT_EQ(rows.size(), 26u);
    EXPECT_EQ(p.TabStops(Page::kList),
              (std::vector<int>{62, 95, 200, 320, 330, 360, 370, 400, 410}));
    EXPECT_EQ(rows[0], Date(Row(0)) + "\t12\tAnders Alm\tNorra\t" + Ticks(false, false, false));
    EXPECT_EQ(rows[1], Date(Row(1)) + "\t12\t* Anders Alm\tNorra\t" + Ticks(false, false, false));
    EXPECT_EQ(rows[2], Date(Row(2)) + "\t12\t# Bertil Berg\tNorra\t" + Ticks(false, false, false));
    EXPECT_EQ(rows[3], Date(Row(3)) + "\t\tSammankomst");
    EXPECT_EQ(rows[4], Date(Row(4)) + "\t  \tCarl Cederlund\tNorra\t" + Ticks(false, false, false));
    EXPECT_EQ(rows[6], Date(Row(6)) + "\t\tSärskild händelse");
    EXPECT_EQ(p.Selection(Page::kList), 5) << "the first week lacking a talk or a speaker";
    p.Select(Page::kList, 4);
    EXPECT_FALSE(p.IsShown(Page::kTalkHistory)) << "talk 300 shows no talk";
    EXPECT_EQ(p.Text(Page::kTalkCaption), "");
    EXPECT_EQ(doc->Weeks().Week(Row(4)).homeTalk, 300) << "and keeps the stored value";
    EXPECT_TRUE(p.IsShown(Page::kUnavailableLegend));
    EXPECT_EQ(p.Text(Page::kConflict), "# Schemakonflikt");
    EXPECT_EQ(p.Text(Page::kSwapOrCongregation), "Välj församling");
    EXPECT_EQ(p.Text(Page::kDate), Date(Row(4), 24));

    p.Select(Page::kList, 1);
    EXPECT_EQ(p.Text(Page::kAvailability), "Visa tillgänglighet - Anders Alm");
    EXPECT_FALSE(p.IsShown(Page::kUnavailableLegend)) << "the button explains it instead";
    EXPECT_EQ(p.Text(Page::kSwapOrCongregation), "Byt");
    EXPECT_EQ(p.Text(Page::kTalkHistory), "Visa historik - Tal 12");
    EXPECT_EQ(p.Text(Page::kTalkCaption), doc->Talks().TalkCaption(12, 1));
    EXPECT_TRUE(p.IsShown(Page::kSpeakerHistory)) << "he spoke in the week before";
    p.Select(Page::kList, 2);
    EXPECT_EQ(p.Text(Page::kConflict),
              "# Schemakonflikt - " + Date(Row(2), 8) + " - Ordförande - Talare");
    p.Select(Page::kList, 3);
    EXPECT_FALSE(p.IsShown(Page::kChooseTalk));
    EXPECT_FALSE(p.IsShown(Page::kChooseSpeaker));
    EXPECT_FALSE(p.IsShown(Page::kSwapOrCongregation));
    EXPECT_FALSE(p.IsShown(Page::kClear));
    EXPECT_FALSE(p.IsShown(Page::kContacts));
}

TEST_F(HomeTalkPage, TicksToggleByTheDrawnColumnAndAreStoredWithTheListsFirstWeek) {
    Home(Row(0), 12, 1, 1);
    Flags(Row(2), kWeekAssembly);
    HeadlessDialog& p = OpenPage();
    p.ClickColumn(Page::kList, 0, 6); // "Bekräftad" alone
    EXPECT_EQ(p.Rows(Page::kList)[0].substr(p.Rows(Page::kList)[0].find('[')),
              Ticks(false, true, false));
    p.ClickColumn(Page::kList, 0, 4).ClickColumn(Page::kList, 0, 9);
    const WeekRecord all = doc->Weeks().Week(Row(0));
    EXPECT_EQ(all.asked, CurrentWeek());
    EXPECT_EQ(all.confirmed, CurrentWeek());
    EXPECT_EQ(all.reminder, CurrentWeek());
    p.ClickColumn(Page::kList, 0, 7);
    EXPECT_EQ(doc->Weeks().Week(Row(0)).confirmed, 0);
    EXPECT_EQ(doc->Weeks().Week(Row(0)).reminder, 0);
    EXPECT_NE(doc->Weeks().Week(Row(0)).asked, 0);
    p.ClickColumn(Page::kList, 0, 8).ClickColumn(Page::kList, 0, 4);
    EXPECT_EQ(doc->Weeks().Week(Row(0)).reminder, 0) << "unticking Tillfrågad clears all three";
    p.ClickColumn(Page::kList, 0, 3);
    EXPECT_EQ(doc->Weeks().Week(Row(0)).asked, 0) << "the congregation column ticks nothing";

    p.ClickColumn(Page::kList, 2, 2);
    EXPECT_EQ(doc->Weeks().Week(Row(2)).asked, 0) << "an event row shows no ticks";
    EXPECT_EQ(doc->Weeks().Week(Row(2)).confirmed, 0);

    // The summary moves the list; a tick in an untouched week is stored and written.
    doc->SetFirstShownWeek(1200);
    host.ChooseMenu(cmd::kBrothers);
    driver->Press(cmd::kSheetEdit);
    p.ClickColumn(Page::kList, 5, 4).Select(Page::kList, 7);
    driver->Apply();
    EXPECT_EQ(OnDisk(1199 + 5).asked, 1200);
    driver->Cancel();
}

TEST_F(HomeTalkPage, SwapsClearSixTicksAndEndingOneKeepsThem) {
    Home(Row(1), 12, 1, 1);
    Home(Row(2), 30, 6, 2);
    SetHolder(Row(1), Duty::Chairman, 3);
    Set(Row(1), [](WeekRecord& w) { w.asked = w.reminder = 5, w.confirmed = 5; });
    Set(Row(2), [](WeekRecord& w) { w.confirmed = 5; });
    HeadlessDialog& p = OpenPage();
    p.Select(Page::kList, 1).Press(Page::kSwapOrCongregation);
    EXPECT_EQ(p.Text(Page::kClear), "Ångra Byt");
    EXPECT_EQ(p.Text(Page::kSwapPrompt), "Välj en talare att byta med Anders Alm eller -> ");
    EXPECT_FALSE(p.IsShown(Page::kChooseTalk));
    p.ClickColumn(Page::kList, 1, 4); // the source again, on its "Tillfrågad" tick
    const WeekRecord kept = doc->Weeks().Week(Row(1));
    EXPECT_EQ(kept.asked + kept.confirmed + kept.reminder, 15) << "it only ends the swap";
    EXPECT_EQ(p.Text(Page::kClear), "Rensa val");

    p.Press(Page::kSwapOrCongregation).Press(Page::kClear);
    EXPECT_EQ(p.Text(Page::kClear), "Rensa val") << "Ångra Byt";
    EXPECT_EQ(doc->Weeks().Week(Row(1)).homeTalk, 12);
    p.Press(Page::kSwapOrCongregation).ClickColumn(Page::kList, 2, 6);
    const WeekRecord a = doc->Weeks().Week(Row(1));
    const WeekRecord b = doc->Weeks().Week(Row(2));
    EXPECT_EQ(a.homeTalk, 30);
    EXPECT_EQ(a.homeSpeaker, 6);
    EXPECT_EQ(a.homeCongregation, 2);
    EXPECT_EQ(b.homeSpeaker, 1);
    EXPECT_EQ(a.asked + a.confirmed + a.reminder + b.asked + b.confirmed + b.reminder, 0);
    EXPECT_EQ(a.chairman, 3) << "duties stay";

    p.Select(Page::kList, 1).Press(Page::kClear);
    EXPECT_EQ(doc->Weeks().Week(Row(1)).homeSpeaker, 0);
    EXPECT_EQ(doc->Weeks().Week(Row(1)).chairman, 3);
    EXPECT_FALSE(p.IsShown(Page::kClear));
}

TEST_F(HomeTalkPage, ChoicesAreWrittenTogetherOnTheOuterOk) {
    Home(Row(1), 12, 0, 0);
    HeadlessDialog& p = OpenPage();
    p.Select(Page::kList, 1);

    host.OnDialog(CTalkChooserDlg::kTemplate, [](HeadlessDialog& d) {
        EXPECT_TRUE(d.IsChecked(CTalkChooserDlg::kNeedsLimit) == false);
        d.Select(CTalkChooserDlg::kTopics, 1).Ok(); // 12 may drop out: no row, no result
    });
    p.Press(Page::kChooseTalk);
    EXPECT_EQ(doc->Weeks().Week(Row(1)).homeTalk, 12);

    // A talk chosen through a speaker, then the speaker chooser cancelled: nothing written.
    host.OnDialog(CSpeakerChooserDlg::kTemplate, [this](HeadlessDialog& d) {
        d.Select(CSpeakerChooserDlg::kCircuits, 0);
        d.Select(CSpeakerChooserDlg::kList, 0);
        d.Cancel();
    });
    p.Press(Page::kChooseSpeaker);
    EXPECT_EQ(doc->Weeks().Week(Row(1)).homeSpeaker, 0);

    host.OnDialog(CVisitingCongDlg::kTemplate, [this](HeadlessDialog& d) {
        EXPECT_EQ(d.Rows(CVisitingCongDlg::kList), (Rows{"Norra ( 3 ) \t", "Södra ( 1 ) \t"}));
        d.Select(CVisitingCongDlg::kList, 1);
        host.OnDialog(CSpeakerChooserDlg::kTemplate, [](HeadlessDialog& s) {
            s.Select(CSpeakerChooserDlg::kList, 0);
            s.Ok();
        });
        d.Press(CVisitingCongDlg::kSpeakerFrom);
    });
    p.Press(Page::kSwapOrCongregation);
    const WeekRecord w = doc->Weeks().Week(Row(1));
    EXPECT_EQ(w.homeSpeaker, 6);
    EXPECT_EQ(w.homeCongregation, 2);
    EXPECT_EQ(p.Text(Page::kSwapOrCongregation), "Byt");
}

TEST_F(HomeTalkPage, TellsTheOtherPagesOnlyWhenItsConflictsChange) {
    SetHolder(Row(1), Duty::Chairman, 2);
    HeadlessDialog& c = OpenOn(SchedulePage::Chairman);
    HeadlessDialog& p = OpenPage();
    c.Select(CRotationPage::kList, 5);
    host.OnDialog(CSpeakerChooserDlg::kTemplate, [](HeadlessDialog& s) {
        s.Select(CSpeakerChooserDlg::kList, 0).Ok(); // Anders Alm: no other duty
    });
    p.Select(Page::kList, 1).Press(Page::kChooseSpeaker);
    EXPECT_EQ(c.Selection(CRotationPage::kList), 5) << "no new conflict: nobody told";
    host.OnDialog(CSpeakerChooserDlg::kTemplate, [](HeadlessDialog& s) {
        s.Select(CSpeakerChooserDlg::kList, 1).Ok(); // Bertil Berg, the week's chairman
    });
    p.Press(Page::kChooseSpeaker);
    EXPECT_EQ(c.Rows(CRotationPage::kList)[1], Date(Row(1)) + "\t  # Bertil Berg");
    EXPECT_NE(c.Selection(CRotationPage::kList), 5) << "rebuilt";
}

} // namespace
} // namespace mivra::rotations
