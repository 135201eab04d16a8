#include "rotations/CHistoryEditDlg.h"
#include "rotations/HistoryFixture.h"
#include "schedule/OutgoingSlots.h"
#include "store/CBrotherListDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CNameListDlg.h"
#include "store/CTalkListDlg.h"
#include "ui/headless/HeadlessDialog.h"

namespace mivra {
namespace {

using rotations::CHistoryEditDlg;
using ui::headless::HeadlessDialog;
using Dlg = CHistoryEditDlg;
using Rows = std::vector<std::string>;

/** Selects the first row that holds `text` and confirms. */
void Pick(HeadlessDialog& d, int list, const std::string& text) {
    const Rows rows = d.Rows(list);
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows[r].find(text) != std::string::npos) {
            d.Select(list, static_cast<int>(r)).Ok();
            return;
        }
    ADD_FAILURE() << text << " is not listed in " << ::testing::PrintToString(rows);
    d.Cancel();
}

class HistoryEditor : public test::HistoryTest {
protected:
    int LastWeek() const { return CurrentWeek() - 2; } // the week numbered currentWeek − 1
    void PickBrother(const std::string& name) {
        host.OnDialog(CBrotherListDlg::kTemplate,
                      [name](HeadlessDialog& l) { Pick(l, CBrotherListDlg::kList, name); });
    }
};

TEST_F(HistoryEditor, EveryChooserFillsTheCopyWhichOkStoresAndWrites) {
    doc->Settings().MutableOptions().scheduleReaders = true;
    doc->Settings().MutableOptions().scheduleHosts = true;
    doc->Hosts().Add("~Familjen Ek");
    Dlg dialog(*doc);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Rows(Dlg::kWeek).front(), Date(kBase));
    EXPECT_EQ(d.Rows(Dlg::kWeek).back(), Date(LastWeek() + 31));
    EXPECT_EQ(d.Rows(Dlg::kWeek)[static_cast<size_t>(d.Selection(Dlg::kWeek))], Date(LastWeek()));
    EXPECT_EQ(d.Title(), "Berga - " + Date(LastWeek(), 2));
    EXPECT_EQ(d.Text(Dlg::kSpeaker), "Talare");
    EXPECT_EQ(d.Text(Dlg::kTalk), "Tal");
    EXPECT_FALSE(d.IsShown(Dlg::kClear));
    EXPECT_FALSE(d.IsShown(Dlg::kReplace));

    PickBrother("Dahl, Carl");
    d.Press(Dlg::kSpeaker);
    PickBrother("Bo Alm");
    d.Press(Dlg::kChairman);
    PickBrother("Anders Berg");
    d.Press(Dlg::kReader);
    host.OnDialog(CNameListDlg::kTemplate,
                  [](HeadlessDialog& l) { Pick(l, CNameListDlg::kList, "Familjen Ek"); });
    d.Press(Dlg::kHost);
    host.OnDialog(CTalkListDlg::kTemplate, [](HeadlessDialog& l) {
        EXPECT_EQ(l.Selection(CTalkListDlg::kShowList), 0) << "talk 1 when none";
        Pick(l, CTalkListDlg::kShowList, "5\t");
    });
    d.Press(Dlg::kTalk);
    EXPECT_EQ(d.Text(Dlg::kSpeaker), "Talare - Carl Dahl");
    EXPECT_EQ(d.Text(Dlg::kChairman), "Ordförande - Bo Alm");
    EXPECT_EQ(d.Text(Dlg::kReader), "Högläsare - Anders Berg");
    EXPECT_EQ(d.Text(Dlg::kHost), "Värd - Familjen Ek");
    EXPECT_EQ(d.Text(Dlg::kTalk), doc->Talks().TalkCaption(5, 3));
    EXPECT_TRUE(d.IsShown(Dlg::kClear));

