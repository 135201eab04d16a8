#include "schedule/CSched.h"

#include "base/FileIo.h"
#include "resources/CommandIds.h"
#include "schedule/SheetFixture.h"
#include "store/CBrotherListDlg.h"
#include "store/CCongregationListDlg.h"
#include "store/CTalkListDlg.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mivra::schedule {
namespace {

using ui::headless::HeadlessDialog;
using Page = CSched;

/**
 * Six outgoing speakers of the home congregation Norra (Alm … Fors, keys 1–6, each with talks
 * 5 and 12) and Södra, which meets on Sunday in odd years and on Saturday in even ones.
 */
class Outgoing : public test::SheetTest {
protected:
    void SetUp() override {
        SheetTest::SetUp();
        auto brother = [](const char* first, const char* last, uint16_t key) {
            return test::BrotherBytes{.first = first,
                                      .last = last,
                                      .talks = {5, 12},
                                      .roles = kRoleOutgoingSpeaker,
                                      .congregation = 1,
                                      .key = key}
                .Build();
        };
        dir.Write("speakers.dat", test::SlotFile({{1, brother("Anders", "Alm", 1)},
                                                  {2, brother("Bertil", "Berg", 2)},
                                                  {3, brother("Carl", "Cederlund", 3)},
                                                  {4, brother("David", "Dahl", 4)},
                                                  {5, brother("Erik", "Ek", 5)},
                                                  {6, brother("Fredrik", "Fors", 6)}}));
        dir.Write("cong.dat",
                  test::SlotFile({{1, test::CongregationBytes{.name = "Norra", .key = 1}.Build()},
                                  {2,
                                   test::CongregationBytes{
                                       .name = "Södra", .key = 2, .weekdayOdd = 0, .weekdayEven = 6}
                                       .Build()}}));
        dir.Write("history.dat", {});
        dir.Write("special.dat", {});
        dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=1\r\n");
    }

