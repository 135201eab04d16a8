#include "schedule/CCovisit.h"
#include "schedule/CEditEventDlg.h"
#include "schedule/SheetFixture.h"

namespace mivra::schedule {
namespace {

using ui::headless::HeadlessDialog;
using ui::headless::HeadlessSheet;
using Dlg = CEditEventDlg;

class EventsPage : public test::SheetTest {
protected:
    /** The document with a fully booked week at combo entry 3 and the events page shown. */
    HeadlessDialog& OpenPage() {
        Open(true, true);
        W = doc->CurrentWeek();
        WeekRecord w = doc->Weeks().GetWeek(Booked());
        w.homeSpeaker = 2;
        w.homeTalk = 5;
        w.homeCongregation = 1;
        w.asked = w.confirmed = w.reminder = 1;
        w.chairman = 1;
        w.host = 7; // no such host: his strike line carries an empty name
        w.reader = 2;
        w.outSpeaker[0] = 1;
        w.weekFlags = 0x4000; // a status bit this version does not know
        doc->Weeks().StoreWeek(w, Booked());
        page = SchedulePageIndex(doc->Settings().Options(), SchedulePage::Events);
        return Show(page).Page(page);
    }
    int Booked() const { return W + 2; } // combo entry 3
    std::vector<std::string> Rows() { return driver->Page(page).Rows(CCovisit::kList); }
    std::string Row(int weekIndex, const std::string& name) const {
        return doc->FormatDate(weekIndex + 1, 10) + "\t" + name;
    }

