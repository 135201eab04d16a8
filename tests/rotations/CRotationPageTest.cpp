#include "resources/CommandIds.h"
#include "rotations/CChair.h"
#include "rotations/CRoleListDlg.h"
#include "rotations/RotationFixture.h"
#include "store/CNameListDlg.h"

#include <algorithm>

namespace mivra::rotations {
namespace {

using schedule::SchedulePage;
using schedule::SchedulePageIndex;
using ui::headless::HeadlessDialog;
using Page = CRotationPage;

class RotationPage : public test::RotationTest {
protected:
    HeadlessDialog& OpenOn(SchedulePage which) {
        const int index = SchedulePageIndex(doc->Settings().Options(), which);
        if (!driver)
            return Show(index).Page(index);
        return driver->SelectPage(index).Page(index);
    }
    std::string Date(int week, int flags) { return doc->FormatDate(week + 1, flags); }
    std::string RowOf(int week, const std::string& content) {
        return Date(week, 26) + "\t  " + content;
    }
    /** The role list, picking the brother on its view row (or only confirming). */
    void PickInRoleList(int row) {
        host.OnDialog(CRoleListDlg::kTemplate, [row](HeadlessDialog& d) {
            if (row >= 0)
                d.Select(CRoleListDlg::kViewList, row);
            d.Ok();
        });
    }
};

TEST_F(RotationPage, RowsCarryMarksAndTheLabelsExplainTheSelectedWeek) {
    Open(true, true);
    doc->Availability().AddUnavailableWeek(1, static_cast<uint16_t>(Row(1) + 1));
    SetHolder(Row(1), Duty::Chairman, 1);
    SetHolder(Row(2), Duty::Chairman, 2);
    Set(Row(2), [](WeekRecord& w) { w.homeSpeaker = 2; });
    Flags(Row(3), kWeekAssembly);
    Flags(Row(4), kWeekOverseerVisit);
    Flags(Row(5), kWeekOverseerVisit | kWeekChairmanAnyway);
    SetHolder(Row(5), Duty::Chairman, 3);
    SetHolder(Row(5), Duty::Reader, 4);
    HeadlessDialog& p = OpenOn(SchedulePage::Chairman);
    const std::vector<std::string> rows = p.Rows(Page::kList);
    ASSERT_EQ(rows.size(), 26u);
    EXPECT_EQ(p.TabStops(Page::kList), (std::vector<int>{70, 220, 230}));
    EXPECT_EQ(rows[0], RowOf(Row(0), ""));
    EXPECT_EQ(rows[1], RowOf(Row(1), "* Anders Alm"));
    EXPECT_EQ(rows[2], RowOf(Row(2), "# Bertil Berg"));
    EXPECT_EQ(rows[3], RowOf(Row(3), "Sammankomst"));
    EXPECT_EQ(rows[4], RowOf(Row(4), "KT-besök"));
    EXPECT_EQ(rows[5], RowOf(Row(5), "Carl Cederlund"));
    EXPECT_EQ(p.Selection(Page::kList), 0) << "the first week needing a chairman";
    EXPECT_EQ(p.Text(Page::kChairmanUnavailable), "* = Utsedd ordförande är ej tillgänglig !");
    EXPECT_EQ(p.Text(Page::kConflict), "# Schemakonflikt");
    EXPECT_FALSE(p.IsShown(Page::kSwap));

    p.Select(Page::kList, 1);
    EXPECT_EQ(p.Text(Page::kChairmanUnavailable),
              "Anders Alm - Ej tillgänglig - " + Date(Row(1), 2));
    EXPECT_EQ(p.Text(Page::kSwap), "Byt Anders Alm");
    p.Select(Page::kList, 2);
    EXPECT_EQ(p.Text(Page::kConflict),
              "# Schemakonflikt  " + Date(Row(2), 8) + "\nBertil Berg\nTalare - Ordförande");
    p.Select(Page::kList, 3);
    p.Press(Page::kManual).DoubleClick(Page::kList, 3); // an assembly takes nobody by hand
    p.Select(Page::kList, 4).Press(Page::kManual);
    EXPECT_TRUE(host.DialogsRun().empty());
    EXPECT_EQ(Holder(Row(4), Duty::Chairman), 0);

    HeadlessDialog& r = OpenOn(SchedulePage::Readers);
    EXPECT_EQ(r.Rows(Page::kList)[5], RowOf(Row(5), "KT-besök")) << "a visit reads nobody";
    EXPECT_FALSE(r.IsShown(Page::kReaderUnavailable));
    EXPECT_FALSE(r.IsShown(Page::kConflict));
}

TEST_F(RotationPage, TheButtonFillsTheRunUpToTheWeekAndClearsTheFilledRunFromIt) {
    Open();
    HeadlessDialog& p = OpenOn(SchedulePage::Chairman);
    EXPECT_EQ(p.Text(Page::kAuto), "Välj automatiskt " + Date(Row(0), 24));
    p.Select(Page::kList, 3);
    EXPECT_EQ(p.Text(Page::kAuto),
              "Välj automatiskt " + Date(Row(0), 24) + " - " + Date(Row(3), 24));
    p.Press(Page::kAuto);
    EXPECT_EQ(
        (std::vector<uint16_t>{Holder(Row(0), Duty::Chairman), Holder(Row(1), Duty::Chairman),
                               Holder(Row(2), Duty::Chairman), Holder(Row(3), Duty::Chairman)}),
        (std::vector<uint16_t>{1, 2, 3, 1}));
    EXPECT_EQ(p.Selection(Page::kList), 4) << "rebuilt on the next week needing one";

    p.Select(Page::kList, 1);
    EXPECT_EQ(p.Text(Page::kAuto), "Rensa " + Date(Row(1), 24) + " - " + Date(Row(3), 24));
    p.Press(Page::kAuto);
    EXPECT_EQ(Holder(Row(0), Duty::Chairman), 1);
    EXPECT_EQ(Holder(Row(3), Duty::Chairman), 0);
    p.Select(Page::kList, 0);
    EXPECT_EQ(p.Text(Page::kAuto), "Rensa " + Date(Row(0), 24));
}

TEST_F(RotationPage, OnlyTheUsersSelectionCompletesASwap) {
    Open(false, true);
    for (int r = 0; r < Page::kRows; ++r)
        if (r != 1)
            SetHolder(Row(r), Duty::Chairman, static_cast<uint16_t>(r == 2 ? 3 : 1));
    HeadlessDialog& p = OpenOn(SchedulePage::Chairman);
    p.Select(Page::kList, 2).Press(Page::kSwap);
    EXPECT_EQ(p.Text(Page::kSwap), "Ångra Byt");
    EXPECT_EQ(p.Text(Page::kSwapPrompt),
              "Välj en ordförande för att byta med\nCarl Cederlund\neller");
    EXPECT_FALSE(p.IsShown(Page::kAuto));
    EXPECT_FALSE(p.IsShown(Page::kManual));

    sheet->Chairman().SelectWeek(Row(1)); // the summary's request selects as the user does
    EXPECT_EQ(p.Selection(Page::kList), 1);
    EXPECT_EQ(p.Text(Page::kSwap), "Ångra Byt") << "an empty week leaves the swap pending";
    PickInRoleList(1); // Bertil Berg, by double-click on the empty week
    p.DoubleClick(Page::kList, 1);
    EXPECT_EQ(Holder(Row(1), Duty::Chairman), 2);
    EXPECT_EQ(p.Selection(Page::kList), 0) << "every week has one: row 0";
    host.ChooseMenu(cmd::kBrothers); // the sheet's notification afterwards rebuilds the page
    driver->Press(cmd::kSheetEdit);
    EXPECT_EQ(p.Text(Page::kSwap), "Ångra Byt");
    EXPECT_EQ(Holder(Row(0), Duty::Chairman), 1) << "no rebuild (on row 0) swapped anything";
    EXPECT_EQ(Holder(Row(2), Duty::Chairman), 3);

    sheet->Chairman().SelectWeek(Row(0));
    EXPECT_EQ(Holder(Row(0), Duty::Chairman), 3);
    EXPECT_EQ(Holder(Row(2), Duty::Chairman), 1);
    EXPECT_TRUE(p.IsShown(Page::kAuto));
}

TEST_F(RotationPage, ChairmanAndReaderTellTheOthersOnlyWhenTheirConflictsChange) {
    Open(true, true);
    SetHolder(Row(1), Duty::Reader, 2);
    HeadlessDialog& r = OpenOn(SchedulePage::Readers);
    HeadlessDialog& h = OpenOn(SchedulePage::Hosts);
    HeadlessDialog& c = OpenOn(SchedulePage::Chairman);
    r.Select(Page::kList, 5);
    h.Select(Page::kList, 5);
    c.Select(Page::kList, 0).Press(Page::kAuto);
    EXPECT_EQ(r.Selection(Page::kList), 5) << "no new conflict: nobody told";

    PickInRoleList(1); // Bertil Berg chairs the week he reads in
    c.Select(Page::kList, 1).Press(Page::kManual);
    EXPECT_EQ(c.Rows(Page::kList)[1], RowOf(Row(1), "# Bertil Berg"));
    EXPECT_EQ(r.Rows(Page::kList)[1], RowOf(Row(1), "# Bertil Berg"));
    EXPECT_EQ(r.Selection(Page::kList), 0) << "rebuilt on the first week needing a reader";
    EXPECT_EQ(h.Selection(Page::kList), 0);
    EXPECT_TRUE(r.IsShown(Page::kConflict));

    h.Select(Page::kList, 5).Press(Page::kAuto);
    r.Select(Page::kList, 5);
    h.Select(Page::kList, 6).Press(Page::kAuto);
    EXPECT_EQ(r.Selection(Page::kList), 5) << "the host page never tells";
}

TEST_F(RotationPage, HostsAreListedWithoutTheirTildeAndWithoutMarks) {
    Open(true, false);
    SetHolder(Row(1), Duty::Host, 30003);
    HeadlessDialog& p = OpenOn(SchedulePage::Hosts);
    EXPECT_EQ(p.Rows(Page::kList)[1], RowOf(Row(1), "Familjen Lind"));
    p.Select(Page::kList, 3).Press(Page::kAuto);
    EXPECT_EQ(Holder(Row(0), Duty::Host), 0) << "the run starts after the filled week";
    EXPECT_EQ(Holder(Row(2), Duty::Host), 30001);
    EXPECT_EQ(Holder(Row(3), Duty::Host), 30002);

    host.OnDialog(CNameListDlg::kTemplate, [](HeadlessDialog& d) {
        const std::vector<std::string> rows = d.Rows(CNameListDlg::kList);
        EXPECT_EQ(rows[static_cast<size_t>(d.Selection(CNameListDlg::kList))], "Familjen Lind");
        const auto stahl = std::find(rows.begin(), rows.end(), "Familjen Ståhl") - rows.begin();
        d.DoubleClick(CNameListDlg::kList, static_cast<int>(stahl));
    });
    p.Select(Page::kList, 1).Press(Page::kManual);
    EXPECT_EQ(Holder(Row(1), Duty::Host), 30002);
    host.OnDialog(CNameListDlg::kTemplate, [](HeadlessDialog& d) { d.Cancel(); });
    p.DoubleClick(Page::kList, 1);
    EXPECT_EQ(Holder(Row(1), Duty::Host), 30002);
}

} // namespace
} // namespace mivra::rotations