    /** Fills the first slots with (speaker, destination, talk). */
    void Slots(int index, std::vector<std::array<int16_t, 3>> slots) {
        Set(index, [&](WeekRecord& w) {
            for (size_t s = 0; s < slots.size(); ++s) {
                w.outSpeaker[s] = slots[s][0];
                w.outCongregation[s] = slots[s][1];
                w.outTalk[s] = static_cast<uint16_t>(slots[s][2]);
            }
        });
    }
    std::vector<int> Speakers(int index) {
        const WeekRecord w = doc->Weeks().Week(index);
        return {w.outSpeaker.begin(), w.outSpeaker.end()};
    }
    HeadlessDialog& OpenPage() {
        const int index = SchedulePageIndex(doc->Settings().Options(), SchedulePage::Outgoing);
        return Show(index).Page(index);
    }
    /** The brother list of role 5, choosing the brother on a row. */
    void PickBrother(int row) {
        host.OnDialog(CBrotherListDlg::kTemplate,
                      [row](HeadlessDialog& d) { d.Select(CBrotherListDlg::kList, row).Ok(); });
    }
    std::string Date(int week, int flags) { return doc->FormatDate(week + 1, flags); }
};

TEST_F(Outgoing, WeekRowsFollowTheirKindAndTheSelectedWeekShowsItsSlots) {
    Open();
    Slots(Row(0), {{1, 2, 5}, {2, 0, 0}});
    Set(Row(1), [](WeekRecord& w) { w.weekFlags = kWeekOverseerVisit; });
    Slots(Row(1), {{3, 2, 12}});
    Set(Row(2), [](WeekRecord& w) { w.weekFlags = kWeekAssembly; });
    Set(Row(3), [](WeekRecord& w) { w.weekFlags = kWeekOtherEvent; });
    Set(Row(4), [](WeekRecord& w) { w.weekFlags = kWeekAssembly; });
    Slots(Row(4), {{3, 0, 300}}); // a talk outside 1 … 256 shows as none
    HeadlessDialog& p = OpenPage();
    EXPECT_EQ(p.Selection(Page::kWeeks), 2) << "the first week without speaker or talk";
    const std::vector<std::string> rows = p.Rows(Page::kWeeks);
    ASSERT_EQ(rows.size(), 26u);
    EXPECT_EQ(rows[0], Date(Row(0), 26) + "\t5\tAnders Alm (+...)\tSödra");
    EXPECT_EQ(rows[1], Date(Row(1), 26) + "\t\tKT-besök");
    EXPECT_EQ(rows[2], Date(Row(2), 26) + "\tSammankomst");
    EXPECT_EQ(rows[3], Date(Row(3), 26) + "\tSärskild händelse");
    EXPECT_EQ(rows[4], Date(Row(4), 26) + "\t   \t# Carl Cederlund\t");
    EXPECT_FALSE(p.IsShown(Page::kReplace)) << "no slot rows, no slot buttons";

    p.Select(Page::kWeeks, 0);
    EXPECT_EQ(p.Rows(Page::kSlots),
              (std::vector<std::string>{"Anders Alm - Lördag", "Bertil Berg"}));
    EXPECT_EQ(p.Text(Page::kTalk), doc->Talks().TalkCaption(5, 3));
    EXPECT_EQ(p.Text(Page::kDestination), "Församling - Södra");
    EXPECT_EQ(p.Text(Page::kDate), Date(Row(0), 24));
    EXPECT_TRUE(p.IsShown(Page::kContacts));
    p.Select(Page::kSlots, 1);
    EXPECT_EQ(p.Rows(Page::kWeeks)[0], Date(Row(0), 26) + "\t   \tBertil Berg (+...)\t");
    EXPECT_EQ(p.Text(Page::kDestination), "Församling");
    EXPECT_FALSE(p.IsShown(Page::kContacts));

    p.Select(Page::kWeeks, 1);
    EXPECT_FALSE(p.IsShown(Page::kAdd)) << "a visit week takes no speaker";
    p.Select(Page::kWeeks, 4);
    EXPECT_EQ(p.Text(Page::kTalk), "Tal");
    EXPECT_EQ(Week(Row(4)).outTalk[0], 300) << "the stored value stays";
    EXPECT_EQ(p.Text(Page::kConflict), "# Schemakonflikt  " + Date(Row(4), 8) +
                                           "\nCarl Cederlund\nSammankomst - Talare som reser ut");

    Slots(Row(5), {{1, 2, 5}});
    sheet->Outgoing().SelectWeek(Row(5)); // the summary's request
    EXPECT_EQ(p.Selection(Page::kWeeks), 5);

    // Listed from a week of 2027 (the summary moved on): Södra meets on Sunday in odd years.
    Slots(Row(48), {{1, 2, 5}});
    doc->SetFirstShownWeek(Row(48) + 1);
    host.ChooseMenu(cmd::kBrothers); // the sheet's notification afterwards rebuilds the page
    driver->Press(cmd::kSheetEdit);
    p.Select(Page::kWeeks, 0);
    EXPECT_EQ(p.Rows(Page::kSlots), (std::vector<std::string>{"Anders Alm - Söndag"}));
}

TEST_F(Outgoing, AddReplaceAndRemoveKeepTheFilledSlotsAtTheFront) {
    Open();
    Slots(Row(0), {{1, 2, 5}, {2, 2, 12}, {3, 0, 5}});
    Set(Row(1), [](WeekRecord& w) { // a deleted brother's slot: destination and talk left over
        w.outCongregation[0] = 2;
        w.outTalk[0] = 12;
        w.outSpeaker[2] = 4;
    });
    HeadlessDialog& p = OpenPage();
    p.Select(Page::kWeeks, 1);
    EXPECT_EQ(Speakers(Row(1)), (std::vector<int>{4, 0, 0, 0, 0, 0})) << "compacted on sight";
    PickBrother(0);
    p.Press(Page::kAdd);
    EXPECT_EQ(Speakers(Row(1)), (std::vector<int>{4, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Week(Row(1)).outCongregation[1], 0);
    EXPECT_EQ(Week(Row(1)).outTalk[1], 0);
    EXPECT_EQ(p.Selection(Page::kSlots), 1) << "the new speaker's slot";

    p.Select(Page::kWeeks, 0).Select(Page::kSlots, 1).Press(Page::kRemove);
    const WeekRecord removed = Week(Row(0));
    EXPECT_EQ(Speakers(Row(0)), (std::vector<int>{1, 3, 0, 0, 0, 0}));
    EXPECT_EQ(removed.outTalk[1], 5);
    EXPECT_EQ(removed.outCongregation[1], 0);

    PickBrother(0); // the same brother keeps destination and talk
    p.Select(Page::kSlots, 0).Press(Page::kReplace);
    EXPECT_EQ(Week(Row(0)).outTalk[0], 5);
    PickBrother(4); // another one starts without them
    p.Press(Page::kReplace);
    EXPECT_EQ(Speakers(Row(0))[0], 5);
    EXPECT_EQ(Week(Row(0)).outTalk[0], 0);
    EXPECT_EQ(Week(Row(0)).outCongregation[0], 0);

    Slots(Row(2), {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}, {6, 0, 0}});
    p.Select(Page::kWeeks, 2).Select(Page::kSlots, 4);
    PickBrother(0);
    p.Press(Page::kAdd);
    EXPECT_EQ(Speakers(Row(2)), (std::vector<int>{1, 2, 3, 4, 5, 6})) << "no seventh";
    EXPECT_EQ(p.Selection(Page::kSlots), 0);
}

TEST_F(Outgoing, SwapsExchangeSlotsAndLeaveBothWeeksPacked) {
    Open();
    Slots(Row(0), {{1, 2, 5}, {2, 0, 12}});
    Slots(Row(2), {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}, {6, 0, 0}});
    Slots(Row(3), {{3, 0, 0}});
    HeadlessDialog& p = OpenPage();
    p.Select(Page::kWeeks, 0).Select(Page::kSlots, 0).Press(Page::kSwap);
    const std::string source = "Anders Alm (" + Date(Row(0), 9) + ")";
    EXPECT_EQ(p.Text(Page::kSwapPrompt), "Välj en talare att byta med " + source + " eller -> ");
    EXPECT_EQ(p.Text(Page::kSwap), "Ångra Byt");
    EXPECT_FALSE(p.IsShown(Page::kSwapDo)) << "not with its own week";
    EXPECT_FALSE(p.IsShown(Page::kAdd));

    p.Select(Page::kWeeks, 2);
    EXPECT_EQ(p.Rows(Page::kSlots).size(), 6u) << "a full week has no next free slot";
    p.Select(Page::kWeeks, 3);
    EXPECT_EQ(p.Rows(Page::kSlots).back(), " +...");
    p.Select(Page::kWeeks, 1); // an empty week: its slot 0
    EXPECT_TRUE(p.Rows(Page::kSlots).empty());
    EXPECT_EQ(p.Text(Page::kSwapDo), "Byt " + source + " <->  (" + Date(Row(1), 9) + ")");
    p.Press(Page::kSwapDo);
    EXPECT_EQ(sheet->Outgoing().SelectedWeek(), std::optional<int>(Row(1)));
    EXPECT_EQ(Speakers(Row(1))[0], 1);
    EXPECT_EQ(Week(Row(1)).outTalk[0], 5);
    EXPECT_EQ(Speakers(Row(0)), (std::vector<int>{2, 0, 0, 0, 0, 0})) << "the gap closed";
    EXPECT_EQ(Week(Row(0)).outTalk[0], 12);
    EXPECT_EQ(p.Text(Page::kSwap), "Byt");

    p.Select(Page::kWeeks, 0).Press(Page::kSwap).Select(Page::kWeeks, 3).Select(Page::kSlots, 1);
    p.Press(Page::kSwapDo);
    EXPECT_EQ(Speakers(Row(3)), (std::vector<int>{3, 2, 0, 0, 0, 0}));
    EXPECT_EQ(Speakers(Row(0)), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    driver->Ok();
    EXPECT_EQ(WeekOnDisk(Row(3)).outSpeaker[1], 2) << "both weeks are written";
}

TEST_F(Outgoing, TheTalkButtonWritesOnlyAChangedExistingBrother) {
    Open();
    Slots(Row(0), {{1, 0, 0}, {99, 0, 0}});
    std::vector<std::string> written;
    io::SetFaultHook([&written](io::Step step, const std::filesystem::path& target) {
        if (step == io::Step::Write)
            written.push_back(target.filename().string());
        return false;
    });
    HeadlessDialog& p = OpenPage();
    p.Select(Page::kWeeks, 0).Select(Page::kSlots, 1).Press(Page::kTalk);
    EXPECT_TRUE(host.DialogsRun().empty()) << "no brother 99: nothing opens";

    host.OnDialog(CTalkListDlg::kTemplate, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Title(), "Välj tal");
        d.Select(CTalkListDlg::kShowList, 1).Ok(); // talk 12, his list as it was
    });
    p.Select(Page::kSlots, 0).Press(Page::kTalk);
    EXPECT_EQ(Week(Row(0)).outTalk[0], 12);
    EXPECT_EQ(std::count(written.begin(), written.end(), "speakers.dat"), 0);

