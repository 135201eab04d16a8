#include "dates/Dates.h"

#include "resources/StringTable.h"

#include <climits>
#include <gtest/gtest.h>

namespace mivra::dates {
namespace {

const StringTable& Sv() {
    return StringTable::Swedish();
}

// Sunday in both years, as in the worked examples.
const MeetingDays kSundays{6, 6, false};

std::string Show(int week, int flags, std::string code = "sve", bool alt = false) {
    return FormatDate(week, flags, 0, DateStyle{std::move(code), alt}, kSundays, Sv());
}

int IndexOf(CivilDate monday) {
    return WeekNumberOf(monday) - 1;
}

TEST(Dates, IsDateChecksLengthDigitsMonthAndDayButNotMonthLength) {
    EXPECT_TRUE(IsDate("000131"));
    EXPECT_TRUE(IsDate("000231")) << "the day is not compared with the month";
    for (const char* bad :
         {"000100", "001301", "000132", "000000", "00013", "0001311", "00a131", "+00131", ""})
        EXPECT_FALSE(IsDate(bad)) << bad;
}

TEST(Dates, MondayOfCountsWeeksFromTheEpochAsAnUnsigned16BitNumber) {
    EXPECT_EQ(MondayOf(0), "991227");
    EXPECT_EQ(MondayOf(1), "000103");
    EXPECT_EQ(MondayOf(9), "000228");
    EXPECT_EQ(MondayOf(10), "000306") << "2000 is a leap year";
    EXPECT_EQ(MondayOf(-1), MondayOf(65535));
    EXPECT_EQ(MondayOf(65536), MondayOf(0));
}

TEST(Dates, WeekOfFindsTheWeekThatContainsTheDate) {
    EXPECT_EQ(WeekOf("000101"), 0);
    EXPECT_EQ(WeekOf("000102"), 0);
    EXPECT_EQ(WeekOf("000103"), 1);
    EXPECT_EQ(WeekOf("000105"), 1);
    EXPECT_EQ(WeekOf("000109"), 1);
    EXPECT_EQ(WeekOf("000110"), 2);
    EXPECT_EQ(WeekOf("000231"), 9) << "a day past the month's end stays in its month";
    EXPECT_EQ(WeekOf("000431"), 17);
    EXPECT_EQ(WeekOf("nodate"), 0);
}

TEST(Dates, WeekOfKeepsEveryAnswerOfTheOldRangeAndGoesOnPastIt) {
    for (int week = 1; week <= 1999; ++week) {
        std::string monday = MondayOf(week);
        ASSERT_EQ(WeekOf(monday), week) << monday;
        ASSERT_EQ(WeekOf(MeetingDate(monday, 7, kSundays)), week) << "Sunday of " << monday;
    }
    // The old count stopped at 1999 weeks, in April 2038.
    EXPECT_EQ(WeekOf(MondayOf(2000)), 2000);
    EXPECT_EQ(WeekOf("380601"), WeekNumberOf({2038, 6, 1}));
    EXPECT_GT(WeekOf("380601"), 1999);
    // "99" is 2099 in week arithmetic; 30 December 1999 is no longer pinned to 1999.
    EXPECT_EQ(WeekOf("991230"), WeekNumberOf({2099, 12, 30}));
}

TEST(Dates, CivilHelpersRejectImpossibleDaysAndCountWeeksBeforeTheEpoch) {
    EXPECT_EQ(ParseDateText("000229"), (CivilDate{2000, 2, 29}));
    EXPECT_FALSE(ParseDateText("010229").has_value());
    EXPECT_FALSE(ParseDateText("000431").has_value());
    EXPECT_EQ(WeekNumberOf({1999, 12, 26}), -1);
    EXPECT_EQ(MondayDateOf(-1), (CivilDate{1999, 12, 20}));
}

TEST(Dates, ParseIsoDateAcceptsOnlyTheSupportedRange) {
    EXPECT_EQ(ParseIsoDate("2000-01-03"), (CivilDate{2000, 1, 3}));
    EXPECT_EQ(ParseIsoDate("2099-12-31"), (CivilDate{2099, 12, 31}));
    EXPECT_EQ(ParseIsoDate("2024-02-29"), (CivilDate{2024, 2, 29}));
    for (const char* bad :
         {"2000-01-02", "2100-01-01", "1999-12-31", "2023-02-29", "2000-13-01", "2000-00-10",
          "2000-1-03", " 2000-01-03", "2000/01/03", "2000-01-03x", "20a0-01-03", ""})
        EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
}

TEST(Dates, MeetingDateUsesTheParityOfTheYearAndTheChangeoverAfterThe25th) {
    MeetingDays days{3, 6, false}; // Thursday in odd years, Sunday in even years
    EXPECT_EQ(MeetingDate("041220", 0, days), "041226");
    EXPECT_EQ(MeetingDate("041227", 0, days), "041230") << "the odd year's day from 26 Dec";
    EXPECT_EQ(MeetingDate("050103", 0, days), "050106");
    EXPECT_EQ(MeetingDate("041227", 1, days), "041227") << "selector 1 is Monday";
    EXPECT_EQ(MeetingDate("041227", 7, days), "050102") << "selector 7 is Sunday";
    EXPECT_EQ(MeetingDate("990227", 4, days), "990302");
    EXPECT_EQ(MeetingDate("bad", 0, days), "bad");
}

TEST(Dates, MeetingDateWithTheServiceYearChangesOverInAugust) {
    MeetingDays days{3, 6, true};
    EXPECT_EQ(MeetingDate("040802", 0, days), "040808") << "even before September";
    EXPECT_EQ(MeetingDate("040830", 0, days), "040902") << "changeover after 25 August";
    EXPECT_EQ(MeetingDate("040906", 0, days), "040909") << "September counts as odd";
    EXPECT_EQ(MeetingDate("041227", 0, days), "041230") << "no December changeover";
}

TEST(Dates, OddYearFollowsTheCalendarOrTheServiceYear) {
    MeetingDays calendar{3, 6, false};
    MeetingDays service{3, 6, true};
    EXPECT_FALSE(OddYear(IndexOf({2004, 9, 6}), calendar));
    EXPECT_TRUE(OddYear(IndexOf({2004, 9, 6}), service));
    EXPECT_TRUE(OddYear(IndexOf({2005, 3, 7}), calendar));
    EXPECT_FALSE(OddYear(IndexOf({2004, 12, 27}), calendar)) << "no changeover-day rule here";
}

TEST(Dates, MeetingYearRollsIntoJanuaryWhenTheMeetingDayIsPastDecember) {
    EXPECT_EQ(MeetingYear(IndexOf({2004, 12, 27}), MeetingDays{6, 6, false}), 2005);
    EXPECT_EQ(MeetingYear(IndexOf({2004, 12, 27}), MeetingDays{3, 6, false}), 2004);
    EXPECT_EQ(MeetingYear(IndexOf({2005, 12, 26}), MeetingDays{3, 6, false}), 2006);
    EXPECT_EQ(MeetingYear(IndexOf({2005, 12, 19}), MeetingDays{6, 6, false}), 2005);
    EXPECT_EQ(MeetingYear(-1, kSundays), 2000) << "the epoch's own week meets on 2 January 2000";
}

TEST(Dates, FormatDateWorkedExamples) {
    EXPECT_EQ(Show(1, 0), "Januari 09");
    EXPECT_EQ(Show(1, kAppendYear), "Januari 09, 2000");
    EXPECT_EQ(Show(1, kShortMonth | kAppendYear), "Jan 09, 2000");
    EXPECT_EQ(Show(1, kShortMonth, "sve", true), "09 Jan");
    EXPECT_EQ(Show(1, kNoMeetingShift), "Januari 03");
    EXPECT_EQ(Show(1, 26), "Jan 09, 2000") << "bit 16 has no effect";
    EXPECT_EQ(Show(1, 9), "Jan 09") << "bit 1 has no effect";
}

TEST(Dates, FormatDateAppendsTheCalendarCentury) {
    EXPECT_EQ(Show(WeekNumberOf({2035, 3, 5}), kAppendYear), "Mars 11, 2035");
    EXPECT_EQ(Show(WeekNumberOf({2099, 6, 1}), kAppendYear), "Juni 07, 2099");
    EXPECT_EQ(Show(0, kAppendYear | kNoMeetingShift), "December 27, 1999");
    EXPECT_EQ(Show(0, kAppendYear), "Januari 02, 2000");
    EXPECT_EQ(Show(0, kAppendYear, "Deu"), "Januari 02. 2000");
}

TEST(Dates, FormatDateOfAWeekOutsideTheCalendarIsEmpty) {
    for (int week : {-1, -520, WeekNumberOf({2100, 1, 4}), 65535, 100000, INT_MAX, INT_MIN})
        EXPECT_EQ(Show(week, kAppendYear), "") << week;
    EXPECT_FALSE(Show(WeekNumberOf({2099, 12, 31}), kAppendYear).empty());
}

TEST(Dates, FormatDateLanguageRules) {
    struct Case {
        const char* code;
        bool alt;
        const char* expected;
    } cases[] = {
        {"Deu", false, "Januari 09. 2000"},     {"Deu", true, "09. Januari. 2000"},
        {"finnish", false, "Januari 09. 2000"}, {"finnish", true, "09.Januari.2000"},
        {"hrvatski", false, "9.1.2000"},        {"hrvatski", true, "9. Januari. 2000"},
        {"spanish", false, "Januari 09, 2000"}, {"spanish", true, "09 januari, 2000"},
        {"rus", false, "Januari 09, 2000"},     {"rus", true, "09 januari 2000"},
        {"eng", true, "09 Januari, 2000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(1, kAppendYear, c.code, c.alt), c.expected) << c.code << " " << c.alt;
    EXPECT_EQ(Show(1, 0, "finnish", true), "09.Januari");
    EXPECT_EQ(Show(WeekNumberOf({2000, 10, 16}), 0, "hrvatski"), "22.10");
}

TEST(Dates, FormatDateTextNamesMonthZeroAndRefusesImpossibleDays) {
    DateStyle sve;
    EXPECT_EQ(FormatDateText("000009", kNoMeetingShift, 0, sve, kSundays, Sv()), "xxx 09");
    EXPECT_EQ(FormatDateText("000032", 0, 0, sve, kSundays, Sv()), "");
    EXPECT_EQ(FormatDateText("001301", 0, 0, sve, kSundays, Sv()), "");
    EXPECT_EQ(FormatDateText("0001a3", 0, 0, sve, kSundays, Sv()), "");
    EXPECT_EQ(FormatDateText("000103", kAppendYear, 0, sve, kSundays, Sv()), "Januari 09, 2000");
}

TEST(Dates, FormatCivilForStatusBarAndDateStamp) {
    EXPECT_EQ(FormatCivil({2024, 3, 5}, "%b %d, %Y", Sv()), "Mar 05, 2024");
    EXPECT_EQ(FormatCivil({2024, 10, 15}, " %d %b %Y", Sv()), " 15 Okt 2024");
    EXPECT_EQ(FormatCivil({2024, 3, 5}, "100%% %q %", Sv()), "100% %q %");
}

} // namespace
} // namespace mivra::dates
