#include "rotations/CSpeakerHistoryDlg.h"
#include "rotations/CTalkHistoryDlg.h"
#include "rotations/HistoryFixture.h"
#include "ui/headless/HeadlessDialog.h"

namespace mivra {
namespace {

using rotations::CSpeakerHistoryDlg;
using rotations::CTalkHistoryDlg;
using ui::headless::HeadlessDialog;
using Mode = CTalkHistoryDlg::Mode;
using Rows = std::vector<std::string>;

class HistoryDialogs : public test::HistoryTest {
protected:
    std::string Caption(int talk) const { return doc->Talks().TalkCaption(talk, 1); }
};

TEST_F(HistoryDialogs, TalkHistoryListsHomeWeeksAndOffersASpeakerWithSeveralTalks) {
    PutHome(f - 2, 5, carl, dala);
    PutHome(f - 9, 12, carl, dala);
    PutHome(f - 4, 7, bo, home);
    PutHome(f - 5, 0, anders, home); // no talk: no row
    TalkRecord untitled = *doc->Talks().Talk(8);
    untitled.title = "Kort";
    doc->Talks().SetTalk(8, untitled);

    CTalkHistoryDlg dialog(*doc, Mode::Home, 12);
    HeadlessDialog d(host, dialog);
    const Rows talks = d.Rows(CTalkHistoryDlg::kTalks);
    EXPECT_EQ(talks.front(), "Alla");
    EXPECT_EQ(talks.size(), 200u) << "talks 1 … 200 with a title, talk 9 left out";
    EXPECT_EQ(talks[1], "1");
    EXPECT_EQ(d.Selection(CTalkHistoryDlg::kTalks), 11) << "the preselected talk";
    EXPECT_FALSE(d.IsShown(CTalkHistoryDlg::kSpeakers));
    EXPECT_FALSE(d.IsShown(ui::kIdOk));
    EXPECT_EQ(d.TabStops(CTalkHistoryDlg::kWeeks), (std::vector<int>{60, 170}));
    EXPECT_EQ(d.Rows(CTalkHistoryDlg::kWeeks), Rows{Date(f - 9) + "\tCarl Dahl\tDala"});
    EXPECT_EQ(d.Text(CTalkHistoryDlg::kTalkText), Caption(12));
    EXPECT_TRUE(d.IsShown(CTalkHistoryDlg::kSpeakerHistory));
    EXPECT_EQ(d.Text(CTalkHistoryDlg::kSpeakerHistory), "Visa historik - Carl Dahl");

    d.Select(CTalkHistoryDlg::kTalks, 0);
    EXPECT_EQ(d.Rows(CTalkHistoryDlg::kWeeks),
              (Rows{Date(f - 2) + "\tCarl Dahl ( 5 )\tDala", Date(f - 4) + "\tBo Alm ( 7 )\tBerga",
                    Date(f - 9) + "\tCarl Dahl ( 12 )\tDala"}));
    EXPECT_EQ(d.RowData(CTalkHistoryDlg::kWeeks, 1), static_cast<uint32_t>(f - 4));
    EXPECT_EQ(d.Text(CTalkHistoryDlg::kTalkText), Caption(5));
    d.Select(CTalkHistoryDlg::kWeeks, 1);
    EXPECT_EQ(d.Text(CTalkHistoryDlg::kTalkText), Caption(7));
    EXPECT_FALSE(d.IsShown(CTalkHistoryDlg::kSpeakerHistory)) << "Bo has one home talk";
    d.DoubleClick(CTalkHistoryDlg::kWeeks, 1); // opens nothing

    host.OnDialog(CSpeakerHistoryDlg::kTemplate, [](HeadlessDialog& s) {
        EXPECT_EQ(s.Title(), "Historik - Carl Dahl - Dala");
        s.Cancel();
    });
    d.DoubleClick(CTalkHistoryDlg::kWeeks, 2);
    host.OnDialog(CSpeakerHistoryDlg::kTemplate, [](HeadlessDialog& s) { s.Cancel(); });
    d.Press(CTalkHistoryDlg::kSpeakerHistory).Cancel();
}

TEST_F(HistoryDialogs, OutgoingTalkHistoryListsSlotsInOrderAndFiltersBySpeaker) {
    PutOut(f - 1, 0, anders, dala, 12);
    PutOut(f - 1, 1, bo, dala, 7);
    PutOut(f - 1, 2, anders, home, 30);
    CTalkHistoryDlg dialog(*doc, Mode::Outgoing);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Title(), "Talhistorik för talare som reser ut");
    EXPECT_EQ(d.Rows(CTalkHistoryDlg::kSpeakers), (Rows{"Alla talare", "Bo Alm", "Anders Berg"}));
    EXPECT_EQ(d.Rows(CTalkHistoryDlg::kWeeks), (Rows{Date(f - 1) + "\tAnders Berg ( 12 )\tDala",
                                                     Date(f - 1) + "\tBo Alm ( 7 )\tDala",
                                                     Date(f - 1) + "\tAnders Berg ( 30 )\tBerga"}));
    EXPECT_EQ(d.RowData(CTalkHistoryDlg::kWeeks, 2), static_cast<uint32_t>(f - 1) | (2u << 16));
    d.Select(CTalkHistoryDlg::kSpeakers, "Anders Berg");
    EXPECT_EQ(d.Rows(CTalkHistoryDlg::kWeeks).size(), 2u);
    d.Select(CTalkHistoryDlg::kTalks, "30");
    EXPECT_EQ(d.Rows(CTalkHistoryDlg::kWeeks), Rows{Date(f - 1) + "\tAnders Berg\tBerga"});
    EXPECT_FALSE(d.IsShown(CTalkHistoryDlg::kSpeakerHistory));
    d.Cancel();
}

TEST_F(HistoryDialogs, ChoosingModesReturnTheWeekAndSlotAndAnEmptyListCancels) {
    PutHome(f - 2, 5, carl, dala); // before F − 1: not offered
    PutHome(f + 3, 5, carl, dala);
    PutHome(f - 1, 7, carl, dala);
    PutOut(f + 4, 0, anders, dala, 12);
    PutOut(f + 4, 1, bo, dala, 7);

    host.OnDialog(CTalkHistoryDlg::kTemplate, [&](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), "Välj talare");
        EXPECT_FALSE(d.IsShown(CTalkHistoryDlg::kTalks));
        EXPECT_FALSE(d.IsShown(CTalkHistoryDlg::kTalkLabel));
        EXPECT_FALSE(d.IsShown(CTalkHistoryDlg::kSpeakers));
        EXPECT_EQ(d.Rows(CTalkHistoryDlg::kWeeks), (Rows{Date(f - 1) + "\tCarl Dahl ( 7 )\tDala",
                                                         Date(f + 3) + "\tCarl Dahl ( 5 )\tDala"}));
        EXPECT_FALSE(d.IsShown(CTalkHistoryDlg::kSpeakerHistory));
        d.DoubleClick(CTalkHistoryDlg::kWeeks, 1);
    });
    EXPECT_EQ(CTalkHistoryDlg::ChooseHomeWeek(*doc, host), f + 3);

    host.OnDialog(CTalkHistoryDlg::kTemplate,
                  [](HeadlessDialog& d) { d.Select(CTalkHistoryDlg::kWeeks, 1).Ok(); });
    const auto slot = CTalkHistoryDlg::ChooseOutgoingSlot(*doc, host);
    ASSERT_TRUE(slot);
    EXPECT_EQ(slot->weekIndex, f + 4);
    EXPECT_EQ(slot->slot, 1);
    EXPECT_EQ(slot->speaker, bo);

    host.OnDialog(CTalkHistoryDlg::kTemplate, [](HeadlessDialog& d) { d.Cancel(); });
    EXPECT_FALSE(CTalkHistoryDlg::ChooseOutgoingSlot(*doc, host));
    doc->SetFirstShownWeek(f + 40); // nothing from F − 1 on
    CTalkHistoryDlg empty(*doc, Mode::ChooseHome);
    HeadlessDialog d(host, empty);
    EXPECT_TRUE(d.Rows(CTalkHistoryDlg::kWeeks).empty());
    d.Ok();
    EXPECT_EQ(d.EndCode(), ui::kIdCancel);
    EXPECT_FALSE(empty.Chosen());
}