    int W = 0;
    int page = 0;
};

TEST_F(EventsPage, AVisitStrikesTheSpeakerWithHisTicksAndTheReaderAfterTheQuestion) {
    HeadlessDialog& p = OpenPage();
    EXPECT_EQ(Rows(), std::vector<std::string>{Row(kEventWeek, "Sammankomst")});
    EXPECT_FALSE(p.IsShown(CCovisit::kEdit));
    EXPECT_FALSE(p.IsShown(CCovisit::kRemove));
    int runs = 0;
    host.OnDialog(174, [&](HeadlessDialog& d) {
        EXPECT_EQ(d.Rows(Dlg::kWeek).size(), 105u);
        EXPECT_EQ(d.Rows(Dlg::kWeek)[1], doc->FormatDate(W + 1, 10)) << "next week first";
        EXPECT_EQ(d.Selection(Dlg::kWeek), 0);
        d.Ok();
        d.Select(Dlg::kWeek, 3).Ok();
        EXPECT_EQ(TakeMessages(), (std::vector<std::string>{strings.Get(1085), strings.Get(1087)}));
        d.Press(Dlg::kVisit);
        EXPECT_TRUE(d.IsChecked(Dlg::kChairman));
        EXPECT_TRUE(d.IsChecked(Dlg::kHost));
        EXPECT_FALSE(d.IsShown(Dlg::kReader));
        d.Press(Dlg::kOther);
        EXPECT_FALSE(d.IsChecked(Dlg::kChairman));
        EXPECT_TRUE(d.IsShown(Dlg::kReader));
        EXPECT_EQ(d.Text(Dlg::kName), "Särskild händelse");
        d.Press(Dlg::kAssembly);
        EXPECT_FALSE(d.IsShown(Dlg::kAllow));
        d.Press(Dlg::kVisit);
        EXPECT_EQ(d.Text(Dlg::kName), "KT-besök");
        host.Answer(ui::Answer::Cancel);
        d.Ok();
        EXPECT_TRUE(d.IsOpen()) << "declining keeps the dialog";
        EXPECT_EQ(doc->Weeks().Week(Booked()).reader, 2);
        host.Answer(ui::Answer::Ok);
        d.Ok();
        ++runs;
    });
    p.Press(CCovisit::kAdd);
    ASSERT_EQ(runs, 1);
    const std::vector<std::string> asked = TakeMessages();
    ASSERT_EQ(asked.size(), 2u);
    const std::string expected =
        strings.Format(1088, "KT-besök", doc->FormatDate(Booked() + 1, 2)) +
        strings.Format(1089, "Olof Ask") + "\n" + strings.Format(1092, "Olof Ask") + "\n\n" +
        strings.Get(1094) + "\n\n";
    EXPECT_EQ(asked[1], expected);

    const WeekRecord w = doc->Weeks().Week(Booked());
    EXPECT_EQ(w.homeSpeaker, 0);
    EXPECT_EQ(w.homeTalk, 0);
    EXPECT_EQ(w.homeCongregation, 0);
    EXPECT_EQ(w.asked + w.confirmed + w.reminder, 0) << "the ticks go with the speaker";
    EXPECT_EQ(w.reader, 0);
    EXPECT_EQ(w.chairman, 1);
    EXPECT_EQ(w.host, 7);
    EXPECT_EQ(w.outSpeaker[0], 1) << "outgoing slots are not examined";
    EXPECT_EQ(w.weekFlags,
              0x4000 | kWeekInUse | kWeekOverseerVisit | kWeekChairmanAnyway | kWeekHostAnyway);
    EXPECT_EQ(Rows()[1], Row(Booked(), "KT-besök"));

    driver->Ok();
    const test::Bytes saved = dir.Read("special.dat");
    ASSERT_EQ(saved.size(), 288u);
    EXPECT_EQ(test::Bytes(saved.begin() + 144, saved.end()),
              (test::EventBytes{
                  .weekIndex = static_cast<uint16_t>(Booked()), .flags = 0x34, .name = "KT-besök"}
                   .Build()));
    EXPECT_EQ(OnDisk(Booked()).weekFlags, w.weekFlags);
}

TEST_F(EventsPage, AStrikeLineWithoutANameStaysEmpty) {
    OpenPage();
    host.Answer(ui::Answer::Ok);
    host.OnDialog(174,
                  [&](HeadlessDialog& d) { d.Select(Dlg::kWeek, 3).Press(Dlg::kAssembly).Ok(); });
    driver->Page(page).Press(CCovisit::kAdd);
    const std::vector<std::string> asked = TakeMessages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find(strings.Format(1091, "") + "\n"), std::string::npos);
    EXPECT_EQ(asked[0].find("%1"), std::string::npos);
}

TEST_F(EventsPage, EditingMovesTheEventAndRemovingKeepsUnknownBits) {
    HeadlessDialog& p = OpenPage();
    host.OnDialog(174, [&](HeadlessDialog& d) { d.Select(Dlg::kWeek, 5).Press(Dlg::kOther).Ok(); });
    p.Press(CCovisit::kAdd);
    const int first = W + 4;
    ASSERT_EQ(doc->Events().Find(first), 2);

    p.Select(CCovisit::kList, 1);
    EXPECT_TRUE(p.IsShown(CCovisit::kEdit));
    host.OnDialog(174, [&](HeadlessDialog& d) {
        EXPECT_TRUE(d.IsChecked(Dlg::kOther));
        EXPECT_EQ(d.Selection(Dlg::kWeek), 5);
        host.Answer(ui::Answer::Ok);
        d.Select(Dlg::kWeek, 3).SetText(Dlg::kName, "Möte").Ok();
    });
    p.DoubleClick(CCovisit::kList, 1);
    EXPECT_EQ(doc->Events().Count(), 2) << "moved, not copied";
    EXPECT_EQ(doc->Events().Find(first), 0);
    EXPECT_EQ(doc->Weeks().Week(first).weekFlags & 0x7E, 0);
    EXPECT_EQ(Rows()[1], Row(Booked(), "Möte"));
    EXPECT_EQ(doc->Weeks().Week(Booked()).weekFlags, 0x4000 | kWeekInUse | kWeekOtherEvent);

    p.Select(CCovisit::kList, 1).Press(CCovisit::kRemove);
    EXPECT_EQ(doc->Events().Count(), 1);
    EXPECT_EQ(doc->Weeks().Week(Booked()).weekFlags, 0x4000 | kWeekInUse);
    EXPECT_FALSE(p.IsShown(CCovisit::kRemove));
}

TEST_F(EventsPage, AnEventOutsideTheComboKeepsItsWeekAndCancelChangesNothing) {
    HeadlessDialog& p = OpenPage();
    std::vector<std::string>& written = RecordWrites();
    p.Select(CCovisit::kList, 0); // kEventWeek, long before the 104 weeks
    host.OnDialog(174, [&](HeadlessDialog& d) {
        EXPECT_LT(d.Selection(Dlg::kWeek), 1);
        d.SetText(Dlg::kTheme, "Tema").Ok();
    });
    p.Press(CCovisit::kEdit);
    EXPECT_TRUE(TakeMessages().empty());
    ASSERT_EQ(doc->Events().Count(), 1);
    EXPECT_EQ(doc->Events().At(0)->weekIndex, kEventWeek);
    EXPECT_EQ(doc->Events().At(0)->theme, "Tema");

    host.OnDialog(
        174, [&](HeadlessDialog& d) { d.Select(Dlg::kWeek, 3).Press(Dlg::kAssembly).Cancel(); });
    p.Press(CCovisit::kAdd);
    driver->Cancel();
    EXPECT_EQ(doc->Events().At(0)->theme, "") << "the sheet's Cancel re-reads the file";
    EXPECT_TRUE(written.empty());
}

} // namespace
} // namespace mivra::schedule