    host.OnDialog(CTalkListDlg::kTemplate, [](HeadlessDialog& d) {
        d.Press(CTalkListDlg::kToggle).Toggle(CTalkListDlg::kEditList, 19);
        d.Press(CTalkListDlg::kToggle).Select(CTalkListDlg::kShowList, 2).Ok();
    });
    p.Press(Page::kTalk);
    EXPECT_EQ(Week(Row(0)).outTalk[0], 20);
    EXPECT_EQ(std::count(written.begin(), written.end(), "speakers.dat"), 1);
    EXPECT_TRUE(doc->Brothers().Brother(doc->Brothers().FindBrotherByKey(1))->repertoire.Has(20))
        << "the index the home talk chooser reads";

    host.OnDialog(CCongregationListDlg::kTemplate,
                  [](HeadlessDialog& d) { d.Select(CCongregationListDlg::kList, 1).Ok(); });
    p.Press(Page::kDestination);
    EXPECT_EQ(Week(Row(0)).outCongregation[0], 2);
    io::SetFaultHook(nullptr);
}

TEST_F(Outgoing, TheSpeakersButtonsOpenHisWeeksHistoryAndContacts) {
    Open();
    Slots(Row(1), {{2, 0, 5}});
    Slots(Row(3), {{1, 0, 0}, {2, 2, 12}});
    doc->Availability().AddUnavailableWeek(2, static_cast<uint16_t>(Row(3) + 1));
    HeadlessDialog& p = OpenPage();
    p.Select(Page::kWeeks, 3);
    EXPECT_FALSE(p.IsShown(Page::kAvailability));
    EXPECT_FALSE(p.IsShown(Page::kHistory)) << "Alm has gone out in no earlier week";
    p.Select(Page::kSlots, 1);
    EXPECT_EQ(p.Rows(Page::kWeeks)[3], Date(Row(3), 26) + "\t12\t* Bertil Berg (+...)\tSödra");
    EXPECT_FALSE(p.IsShown(Page::kUnavailable));
    EXPECT_EQ(p.Text(Page::kAvailability), "Visa tillgänglighet - Bertil Berg");
    EXPECT_EQ(p.Text(Page::kHistory), "Visa historik - Bertil Berg");
    for (int id : {154, 170, 172})
        host.OnDialog(id, [](HeadlessDialog& d) { d.Cancel(); });
    p.Press(Page::kAvailability).Press(Page::kHistory).Press(Page::kContacts);
    EXPECT_EQ(host.DialogsRun(), (std::vector<int>{154, 170, 172}));
}

} // namespace
} // namespace mivra::schedule
