#pragma once

#include "base/Clock.h"

#include <optional>
#include <string>
#include <string_view>

namespace mivra {
class StringTable;
}

// Dates and weeks. A date text is six digits YYMMDD (the year is 2000 + YY in all week
// arithmetic); week number n is the week whose Monday is 27 December 1999 + 7n days.
namespace mivra::dates {

/** Flags of FormatDate. Other bits have no effect. */
enum FormatFlags : int {
    kAppendYear = 0x02,
    kShortMonth = 0x08,
    kNoMeetingShift = 0x20,
};

/** The home congregation's meeting days (offsets from Monday) and the year rule. */
struct MeetingDays {
    int oddOffset = 6;
    int evenOffset = 6;
    bool serviceYear = false; ///< the change follows September–August instead of the calendar
};

/** How dates are shown: the language code and the alternative (day first) format. */
struct DateStyle {
    std::string languageCode = "sve";
    bool alternativeFormat = false;
};

/** Six digits, month 01–12, day 01–31 (the day is not compared with the month's length). */
bool IsDate(std::string_view text);
/** The Monday of a week number as a date text; n counts as an unsigned 16-bit number. */
std::string MondayOf(int weekNumber);
/**
 * The week number of the week that contains a date text (0 for 1 and 2 January 2000; a "99…"
 * text lies in 2099). A day past the month's end counts as its last day; not a date gives 0.
 */
int WeekOf(std::string_view dateText);
/**
 * The date text moved from its Monday to the meeting day (selector 0) or weekday 1–7
 * (1 = Monday); another selector counts as 0. A text that is not six digits comes back as is.
 */
std::string MeetingDate(std::string_view dateText, int selector, const MeetingDays& days);
/** Whether a week index counts as an odd year for meeting times. */
bool OddYear(int weekIndex, const MeetingDays& days);
/** The four-digit year in which the meeting of a week index falls. */
int MeetingYear(int weekIndex, const MeetingDays& days);
/**
 * A week number as display text in the user's language; empty when the week's Monday is not a
 * date of 1999-12-27 … 2099-12-31. The appended year is the calendar year of the day shown.
 */
std::string FormatDate(int weekNumber, int flags, int selector, const DateStyle& style,
                       const MeetingDays& days, const StringTable& strings);
/**
 * A date text (YY taken as 20YY) as FormatDate shows it: empty unless six digits with day
 * 01–31 and month 00–12; month 00 is named "xxx".
 */
std::string FormatDateText(std::string_view dateText, int flags, int selector,
                           const DateStyle& style, const MeetingDays& days,
                           const StringTable& strings);

/** Civil-date helpers shared by the store, the reports and the command lines. */
/** "YYMMDD" of a date (the year modulo 100). */
std::string DateText(const CivilDate& date);
/** The date of a date text in 2000–2099; nothing unless it is a real calendar day. */
std::optional<CivilDate> ParseDateText(std::string_view dateText);
/** The week number containing a date: negative before the epoch, unbounded after 2099. */
int WeekNumberOf(const CivilDate& date);
/** The Monday of any week number (signed, no wrap). */
CivilDate MondayDateOf(int weekNumber);
/** Parses "YYYY-MM-DD"; nothing when malformed or outside 2000-01-03 … 2099-12-31. */
std::optional<CivilDate> ParseIsoDate(std::string_view text);
/** Formats with "%d" (two-digit day), "%b" (short month from the table), "%Y" (year). */
std::string FormatCivil(const CivilDate& date, std::string_view pattern,
                        const StringTable& strings);

} // namespace mivra::dates
