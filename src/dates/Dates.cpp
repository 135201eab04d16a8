#include "dates/Dates.h"

#include "base/Text.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstdint>

namespace mivra::dates {
namespace {

constexpr CivilDate kEpoch{1999, 12, 27};
constexpr CivilDate kFirstDay{2000, 1, 3};
constexpr CivilDate kLastDay{2099, 12, 31};

// The three numbers of a date text; the year is the two-digit one.
struct Ymd {
    int yy = 0;
    int mm = 0;
    int dd = 0;
};

// Days since 1 January 1970 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(const CivilDate& d) {
    int64_t y = static_cast<int64_t>(d.year) - (d.month <= 2 ? 1 : 0);
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t mp = (d.month + 9) % 12;
    int64_t doy = (153 * mp + 2) / 5 + d.day - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(int64_t z) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

CivilDate MondayOfWeek(int64_t weekNumber) {
    return CivilFromDays(DaysFromCivil(kEpoch) + 7 * weekNumber);
}

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int CivilMonthLength(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// The month length of date texts: the two-digit year alone decides February.
int TextMonthLength(int yy, int mm) {
    if (mm == 4 || mm == 6 || mm == 9 || mm == 11)
        return 30;
    if (mm == 2)
        return yy % 4 == 0 ? 29 : 28;
    return 31;
}

std::string Two(int value) {
    int v = static_cast<int>((static_cast<int64_t>(value) % 100 + 100) % 100);
    return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

std::optional<Ymd> SplitDigits(std::string_view text) {
    if (text.size() != 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    auto two = [&](size_t i) { return (text[i] - '0') * 10 + (text[i + 1] - '0'); };
    return Ymd{two(0), two(2), two(4)};
}

std::string JoinDigits(const Ymd& d) {
    return Two(d.yy) + Two(d.mm) + Two(d.dd);
}

// Steps forward on the text's own calendar; year 99 is followed by 00.
Ymd StepDays(Ymd d, int days) {
    d.dd += days;
    while (d.dd > TextMonthLength(d.yy, d.mm)) {
        d.dd -= TextMonthLength(d.yy, d.mm);
        if (++d.mm > 12) {
            d.mm = 1;
            d.yy = (d.yy + 1) % 100;
        }
    }
    return d;
}

int ClampOffset(int offset) {
    return std::clamp(offset, 0, 6);
}

int MeetingOffset(const Ymd& d, const MeetingDays& days) {
    bool odd = d.yy % 2 == 1;
    if (days.serviceYear && d.mm > 8)
        odd = !odd;
    int changeover = days.serviceYear ? 8 : 12;
    if (d.mm == changeover && d.dd > 25)
        odd = !odd;
    return ClampOffset(odd ? days.oddOffset : days.evenOffset);
}

std::string MonthName(int month, bool shortName, const StringTable& strings) {
    if (month < 1 || month > 12)
        return "xxx";
    return strings.Get(shortName ? 1214 + month : 2 + month);
}

void RemoveAll(std::string& s, char c) {
    s.erase(std::remove(s.begin(), s.end(), c), s.end());
}

// Builds the display text of a date already moved to the day shown.
std::string FormatShown(const Ymd& d, int year, int flags, const DateStyle& style,
                        const StringTable& strings) {
    const std::string& code = style.languageCode;
    const bool dot = code == "Deu" || code == "finnish" || code == "hrvatski";
    const bool croatian = code == "hrvatski";
    const bool alt = style.alternativeFormat;
    std::string month = MonthName(d.mm, (flags & kShortMonth) != 0, strings);
    std::string out;
    if (alt) {
        if (code == "spanish" || code == "rus")
            month = text::ToLower(month, code);
        out =
            croatian ? std::to_string(d.dd) + ". " + month : Two(d.dd) + (dot ? ". " : " ") + month;
    } else {
        out =
            croatian ? std::to_string(d.dd) + "." + std::to_string(d.mm) : month + " " + Two(d.dd);
    }
    if (flags & kAppendYear)
        out += (dot ? ". " : ", ") + std::to_string(year);
    if (code == "rus" && alt)
        RemoveAll(out, ',');
    if ((code == "finnish" && alt) || (croatian && !alt))
        RemoveAll(out, ' ');
    return out;
}

} // namespace

bool IsDate(std::string_view text) {
    std::optional<Ymd> d = SplitDigits(text);
    return d && d->mm >= 1 && d->mm <= 12 && d->dd >= 1 && d->dd <= 31;
}

std::string MondayOf(int weekNumber) {
    return DateText(MondayOfWeek(static_cast<uint16_t>(weekNumber)));
}

int WeekOf(std::string_view dateText) {
    if (!IsDate(dateText))
        return 0;
    Ymd d = *SplitDigits(dateText);
    // A day past the month's end sorts before the next month's first day, as the text does.
    int year = 2000 + d.yy;
    return WeekNumberOf({year, d.mm, std::min(d.dd, CivilMonthLength(year, d.mm))});
}

std::string MeetingDate(std::string_view dateText, int selector, const MeetingDays& days) {
    std::optional<Ymd> d = SplitDigits(dateText);
    if (!d)
        return std::string(dateText);
    int offset = selector >= 1 && selector <= 7 ? selector - 1 : MeetingOffset(*d, days);
    if (offset == 0)
        return std::string(dateText);
    return JoinDigits(StepDays(*d, offset));
}

bool OddYear(int weekIndex, const MeetingDays& days) {
    CivilDate monday = MondayOfWeek(static_cast<int64_t>(weekIndex) + 1);
    bool odd = (monday.year & 1) != 0;
    return days.serviceYear && monday.month > 8 ? !odd : odd;
}

int MeetingYear(int weekIndex, const MeetingDays& days) {
    CivilDate monday = MondayOfWeek(static_cast<int64_t>(weekIndex) + 1);
    bool odd = (monday.year & 1) != 0;
    if (monday.month == 12 && monday.day > 25)
        odd = !odd;
    int offset = ClampOffset(odd ? days.oddOffset : days.evenOffset);
    bool intoJanuary = monday.month == 12 && monday.day > 31 - offset;
    return monday.year + (intoJanuary ? 1 : 0);
}

std::string FormatDate(int weekNumber, int flags, int selector, const DateStyle& style,
                       const MeetingDays& days, const StringTable& strings) {
    if (weekNumber < 0 || weekNumber > WeekNumberOf(kLastDay))
        return {};
    CivilDate monday = MondayOfWeek(weekNumber);
    std::string shown = DateText(monday);
    if (!(flags & kNoMeetingShift))
        shown = MeetingDate(shown, selector, days);
    Ymd d = *SplitDigits(shown);
    // The year comes from the calendar, not from the two digits: 1999 only for the epoch's week.
    int year = monday.year + (d.mm < monday.month ? 1 : 0);
    return FormatShown(d, year, flags, style, strings);
}

std::string FormatDateText(std::string_view dateText, int flags, int selector,
                           const DateStyle& style, const MeetingDays& days,
                           const StringTable& strings) {
    std::optional<Ymd> d = SplitDigits(dateText);
    if (!d || d->dd < 1 || d->dd > 31 || d->mm > 12)
        return {};
    if (!(flags & kNoMeetingShift))
        d = SplitDigits(MeetingDate(dateText, selector, days));
    return FormatShown(*d, 2000 + d->yy, flags, style, strings);
}

std::string DateText(const CivilDate& date) {
    return Two(date.year) + Two(date.month) + Two(date.day);
}

std::optional<CivilDate> ParseDateText(std::string_view dateText) {
    if (!IsDate(dateText))
        return std::nullopt;
    Ymd d = *SplitDigits(dateText);
    if (d.dd > CivilMonthLength(2000 + d.yy, d.mm))
        return std::nullopt;
    return CivilDate{2000 + d.yy, d.mm, d.dd};
}

int WeekNumberOf(const CivilDate& date) {
    int64_t weeks = FloorDiv(DaysFromCivil(date) - DaysFromCivil(kEpoch), 7);
    return static_cast<int>(std::clamp<int64_t>(weeks, INT32_MIN, INT32_MAX));
}

CivilDate MondayDateOf(int weekNumber) {
    return MondayOfWeek(weekNumber);
}

std::optional<CivilDate> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    const size_t starts[3] = {0, 5, 8};
    const size_t lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (size_t i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            parts[p] = parts[p] * 10 + (text[i] - '0');
        }
    }
    CivilDate date{parts[0], parts[1], parts[2]};
    if (date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > CivilMonthLength(date.year, date.month))
        return std::nullopt;
    int64_t days = DaysFromCivil(date);
    if (days < DaysFromCivil(kFirstDay) || days > DaysFromCivil(kLastDay))
        return std::nullopt;
    return date;
}

std::string FormatCivil(const CivilDate& date, std::string_view pattern,
                        const StringTable& strings) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] != '%' || (next != 'd' && next != 'b' && next != 'Y' && next != '%')) {
            out += pattern[i];
            continue;
        }
        ++i;
        if (next == 'd')
            out += Two(date.day);
        else if (next == 'b')
            out += MonthName(date.month, true, strings);
        else if (next == 'Y')
            out += std::to_string(date.year);
        else
            out += '%';
    }
    return out;
}

} // namespace mivra::dates
