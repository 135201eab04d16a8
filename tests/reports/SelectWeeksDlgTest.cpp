#include "app/ShellParts.h"
#include "reports/CSelectWeeksDlg.h"
#include "reports/ScheduleFixture.h"
#include "ui/headless/HeadlessDialog.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using reports::CSelectWeeksDlg;
using Mode = CSelectWeeksDlg::Mode;
using ui::headless::HeadlessDialog;

constexpr int kStarts = CSelectWeeksDlg::kStartList;
constexpr int kCounts = CSelectWeeksDlg::kCountList;
constexpr int kExport = CSelectWeeksDlg::kExport;

class SelectWeeks : public test::ScheduleTest {
protected:
    /** Weeks with a speaker at week indexes W + 1 … W + last (W = the current week number). */
    void ScheduleThrough(int last, std::initializer_list<int> open = {}) {
        std::vector<WeekBytes> weeks;
        for (int k = 1; k <= last; ++k)
            if (std::find(open.begin(), open.end(), k) == open.end())
                weeks.push_back(FullWeek(k + 1)); // index Today() + k + 1 = W + k
        Bytes history;
        for (const WeekBytes& w : weeks) {
            Bytes b = w.Build();
            history.insert(history.end(), b.begin(), b.end());
        }
        WriteFolder({});
        dir.Write("history.dat", history);
        Load();
    }
    std::string ListDate(int weekIndex) const { return doc->FormatDate(weekIndex + 1, 26); }
    std::string TitleFor(int count, int weekIndex) const {
        return std::to_string(count) + " Veckor med start " + doc->FormatDate(weekIndex + 1, 2);
    }
    static int W() { return CurrentWeek(); }
};

TEST_F(SelectWeeks, ScheduleModeOffersTwentySixWeeksFromFiveBackAndTodaysOnTop) {
    ScheduleThrough(20, {3});
    CSelectWeeksDlg dialog(*doc, Mode::Schedule);
    HeadlessDialog d(host, dialog);
    std::vector<std::string> rows = d.Rows(kStarts);
    ASSERT_EQ(rows.size(), 26u);
    EXPECT_EQ(rows.front(), ListDate(W() - 5));
    EXPECT_EQ(rows.back(), ListDate(W() + 20));
    EXPECT_EQ(static_cast<int>(d.RowData(kStarts, 0)), W() - 5);
    EXPECT_EQ(d.Selection(kStarts), 4) << "today's week, index W − 1";
    EXPECT_EQ(d.TopIndex(kStarts), 4);
    EXPECT_EQ(d.Rows(kCounts).size(), 52u);
    EXPECT_EQ(d.Rows(kCounts)[0], "1");
    EXPECT_EQ(d.Selection(kCounts), 3) << "k = 3, the first week without a speaker: count 4";
    EXPECT_TRUE(d.IsShown(kExport));
    EXPECT_EQ(d.Title(), TitleFor(4, W() - 1));
    d.Cancel();
}

TEST_F(SelectWeeks, ThePreselectedCountSkipsEventWeeksAndFallsBackToTwo) {
    WriteFolder({[] {
        WeekBytes w = Week(2); // index W + 1: an assembly, then W + 2 is open
        w.flags = 0x03;
        return w;
    }()});
    Load();
    {
        CSelectWeeksDlg dialog(*doc, Mode::Schedule);
        HeadlessDialog d(host, dialog);
        EXPECT_EQ(d.Selection(kCounts), 2);
        d.Cancel();
    }
    ScheduleThrough(25);
    CSelectWeeksDlg full(*doc, Mode::Schedule);
    HeadlessDialog f(host, full);
    EXPECT_EQ(f.Selection(kCounts), 1) << "nothing open within 20 weeks: k = 1";
    f.Cancel();
}

TEST_F(SelectWeeks, TheTitleFollowsEverySelectionAndOkGivesTheRange) {
    ScheduleThrough(0);
    host.OnDialog(CSelectWeeksDlg::kTemplate, [this](HeadlessDialog& d) {
        d.Select(kStarts, 0);
        EXPECT_EQ(d.Title(), TitleFor(2, W() - 5));
        d.Select(kCounts, 9);
        EXPECT_EQ(d.Title(), TitleFor(10, W() - 5));
        d.Ok();
    });
    std::optional<CSelectWeeksDlg::Range> range = app::ChooseScheduleWeeks(*doc, host);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->startWeek, W() - 5);
    EXPECT_EQ(range->weekCount, 10);

    host.OnDialog(CSelectWeeksDlg::kTemplate, [](HeadlessDialog& d) { d.Cancel(); });
    EXPECT_FALSE(app::ChooseScheduleWeeks(*doc, host));
}

TEST_F(SelectWeeks, ExportWritesTheRangeAndClosesWithoutAReport) {
    ScheduleThrough(2);
    host.OnDialog(CSelectWeeksDlg::kTemplate, [](HeadlessDialog& d) {
        d.Select(kCounts, 2).Press(kExport);
        EXPECT_FALSE(d.IsOpen());
        EXPECT_EQ(d.EndCode(), CSelectWeeksDlg::kExported);
    });
    EXPECT_FALSE(app::ChooseScheduleWeeks(*doc, host));
    std::vector<std::string> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Schemat har exporterats till en tabavgränsad fil med namnet\n\n" +
                               Path("ptsched.txt") + ".");
    std::string text = dir.ReadText("ptsched.txt");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 3) << "header, empty line, 3 weeks";
}

TEST_F(SelectWeeks, ShortModeHasThirtyNineStartsEighteenCountsAndNoExport) {
    ScheduleThrough(19);
    CSelectWeeksDlg dialog(*doc, Mode::Short);
    HeadlessDialog d(host, dialog);
    EXPECT_EQ(d.Rows(kStarts).size(), 39u);
    EXPECT_EQ(d.Rows(kStarts).front(), ListDate(W() - 5));
    EXPECT_EQ(d.Selection(kStarts), 4);
    EXPECT_EQ(d.Rows(kCounts).size(), 18u);
    EXPECT_EQ(d.Selection(kCounts), 17) << "k = 20 gives 21, held to the last count";
    EXPECT_FALSE(d.IsShown(kExport));
    d.Cancel();

    CSelectWeeksDlg schedule(*doc, Mode::Schedule);
    HeadlessDialog s(host, schedule);
    EXPECT_EQ(s.Selection(kCounts), 20);
    s.Cancel();
}

TEST_F(SelectWeeks, WorksheetModeStartsAtTheFirstWeekWithTodaysWeekSelected) {
    ScheduleThrough(0);
    CSelectWeeksDlg dialog(*doc, Mode::Worksheet);
    HeadlessDialog d(host, dialog);
    std::vector<std::string> rows = d.Rows(kStarts);
    ASSERT_EQ(static_cast<int>(rows.size()), W() + 26);
    EXPECT_EQ(d.RowData(kStarts, 0), 0u);
    EXPECT_EQ(rows.back(), ListDate(W() + 25));
    EXPECT_EQ(d.Selection(kStarts), W() - 1);
    EXPECT_EQ(d.TopIndex(kStarts), W() - 8);
    EXPECT_EQ(d.Rows(kCounts).size(), 144u);
    EXPECT_EQ(d.Selection(kCounts), 35);
    EXPECT_EQ(d.TopIndex(kCounts), 28);
    EXPECT_FALSE(d.IsShown(kExport));
    EXPECT_EQ(d.Title(), TitleFor(36, W() - 1));
    d.Cancel();
}

} // namespace
} // namespace mivra
