// Dates and weeks on arbitrary six-byte texts and week numbers, in every language the program
// knows a rule for.
#include "dates/Dates.h"
#include "resources/StringTable.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace mivra {
namespace {

constexpr std::string_view kLanguages[] = {"sve",    "Deu", "finnish", "hrvatski", "spanish", "rus",
                                           "polish", "cze", "rom",     "turkish",  "greek",   "esp",
                                           "eng",    "ptg", "italian", "HT",       "G"};

void Require(bool condition) {
    if (!condition)
        std::abort();
}

bool SixDigits(std::string_view text) {
    return text.size() == 6 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

void CheckText(std::string_view text, const dates::MeetingDays& days) {
    const bool isDate = dates::IsDate(text);
    const int week = dates::WeekOf(text);
    Require(isDate || week == 0);
    if (auto date = dates::ParseDateText(text)) {
        // The week found holds the date: its Monday lies 0 … 6 days before it.
        const CivilDate monday = dates::MondayDateOf(week);
        Require(week >= 0 && week <= dates::WeekNumberOf({2099, 12, 31}));
        Require(dates::WeekNumberOf(*date) == week && dates::WeekNumberOf(monday) == week);
    }
    const std::string moved = dates::MeetingDate(text, static_cast<int>(text.size()) % 9, days);
    Require(SixDigits(text) ? SixDigits(moved) : moved == text);
}

void CheckWeek(int week, int flags, int selector, const dates::DateStyle& style,
               const dates::MeetingDays& days, const StringTable& strings) {
    const std::string monday = dates::MondayOf(week);
    Require(dates::IsDate(monday));
    const auto n = static_cast<uint16_t>(week);
    if (n >= 1 && n <= dates::WeekNumberOf({2099, 12, 27}))
        Require(dates::WeekOf(monday) == n);
    dates::OddYear(week, days);
    dates::MeetingYear(week, days);
    const std::string shown = dates::FormatDate(week, flags, selector, style, days, strings);
    Require(week < 0 || week > dates::WeekNumberOf({2099, 12, 31}) || !shown.empty());
    dates::FormatDateText(monday, flags, selector, style, days, strings);
}

} // namespace
} // namespace mivra

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mivra;
    FuzzedDataProvider in(data, size);
    dates::DateStyle style{std::string(in.PickValueInArray(kLanguages)), in.ConsumeBool()};
    dates::MeetingDays days{in.ConsumeIntegralInRange(-2, 9), in.ConsumeIntegralInRange(-2, 9),
                            in.ConsumeBool()};
    const int flags = in.ConsumeIntegral<int>();
    const int selector = in.ConsumeIntegralInRange(-1, 9);
    const int week =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(-10, 70000) : in.ConsumeIntegral<int>();
    const std::string text = in.ConsumeBytesAsString(6);
    const StringTable& strings = StringTable::Swedish();

    CheckText(text, days);
    CheckWeek(week, flags, selector, style, days, strings);
    dates::FormatDateText(text, flags, selector, style, days, strings);
    return 0;
}
