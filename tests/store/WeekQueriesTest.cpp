#include "store/WeekQueries.h"

#include "support/DocFixture.h"

#include <algorithm>

namespace mivra {
namespace {

using test::WeekBytes;

class WeekQueries : public test::DocTest {
protected:
    /** Writes the weeks (by week index, in any order) as the week file and loads it. */
    CMvDoc& LoadWeeks(std::vector<std::pair<int, WeekBytes>> weeks) {
        std::sort(weeks.begin(), weeks.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        test::Bytes file;
        for (auto& [index, week] : weeks) {
            week.week = static_cast<uint16_t>(index + 1);
            test::Bytes b = week.Build();
            file.insert(file.end(), b.begin(), b.end());
        }
        dir.Write("history.dat", file);
        return LoadQuietly();
    }
    static std::array<uint16_t, 6> Out(size_t slot, uint16_t brother) {
        std::array<uint16_t, 6> out{};
        out[slot] = brother;
        return out;
    }
};

TEST_F(WeekQueries, WeekDutyOfTakesTheFirstDutyInItsOrderSkippingTheExcludedOne) {
    const int a = kBase + 100, b = a + 1, c = a + 2, d = a + 3, e = a + 4;
    CMvDoc& doc = LoadWeeks({
        {a, {.homeSpeaker = 7, .chairman = 7, .reader = 7, .host = 7, .outSpeaker = Out(3, 7)}},
        {b, {.chairman = 7, .outSpeaker = Out(0, 7)}},
        {c, {.homeSpeaker = 7, .chairman = 7, .reader = 7}},
        {d, {.chairman = 7, .reader = 7}},
        {e, {.homeSpeaker = 8, .host = 7}},
        {e + 1, {.chairman = 40000}},
    });
    struct Case {
        int week, excluded, duty;
    } cases[] = {{a, 0, kDutyOutgoing},    {a, 2, kDutyHomeSpeaker}, {a, 1, kDutyOutgoing},
                 {a, 3, kDutyOutgoing},    {b, 2, kDutyChairman},    {c, 1, kDutyChairman},
                 {c, 3, kDutyHomeSpeaker}, {d, 3, kDutyReader},      {d, 4, kDutyChairman},
                 {e, 0, kNoDuty}};
    for (const Case& k : cases)
        EXPECT_EQ(WeekDutyOf(doc, 7, k.week, k.excluded), k.duty)
            << "week " << k.week - a << " excluded " << k.excluded;
    EXPECT_EQ(WeekDutyOf(doc, 0, d + 10, 0), kNoDuty) << "key 0 never matches an empty field";
    EXPECT_EQ(WeekDutyOf(doc, 40000, e + 1, 0), kDutyChairman) << "keys above 32767";
    for (int outside : {-5, kBase - 1, kBase + 1000, 70000})
        EXPECT_EQ(WeekDutyOf(doc, 7, outside, 0), kNoDuty) << outside;
}

TEST_F(WeekQueries, BackwardScansFindTheLatestWeekAndStopAboveTheWindowsFirstSlot) {
    CMvDoc& doc = LoadWeeks({
        {kBase, {.homeSpeaker = 9, .outSpeaker = Out(0, 9)}},
        {kBase + 1, {.homeSpeaker = 7}},
        {kBase + 30, {.homeSpeaker = 7, .outSpeaker = Out(5, 7)}},
        {kBase + 50, {.homeSpeaker = 7}},
        {kBase + 999, {.outSpeaker = Out(2, 7)}},
    });
    EXPECT_EQ(LastHomeTalkWeek(doc, 7, kBase + 50), kBase + 51) << "the start week counts";
    EXPECT_EQ(LastHomeTalkWeek(doc, 7, kBase + 49), kBase + 31);
    EXPECT_EQ(LastHomeTalkWeek(doc, 7, kBase + 29), kBase + 2);
    EXPECT_EQ(LastHomeTalkWeek(doc, 9, kBase + 500), 0) << "the first slot is never examined";
    EXPECT_EQ(LastOutgoingWeek(doc, 9, kBase + 500), 0);
    EXPECT_EQ(LastHomeTalkWeek(doc, 7, 70000), kBase + 51) << "a start above the window";
    EXPECT_EQ(LastHomeTalkWeek(doc, 7, -4), 0);
    EXPECT_EQ(LastOutgoingWeek(doc, 7, kBase + 998), kBase + 31) << "slot 6 counts";
    EXPECT_EQ(LastOutgoingWeek(doc, 7, kBase + 999), kBase + 1000) << "the window's last week";
    EXPECT_EQ(LastOutgoingWeek(doc, 7, kBase + 29), 0);
    EXPECT_EQ(LastHomeTalkWeek(doc, 0, kBase + 500), 0);
    EXPECT_EQ(LastOutgoingWeek(doc, 0, kBase + 500), 0);
}

TEST_F(WeekQueries, AStartOfZeroCountsFromTheFirstShownWeek) {
    const int f = CurrentWeek(); // firstShownWeek from load on
    CMvDoc& doc = LoadWeeks({
        {f + 20, {.homeSpeaker = 7, .outSpeaker = Out(1, 10)}},
        {f + 21, {.homeSpeaker = 8, .outSpeaker = Out(1, 11)}},
        {f + 52, {.homeTalk = 12}},
        {f + 53, {.homeTalk = 13}},
    });
    ASSERT_EQ(doc.FirstShownWeek(), f);
    EXPECT_EQ(LastHomeTalkWeek(doc, 7, 0), f + 21);
    EXPECT_EQ(LastHomeTalkWeek(doc, 8, 0), 0);
    EXPECT_EQ(LastOutgoingWeek(doc, 10, 0), f + 21);
    EXPECT_EQ(LastOutgoingWeek(doc, 11, 0), 0);
    EXPECT_EQ(LastTalkWeek(doc, 12, 0), f + 53) << "a year past the first shown week";
    EXPECT_EQ(LastTalkWeek(doc, 13, 0), 0);
    EXPECT_EQ(LastTalkWeek(doc, 13, f + 1), f + 54);
    EXPECT_EQ(LastTalkWeek(doc, 12, f - 1), 0) << "the scan starts 52 weeks after fromIndex";
    EXPECT_EQ(LastTalkWeek(doc, 0, f), 0);

    doc.SetFirstShownWeek(f + 1);
    EXPECT_EQ(LastHomeTalkWeek(doc, 8, 0), f + 22);
    EXPECT_EQ(LastTalkWeek(doc, 13, 0), f + 54);
}

TEST_F(WeekQueries, NearestOutgoingWeekLooksSevenWeeksEitherSideAndPrefersTheEarlier) {
    const int w = kBase + 100;
    CMvDoc& doc = LoadWeeks({
        {kBase + 7, {.outSpeaker = Out(0, 20)}},
        {kBase + 8, {.outSpeaker = Out(0, 21)}},
        {w - 8, {.outSpeaker = Out(4, 11)}},
        {w - 7, {.outSpeaker = Out(0, 9)}},
        {w - 3, {.outSpeaker = Out(0, 7)}},
        {w - 2, {.outSpeaker = Out(1, 8)}},
        {w - 1, {.outSpeaker = Out(0, 12)}},
        {w, {.homeSpeaker = 13, .outSpeaker = Out(5, 12)}},
        {w + 1, {.outSpeaker = Out(0, 8)}},
        {w + 3, {.outSpeaker = Out(2, 7)}},
        {w + 7, {.outSpeaker = Out(0, 10)}},
        {w + 8, {.outSpeaker = Out(0, 11)}},
    });
    EXPECT_EQ(NearestOutgoingWeek(doc, 7, w), w - 3) << "a tie goes to the earlier week";
    EXPECT_EQ(NearestOutgoingWeek(doc, 8, w), w + 1);
    EXPECT_EQ(NearestOutgoingWeek(doc, 9, w), w - 7);
    EXPECT_EQ(NearestOutgoingWeek(doc, 10, w), w + 7);
    EXPECT_EQ(NearestOutgoingWeek(doc, 11, w), 0) << "eight weeks away";
    EXPECT_EQ(NearestOutgoingWeek(doc, 12, w), w) << "the week itself";
    EXPECT_EQ(NearestOutgoingWeek(doc, 13, w), 0) << "a home talk is not going out";
    EXPECT_EQ(NearestOutgoingWeek(doc, 20, kBase + 7), 0) << "too near the window's start";
    EXPECT_EQ(NearestOutgoingWeek(doc, 21, kBase + 8), kBase + 8);
    EXPECT_EQ(NearestOutgoingWeek(doc, 0, w), 0);
    EXPECT_EQ(NearestOutgoingWeek(doc, 7, kBase + 1500), 0);
}

TEST_F(WeekQueries, BusyWeeksAreCountedOverFiftyFiveWeeksFromTheCurrentWeekNumber) {
    const int c = CurrentWeek();
    CMvDoc& doc = LoadWeeks({
        {c - 1, {.chairman = 7}},
        {c, {.homeSpeaker = 7}},
        {c + 10, {.chairman = 7, .reader = 7}},
        {c + 20, {.host = 7}},
        {c + 54, {.outSpeaker = Out(2, 7)}},
        {c + 55, {.chairman = 7}},
    });
    EXPECT_EQ(BusyWeekCount(doc, 7), 3) << "a week with two duties counts once; hosts do not";
    EXPECT_EQ(BusyWeekCount(doc, 0), 0);
    EXPECT_EQ(BusyWeekCount(doc, 8), 0);
}

} // namespace
} // namespace mivra