    PickBrother("Anders Berg");
    d.Press(Dlg::kAdd);
    host.OnDialog(CCongregationListDlg::kTemplate,
                  [](HeadlessDialog& l) { Pick(l, CCongregationListDlg::kList, "Dala"); });
    d.Press(Dlg::kSlotDestination);
    host.OnDialog(CTalkListDlg::kTemplate, [](HeadlessDialog& l) {
        EXPECT_EQ(l.Rows(CTalkListDlg::kShowList).size(), 2u) << "his talks";
        Pick(l, CTalkListDlg::kShowList, "30\t");
    });
    std::vector<std::string>& written = RecordWrites();
    d.Press(Dlg::kSlotTalk);
    EXPECT_TRUE(written.empty()) << "his talks unchanged: his record is not written";
    EXPECT_EQ(d.Rows(Dlg::kOutgoing), Rows{"Anders Berg"});
    EXPECT_EQ(d.Text(Dlg::kSlotDestination), "Församling - Dala");
    EXPECT_EQ(d.Text(Dlg::kSlotTalk), doc->Talks().TalkCaption(30, 3));
    EXPECT_FALSE(d.IsShown(Dlg::kMove));
    d.Ok();

    EXPECT_EQ(written, Rows{"history.dat"});
    const WeekRecord w = WeekOnDisk(LastWeek());
    EXPECT_EQ(w.homeSpeaker, carl);
    EXPECT_EQ(w.homeCongregation, dala) << "his congregation becomes the week's";
    EXPECT_EQ(w.homeTalk, 5);
    EXPECT_EQ(w.chairman, bo);
    EXPECT_EQ(w.reader, anders);
    EXPECT_EQ(w.host, doc->Hosts().At(0)->key);
    EXPECT_EQ(w.outSpeaker[0], anders);
    EXPECT_EQ(w.outCongregation[0], dala);
    EXPECT_EQ(w.outTalk[0], 30);
}

TEST_F(HistoryEditor, SlotsTakeNoSeventhNorATwinAndMoveReplaceAndRemoveAsOnTheOutgoingPage) {
    const uint16_t extra[] = {
        AddBrother("Dan", "Ek", home, {1}), AddBrother("Eva", "Fors", home, {1}),
        AddBrother("Finn", "Gran", home, {1}), AddBrother("Gus", "Hall", home, {1}),
        AddBrother("Hans", "Ivar", home, {1})};
    doc->SetOurCongregation(home);
    for (size_t p = 0; p < doc->Brothers().OurBrothers().size(); ++p)
        doc->Brothers().SetOurBrotherRoles(static_cast<int>(p), kRoleOutgoingSpeaker);
    PutOut(LastWeek(), 0, anders, dala, 12);
    PutOut(LastWeek(), 1, bo, home, 7);
    Dlg dialog(*doc);
    HeadlessDialog d(host, dialog);
    EXPECT_TRUE(d.IsShown(Dlg::kMove));
    PickBrother("Anders Berg");
    d.Press(Dlg::kAdd);
    EXPECT_EQ(d.Rows(Dlg::kOutgoing), (Rows{"Anders Berg", "Bo Alm"})) << "already listed";

    d.Select(Dlg::kOutgoing, 1).Step(Dlg::kMove, 1);
    EXPECT_EQ(d.Rows(Dlg::kOutgoing), (Rows{"Bo Alm", "Anders Berg"}));
    EXPECT_EQ(d.Selection(Dlg::kOutgoing), 0);
    EXPECT_EQ(d.Text(Dlg::kSlotTalk), doc->Talks().TalkCaption(7, 3)) << "the talk moved along";
    d.Step(Dlg::kMove, 1); // already first
    EXPECT_EQ(d.Rows(Dlg::kOutgoing).front(), "Bo Alm");

    for (const char* name : {"Dan Ek", "Eva Fors", "Finn Gran", "Gus Hall", "Hans Ivar"}) {
        PickBrother(name);
        d.Press(Dlg::kAdd);
    }
    EXPECT_EQ(d.Rows(Dlg::kOutgoing).size(), 6u) << "Hans is a seventh";
    d.Select(Dlg::kOutgoing, 1);
    PickBrother("Hans Ivar");
    d.Press(Dlg::kReplace);
    EXPECT_EQ(d.Text(Dlg::kSlotDestination), "Församling") << "cleared with the new speaker";
    EXPECT_EQ(d.Text(Dlg::kSlotTalk), "Tal");
    d.Select(Dlg::kOutgoing, 0).Press(Dlg::kRemove);
    EXPECT_EQ(d.Rows(Dlg::kOutgoing),
              (Rows{"Hans Ivar", "Dan Ek", "Eva Fors", "Finn Gran", "Gus Hall"}));
    d.Ok();
    const WeekRecord w = doc->Weeks().Week(LastWeek());
    EXPECT_EQ(w.outSpeaker[0], extra[4]);
    EXPECT_EQ(w.outSpeaker[5], 0);
    EXPECT_EQ(w.outTalk[0], 0);
}

