#include "reports/FollowUps.h"

#include "reports/ListFixture.h"
#include "support/CliRun.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using reports::FollowUp;
using Kind = FollowUp::Kind;

class FollowUps : public test::ListTest {
protected:
    static int W() { return CurrentWeek(); }
    static WeekBytes Asked(int offset, int stamp) {
        WeekBytes w = FullWeek(offset);
        w.asked = static_cast<uint16_t>(stamp);
        return w;
    }
    static WeekBytes Confirmed(int offset, int stamp, int reminder = 0) {
        WeekBytes w = Asked(offset, W() - 5);
        w.confirmed = static_cast<uint16_t>(stamp);
        w.reminder = static_cast<uint16_t>(reminder);
        return w;
    }
    void WriteWeeks() {
        WeekBytes event = Asked(8, W() - 10), empty = Week(9), congregationOnly = Week(10);
        event.flags = 0x03;
        empty.asked = static_cast<uint16_t>(W() - 10);
        congregationOnly.homeCongregation = kVastra;
        congregationOnly.asked = static_cast<uint16_t>(W() - 10);
        WriteLists({Asked(-1, W() - 10), Confirmed(0, W() - 1), Confirmed(1, W() - 1, W()),
                    Confirmed(2, W()), Confirmed(3, W() - 1), Asked(4, W() - 2), Asked(5, W() - 3),
                    Asked(6, W() - 4), Asked(7, 0x8001), event, empty, congregationOnly,
                    Asked(11, W() - 10)},
                   {Event(8, 0x02, "Kretssammankomst")});
    }
};

TEST_F(FollowUps, StampsAgainstTheLimitsEventAndEmptyWeeksAndTheRange) {
    WriteWeeks();
    std::vector<std::tuple<Kind, int, int, int>> got;
    for (const FollowUp& f : reports::FollowUps(*doc, {3, 11}))
        got.emplace_back(f.kind, f.weekIndex - Today(), f.stamp, f.weeksSince);
    const std::vector<std::tuple<Kind, int, int, int>> expected = {
        {Kind::Remind, 0, W() - 1, 1},
        {Kind::Remind, 2, W(), 0},
        {Kind::Unconfirmed, 5, W() - 3, 3},
        {Kind::Unconfirmed, 6, W() - 4, 4},
        {Kind::Unconfirmed, 10, W() - 10, 10}};
    EXPECT_EQ(got, expected);
    // A week further ahead joins with more weeks; one answer missing for two weeks with N = 2.
    EXPECT_EQ(reports::FollowUps(*doc, {3, 12}).back().weekIndex, Today() + 11);
    EXPECT_EQ(reports::FollowUps(*doc, {2, 11}).size(), expected.size() + 1);
}

TEST_F(FollowUps, CommandLineLinesAndExitCodes) {
    WriteWeeks();
    test::CliOutcome o = test::RunCli(dir.path(), "followups --after 4 --weeks 7");
    EXPECT_EQ(o.exitCode, 0) << o.err;
    const std::string week0 = std::to_string(W()), week6 = std::to_string(W() + 6);
    EXPECT_EQ(o.out, "remind\t" + week0 + "\t" + doc->FormatDate(W(), 26) +
                         "\tAnders Berg\tVästra\t" + std::to_string(W() - 5) + "\t" +
                         std::to_string(W() - 1) + "\t1\t08-123 45 67\tanders@example.org\n" +
                         "remind\t" + std::to_string(W() + 2) + "\t" +
                         doc->FormatDate(W() + 2, 26) + "\tAnders Berg\tVästra\t" +
                         std::to_string(W() - 5) + "\t" + std::to_string(W()) +
                         "\t0\t08-123 45 67\tanders@example.org\n" + "unconfirmed\t" + week6 +
                         "\t" + doc->FormatDate(W() + 6, 26) + "\tAnders Berg\tVästra\t" +
                         std::to_string(W() - 4) + "\t0\t4\t08-123 45 67\tanders@example.org\n");
    for (const char* usage :
         {"followups --after 0", "followups --after 13", "followups --weeks 53",
          "followups --weeks x", "followups now", "followups --from 2026-01-05"})
        EXPECT_EQ(test::RunCli(dir.path(), usage).exitCode, 2) << usage;
    EXPECT_EQ(test::RunCli(dir.path() / "missing", "followups").exitCode, 1);
}

} // namespace
} // namespace mivra
