#include "app/cli/CommandLine.h"
#include "schedule/CTDlg.h"
#include "schedule/SheetFixture.h"
#include "support/Golden.h"
#include "ui/headless/RecordingCanvas.h"

#include <sstream>

namespace mivra::schedule {
namespace {

using ui::headless::HeadlessDialog;

constexpr ui::Size kGridSize{660, 420}; // lines at x 60, 292, 360, 390, 420, 450; rows of 19

class Summary : public test::SheetTest {
protected:
    void SetUp() override {
        SheetTest::SetUp();
        Open();
        W = doc->CurrentWeek();
    }
    /** Row k of the page as it opens: week index W − 1 + k. */
    WeekRecord& Row(int k) { return doc->Weeks().GetWeek(W - 1 + k); }
    int Status(int k) { return WeekStatus(*doc, W - 1 + k); }
    void Complete(int k) {
        WeekRecord& w = Row(k);
        w.homeSpeaker = 2;
        w.homeTalk = 5;
        w.homeCongregation = 1;
        w.chairman = 1;
        w.confirmed = 1;
        w.weekFlags |= kWeekInUse;
    }

    int W = 0;
};

TEST_F(Summary, WeekStatusFollowsTheRulesInOrder) {
    Row(0).weekFlags = kWeekAssembly;
    Row(1).weekFlags = kWeekAssembly;
    Row(1).outSpeaker[0] = 1;
    Row(2).weekFlags = kWeekOverseerVisit | kWeekChairmanAnyway | kWeekHostAnyway;
    Row(3) = Row(2);
    Row(3).chairman = 1;
    Complete(4);
    doc->Availability().AddUnavailableWeek(2, static_cast<uint16_t>(W + 4));
    Complete(5);
    Row(5).chairman = 2; // the home speaker chairs too
    Complete(6);
    Row(6).outSpeaker[1] = 1;
    doc->Availability().AddUnavailableWeek(1, static_cast<uint16_t>(W + 6));
    Row(7).outSpeaker[0] = 1;
    Row(7).outCongregation[0] = 1;
    Row(7).outTalk[0] = 300; // no talk has this number
    Row(7).homeTalk = 300;
    Row(7).homeCongregation = 1;
    Complete(8);
    Complete(9);
    Row(9).confirmed = 0;
    Row(10).homeTalk = 5;

    EXPECT_EQ(Status(0), kStatusComplete);
    EXPECT_EQ(Status(1), kStatusConflict);
    EXPECT_EQ(Status(2), kStatusIncomplete) << "a visit needs its chairman";
    EXPECT_EQ(Status(3), kStatusComplete) << "hosts not scheduled: the visit needs no host";
    EXPECT_EQ(Status(4), kStatusUnavailable);
    EXPECT_EQ(Status(5), kStatusConflict);
    EXPECT_EQ(Status(6), kStatusUnavailable) << "every outgoing slot is examined";
    EXPECT_EQ(Status(7), kStatusOutgoingIncomplete);
    EXPECT_EQ(Status(8), kStatusComplete);
    EXPECT_EQ(Status(9), kStatusUnconfirmed);
    EXPECT_EQ(Status(10), kStatusIncomplete);
    EXPECT_EQ(Status(11), kStatusEmpty);

    doc->Settings().MutableOptions().scheduleHosts = true;
    EXPECT_EQ(Status(3), kStatusIncomplete) << "with hosts on, the visit waits for one";
    EXPECT_EQ(Status(8), kStatusIncomplete);
    Row(3).host = 1;
    EXPECT_EQ(Status(3), kStatusComplete);

    const SummaryRow five = SummarizeWeek(*doc, W + 4);
    EXPECT_EQ(five.home.text, "Olof Ask");
    EXPECT_EQ(five.home.ink, Ink::Purple);
    EXPECT_EQ(five.chairmanMark.ink, Ink::Purple);
    const SummaryRow seven = SummarizeWeek(*doc, W + 6);
    EXPECT_EQ(seven.talk, " ?") << "talk 300 shows as no talk";
    EXPECT_EQ(seven.outgoing.text, "Per Ek ( ??? ) ");
    EXPECT_EQ(SummarizeWeek(*doc, W + 3).home.ink, Ink::Red);
    EXPECT_EQ(SummarizeWeek(*doc, W + 8).home.ink, Ink::Blue);
    EXPECT_EQ(SummarizeWeek(*doc, W).outgoing.ink, Ink::Purple);
    EXPECT_EQ(SummarizeWeek(*doc, W - 1).home.text, "Sammankomst");
}

TEST_F(Summary, ThePageMovesByTenBetweenFloorAndCapAndTogglesItsView) {
    Complete(0);
    Row(1).outSpeaker[0] = 1;
    HeadlessDialog& p = Show(0).Page(0);
    EXPECT_EQ(p.Text(CTDlg::kStart), "Med start\n" + doc->FormatDate(W, 24));
    EXPECT_TRUE(p.IsShown(CTDlg::kLegendComplete));
    EXPECT_TRUE(p.IsShown(CTDlg::kLegendIncomplete));
    EXPECT_FALSE(p.IsShown(CTDlg::kLegendUnavailable));
    EXPECT_FALSE(p.IsShown(CTDlg::kLegendUnconfirmed));

    auto& page = static_cast<CTDlg&>(sheet->Summary());
    const int base = doc->Weeks().BaseWeek();
    for (int i = 0; i < 100; ++i)
        p.Step(CTDlg::kMove, -1);
    EXPECT_EQ(page.FirstWeek(), base);
    EXPECT_EQ(doc->FirstShownWeek(), base);
    for (int i = 0; i < 100; ++i)
        p.Step(CTDlg::kMove, 1);
    EXPECT_EQ(page.FirstWeek(), W + 150);
    p.Step(CTDlg::kMove, -1);
    EXPECT_EQ(page.FirstWeek(), W + 140);

    p.Press(CTDlg::kToggle);
    EXPECT_EQ(p.Text(CTDlg::kToggle), "Tillbaka");
    EXPECT_TRUE(page.OvhMode());
    p.Press(CTDlg::kToggle);
    EXPECT_EQ(p.Text(CTDlg::kToggle), "O - V - H");
}

TEST_F(Summary, TheGridDrawsBothViewsWithTheirColoursAndYears) {
    Complete(0);
    Row(0).confirmed = 0;
    Row(1).outSpeaker[0] = 1;
    Row(1).outSpeaker[1] = 2;
    HeadlessDialog& p = Show(0).Page(0);
    ui::headless::RecordingCanvas grid = p.Paint(CTDlg::kGrid, kGridSize);
    const auto* home = grid.FindText("Olof Ask");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(home->colour, ui::Rgb(0, 0, 255));
    EXPECT_EQ(home->at.x, 660 / 9);
    ASSERT_NE(grid.FindText("Per Ek ( ??? )   + ..."), nullptr);
    EXPECT_NE(grid.FindText("5"), nullptr);
    EXPECT_NE(grid.FindText(std::to_string(dates::MeetingYear(W - 1, doc->MeetingDays()))),
              nullptr);
    int statusFills = 0;
    for (const auto& fill : grid.CallsOf("fill"))
        statusFills +=
            fill.colour == ui::Rgb(255, 255, 87) || fill.colour == ui::Rgb(135, 220, 255);
    EXPECT_EQ(statusFills, 3) << "two date cells and the outgoing column of code 6";
    test::ExpectGolden(grid.Dump(), "schedule/golden/summary_home.txt");

    p.Press(CTDlg::kToggle);
    grid = p.Paint(CTDlg::kGrid, kGridSize);
    EXPECT_EQ(grid.FindText("Olof Ask"), nullptr);
    ASSERT_NE(grid.FindText("Per Ek"), nullptr) << "the chairman";
    EXPECT_NE(grid.FindText("Ordförande"), nullptr);
    test::ExpectGolden(grid.Dump(), "schedule/golden/summary_ovh.txt");
}

TEST_F(Summary, TheHeaderYearsAreThoseOfTheFirstAndLastRowShown) {
    HeadlessDialog& p = Show(0).Page(0);
    const CTDlg& page = static_cast<CTDlg&>(sheet->Summary());
    for (int i = 0; i < 100; ++i)
        p.Step(CTDlg::kMove, -1);
    const dates::MeetingDays days = doc->MeetingDays();
    const auto year = [&](int weekIndex) { return dates::MeetingYear(weekIndex, days); };
    int checked = 0;
    for (;;) {
        const int f = page.FirstWeek();
        // Only where rows 1 and 21 would name other years than rows 0 and 19.
        if (year(f - 1) != year(f) || year(f + 18) != year(f + 19)) {
            std::vector<std::string> shown, expected{std::to_string(year(f - 1))};
            if (year(f + 18) != year(f - 1))
                expected.push_back(std::to_string(year(f + 18)));
            for (const auto& text : p.Paint(CTDlg::kGrid, kGridSize).CallsOf("text"))
                if (text.at.x == 5 && text.at.y < 34)
                    shown.push_back(text.text);
            EXPECT_EQ(shown, expected) << "first week " << f;
            ++checked;
        }
        if (f >= W + 150)
            break;
        p.Step(CTDlg::kMove, 1);
    }
    EXPECT_GT(checked, 0);
}

TEST_F(Summary, ClicksMapToPagesByColumnAndToWeeksByRow) {
    doc->Settings().MutableOptions().scheduleHosts = true;
    auto& s = Show(0);
    HeadlessDialog& p = s.Page(0);
    p.Paint(CTDlg::kGrid, kGridSize);
    const CTDlg& page = static_cast<CTDlg&>(sheet->Summary());
    const int top = 420 / 28 + (420 - 420 / 28) / 21; // the first row's top
    struct Case {
        int x, y, page, row;
    } cases[] = {{10, top + 1, 1, 0}, {300, top + 19 * 5 + 3, 1, 5},
                 {370, top, 2, 0},    {400, top, 3, 0},
                 {430, top, -1, -1},  {500, top + 19 * 19, 4, 19},
                 {360, top, -1, -1},  {292 + 1, top, 1, 0},
                 {500, 5, 4, -1},     {500, top + 19 * 20 + 1, -1, -1}};
    for (const Case& c : cases) {
        const GridTarget t = page.TargetAt({c.x, c.y}, kGridSize);
        EXPECT_EQ(t.page, c.page) << c.x << "," << c.y;
        EXPECT_EQ(t.row.value_or(-1), c.row) << c.x << "," << c.y;
    }
    p.Click(CTDlg::kGrid, {500, top + 19 * 3 + 2});
    EXPECT_EQ(s.ShownPage(), 4);
    EXPECT_EQ(sheet->Outgoing().SelectedWeek(), doc->FirstShownWeek() - 1 + 3);
    s.SelectPage(0);
    p.Click(CTDlg::kGrid, {200, 415}); // below the last row
    EXPECT_EQ(s.ShownPage(), 0);
}

TEST_F(Summary, TheCommandPrintsTheRowsAsDrawn) {
    Complete(1);
    Row(1).confirmed = 0;
    Row(2).outSpeaker[0] = 1;
    Row(2).weekFlags = kWeekInUse;
    ASSERT_TRUE(doc->Weeks().SaveWeeks());
    const auto run = [&](std::vector<std::string> args, std::string& out) {
        args.insert(args.begin(), {"--data", dir.path().string(), "--today", "2026-03-04"});
        std::ostringstream o, e;
        const int code = cli::Run(args, o, e);
        out = o.str();
        return code;
    };
    std::string out;
    ASSERT_EQ(run({"summary"}, out), 0);
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 20u);
    const std::string w = std::to_string(W + 1);
    EXPECT_EQ(lines[1], w + "\t4\t" + doc->FormatDate(W + 1, 24) +
                            "\tOlof Ask\t5\tX\t\t\t\tPer Ek\t\t\tb\t-\t-\t-");
    EXPECT_EQ(lines[2].substr(lines[2].find('\t')),
              "\t6\t" + doc->FormatDate(W + 2, 24) +
                  "\t\t\t\t\t\tPer Ek ( ??? ) \t\t\t\t-\t-\t-\t-");
    std::string from;
    ASSERT_EQ(run({"summary", "--from", "2026-03-11"}, from), 0);
    EXPECT_EQ(from.substr(0, from.find('\n')), lines[1]);
    EXPECT_EQ(run({"summary", "--from", "2026-13-01"}, out), 2);
    EXPECT_EQ(run({"summary", "--to", "x"}, out), 2);
    std::ostringstream o, e;
    EXPECT_EQ(cli::Run({"--data", (dir.path() / "none").string(), "summary"}, o, e), 1);
}

} // namespace
} // namespace mivra::schedule