TEST_F(HistoryEditor, ClearKeepsTheEventAndCancelKeepsTheWeeksStoredBefore) {
    WeekRecord event = WeekRecord::Blank(LastWeek());
    event.weekFlags = kWeekAssembly | kWeekChairmanAnyway;
    event.reserved[2] = 7;
    event.chairman = static_cast<int16_t>(bo);
    event.asked = 3;
    doc->Weeks().StoreWeek(event, LastWeek());
    PutOut(LastWeek(), 0, anders, dala, 12);

    Dlg dialog(*doc);
    HeadlessDialog d(host, dialog);
    ASSERT_TRUE(d.IsShown(Dlg::kClear));
    d.Press(Dlg::kClear);
    EXPECT_FALSE(d.IsShown(Dlg::kClear));
    const WeekRecord cleared = doc->Weeks().Week(LastWeek());
    EXPECT_EQ(cleared.weekFlags, kWeekInUse | kWeekAssembly | kWeekChairmanAnyway);
    EXPECT_EQ(cleared.reserved[2], 7);
    EXPECT_EQ(cleared.chairman, 0);
    EXPECT_EQ(cleared.asked, 0);
    EXPECT_EQ(cleared.outSpeaker[0], 0);

    // Three weeks changed, then Cancel: the first two were stored on the way and are written.
    for (int step = 0; step < 3; ++step) {
        PickBrother("Dahl, Carl");
        d.Press(Dlg::kSpeaker);
        if (step < 2)
            d.Press(Dlg::kNext);
    }
    d.Cancel();
    EXPECT_EQ(WeekOnDisk(LastWeek()).homeSpeaker, carl);
    EXPECT_EQ(WeekOnDisk(LastWeek()).weekFlags & kWeekAssembly, kWeekAssembly);
    EXPECT_EQ(WeekOnDisk(LastWeek() + 1).homeSpeaker, carl);
    EXPECT_EQ(WeekOnDisk(LastWeek() + 2).homeSpeaker, 0) << "the week shown last is dropped";
}

TEST_F(HistoryEditor, FoeregAndNaestaStopAtTheCombosEndsAndAFailedWriteIsReported) {
    Dlg dialog(*doc);
    HeadlessDialog d(host, dialog);
    const int last = d.Selection(Dlg::kWeek) + 31;
    ASSERT_EQ(d.Rows(Dlg::kWeek).size(), static_cast<size_t>(last + 1));
    d.Select(Dlg::kWeek, last);
    EXPECT_FALSE(d.IsEnabled(Dlg::kNext));
    d.Press(Dlg::kPrevious);
    EXPECT_TRUE(d.IsEnabled(Dlg::kNext));
    d.Select(Dlg::kWeek, 0);
    EXPECT_FALSE(d.IsEnabled(Dlg::kPrevious));
    EXPECT_EQ(d.Title(), "Berga - " + Date(kBase, 2));

    PickBrother("Dahl, Carl");
    d.Press(Dlg::kSpeaker);
    FailWritesTo("history.dat");
    d.Ok();
    const std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("history.dat"), std::string::npos);
    EXPECT_EQ(doc->Weeks().Week(kBase).homeSpeaker, carl) << "kept in memory";
}

TEST(OutgoingSlots, PackKeepsTheOrderAndMovesEachSlotWhole) {
    WeekRecord w;
    w.outSpeaker = {0, 4, 0, 6, 0, 0};
    w.outCongregation = {9, 1, 0, 2, 0, 0}; // a destination left without a speaker
    w.outTalk = {0, 11, 0, 12, 0, 0};
    schedule::PackOutgoingSlots(w);
    EXPECT_EQ(w.outSpeaker, (std::array<int16_t, 6>{4, 6, 0, 0, 0, 0}));
    EXPECT_EQ(w.outTalk, (std::array<uint16_t, 6>{11, 12, 0, 0, 0, 0}));
    EXPECT_EQ(schedule::AddOutgoingSpeaker(w, 8), 2);
    EXPECT_EQ(w.outCongregation[2], 0) << "a new speaker starts without a destination";
    EXPECT_FALSE(schedule::ReplaceOutgoingSpeaker(w, 0, 4)) << "the same brother keeps the slot";
    EXPECT_EQ(w.outTalk[0], 11);
}

} // namespace
} // namespace mivra
