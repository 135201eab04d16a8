#pragma once

// The store benchmark's large data folder: 5,000 brothers, 1,000 congregations, a full week
// window and 10,000 unavailable weeks; shared by the benchmarks that work on it.
#include "base/Clock.h"
#include "base/FileIo.h"
#include "dates/Dates.h"
#include "support/RecordWriters.h"
#include "support/TempDir.h"
#include "ui/headless/HeadlessHost.h"

#include <random>
#include <string>

namespace mivra::bench {

constexpr CivilDate kToday{2026, 3, 4};
constexpr int kBrothers = 5000;
constexpr int kCongregations = 1000;
constexpr int kBase = 884;

inline std::string RandomName(std::mt19937& rng) {
    static const char* const syllables[] = {"an", "ber", "ö", "gren", "lund", "å",  "ström",
                                            "ek", "dal", "ä", "sson", "berg", "is", "Ö"};
    std::uniform_int_distribution<size_t> pick(0, std::size(syllables) - 1);
    std::string name = "E";
    for (int i = 0; i < 3; ++i)
        name += syllables[pick(rng)];
    return name;
}

inline void WriteLargeFolder(const test::TempDir& dir) {
    std::mt19937 rng(42);
    test::Bytes speakers(256, 0);
    for (int key = 1; key <= kBrothers; ++key) {
        test::Bytes b =
            test::BrotherBytes{.first = RandomName(rng),
                               .last = RandomName(rng),
                               .talks = {1, 17, 200},
                               .roles = 0x16,
                               .congregation = static_cast<uint16_t>(key % kCongregations + 1),
                               .key = static_cast<uint16_t>(key)}
                .Build();
        speakers.insert(speakers.end(), b.begin(), b.end());
    }
    dir.Write("speakers.dat", speakers);

    test::Bytes congregations(256, 0);
    for (int key = 1; key <= kCongregations; ++key) {
        test::Bytes c = test::CongregationBytes{.name = RandomName(rng),
                                                .timeOdd = "10:00",
                                                .key = static_cast<uint16_t>(key),
                                                .weekdayOdd = 0,
                                                .weekdayEven = 6}
                            .Build();
        congregations.insert(congregations.end(), c.begin(), c.end());
    }
    dir.Write("cong.dat", congregations);

    test::Bytes weeks;
    for (int n = 1; n <= 1000; ++n) {
        test::WeekBytes w{.week = static_cast<uint16_t>(kBase + n),
                          .homeSpeaker = static_cast<uint16_t>(n % kBrothers + 1),
                          .homeTalk = static_cast<uint16_t>(n % 230 + 1),
                          .chairman = static_cast<uint16_t>(n % 97 + 1)};
        test::Bytes b = w.Build();
        weeks.insert(weeks.end(), b.begin(), b.end());
    }
    dir.Write("history.dat", weeks);

    const int current = dates::WeekNumberOf(kToday);
    test::Bytes availability;
    for (int i = 0; i < 10000; ++i) {
        test::Bytes a = test::AvailabilityBytes(static_cast<uint16_t>(i % kBrothers + 1),
                                                static_cast<uint16_t>(current + i % 52));
        availability.insert(availability.end(), a.begin(), a.end());
    }
    dir.Write("blackout.dat", availability);
    dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=7\r\n");
}

/** The large folder on disk, with a silent host and today fixed. */
struct LargeFolder {
    LargeFolder() {
        io::SetDurable(false);
        WriteLargeFolder(dir);
        host.SetPermissive(true);
    }
    test::TempDir dir;
    ui::headless::HeadlessHost host;
    FixedClock clock{kToday};
};

} // namespace mivra::bench