TEST_F(HistoryDialogs, SpeakerHistoryFiltersBrothersAndShowsHomeAndOutgoingRows) {
    const uint16_t north = doc->Circuits().At(doc->Circuits().Add("Norra"))->key;
    const uint16_t eka = AddCongregation("Eka", north);
    const uint16_t erik = AddBrother("Erik", "Ek", eka, {});
    AddBrother("Olle", "Ode", home, {}); // a home brother without talks
    PutHome(f + 52, 12, anders, home);
    PutOut(f - 3, 2, anders, dala, 30);
    PutHome(f - 8, 300, anders, home); // a talk that does not exist

    CSpeakerHistoryDlg dialog(*doc, doc->Brothers().FindBrotherByKey(anders));
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Rows(CSpeakerHistoryDlg::kCircuits), (Rows{"Alla kretsar", "Norra"}));
    EXPECT_EQ(d.Rows(CSpeakerHistoryDlg::kCongregations),
              (Rows{"Alla församlingar", "Berga", "Dala", "Eka"}));
    EXPECT_EQ(d.Rows(CSpeakerHistoryDlg::kBrothers),
              (Rows{"Bo Alm", "Anders Berg ( BT ) ", "Carl Dahl", "Erik Ek"}));
    EXPECT_EQ(d.Selection(CSpeakerHistoryDlg::kBrothers), 1);
    EXPECT_EQ(d.Title(), "Historik - Anders Berg - Berga");
    EXPECT_EQ(
        d.Rows(CSpeakerHistoryDlg::kWeeks),
        (Rows{Date(f + 52) + "\t12", Date(f - 3) + "  ( Reser ut )\t30", Date(f - 8) + "\t"}));
    EXPECT_EQ(d.Text(CSpeakerHistoryDlg::kTalk), Date(f + 52, 2) + " - " + Caption(12));
    EXPECT_EQ(d.Text(CSpeakerHistoryDlg::kDestination), "");
    d.Select(CSpeakerHistoryDlg::kWeeks, 1);
    EXPECT_EQ(d.Text(CSpeakerHistoryDlg::kTalk), Date(f - 3, 2) + " - " + Caption(30));
    EXPECT_EQ(d.Text(CSpeakerHistoryDlg::kDestination), "i Dala");
    d.Select(CSpeakerHistoryDlg::kWeeks, 2);
    EXPECT_EQ(d.Text(CSpeakerHistoryDlg::kTalk), Date(f - 8, 2) + " - ");

    d.Select(CSpeakerHistoryDlg::kCircuits, 1);
    EXPECT_EQ(d.Rows(CSpeakerHistoryDlg::kCongregations),
              (Rows{"1 Församlingar i krets Norra", "Eka"}));
    EXPECT_EQ(d.Rows(CSpeakerHistoryDlg::kBrothers), Rows{"Erik Ek"});
    EXPECT_EQ(d.Title(), "Historik - Erik Ek - Eka");
    EXPECT_TRUE(d.Rows(CSpeakerHistoryDlg::kWeeks).empty());
    d.Select(CSpeakerHistoryDlg::kCircuits, 0).Select(CSpeakerHistoryDlg::kCongregations, "Dala");
    EXPECT_EQ(d.Rows(CSpeakerHistoryDlg::kBrothers), Rows{"Carl Dahl"});
    (void)erik;
    d.Cancel();
}

} // namespace
} // namespace mivra
