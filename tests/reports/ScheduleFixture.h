#pragma once

#include "base/Text.h"
#include "store/CMvDoc.h"
#include "store/Profile.h"
#include "support/DocFixture.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace mivra::test {

/**
 * A data folder for the schedule and its export: a home congregation meeting on Sundays,
 * visiting speakers, home brothers to send out, a host, and weeks given by each test.
 * Weeks are addressed by their offset from today's week.
 */
class ScheduleTest : public DocTest {
protected:
    using Bytes = test::Bytes;
    using WeekBytes = test::WeekBytes;
    using EventBytes = test::EventBytes;

    // Brothers.
    static constexpr uint16_t kAnders = 1; // visiting speaker from Västra, telephone
    static constexpr uint16_t kBo = 2;     // home: chairman
    static constexpr uint16_t kCarl = 3;   // home: reader
    static constexpr uint16_t kOut = 10;   // home brothers 10 … 15 go out
    // Congregations.
    static constexpr uint16_t kHome = 1;
    static constexpr uint16_t kVastra = 2; // meets Saturdays, 10:00 / 13:30
    static constexpr uint16_t kOstra = 3;  // meets Sundays as home does, 11:00
    static constexpr uint16_t kHost = 30001;

    static int Today() { return CurrentWeek() - 1; } ///< today's week index

    /** WriteFolder gives every name its record's most characters (brothers 18 + 18). */
    bool longNames = false;
    std::string Name(std::string name, size_t chars) const {
        if (!longNames)
            return name;
        name += "-Åkesson-Söderström församling i Norra Storstadens kommun";
        return std::string(text::LeftChars(name, chars));
    }

    void WriteFolder(std::initializer_list<WeekBytes> weeks,
                     std::initializer_list<EventBytes> events = {}) {
        Bytes brothers = SlotFile({
            {1, BrotherBytes{.first = Name("Anders", 18),
                             .last = Name("Berg", 18),
                             .phone = "08-123 45 67",
                             .congregation = kVastra,
                             .key = kAnders}
                    .Build()},
            {2,
             BrotherBytes{
                 .first = Name("Bo", 18), .last = Name("Ek", 18), .congregation = kHome, .key = kBo}
                 .Build()},
            {3, BrotherBytes{.first = Name("Carl", 18),
                             .last = Name("Dahl", 18),
                             .congregation = kHome,
                             .key = kCarl}
                    .Build()},
        });
        const char* const out[] = {"Olof", "Per", "Rune", "Sven", "Tore", "Ulf"};
        for (uint16_t i = 0; i < 6; ++i) {
            Bytes b = BrotherBytes{.first = Name(out[i], 18),
                                   .last = Name("Lind", 18),
                                   .congregation = kHome,
                                   .key = static_cast<uint16_t>(kOut + i)}
                          .Build();
            brothers.resize(static_cast<size_t>(kOut + i + 1) * 256, 0);
            std::copy(b.begin(), b.end(), brothers.end() - 256);
        }
        dir.Write("speakers.dat", brothers);
        dir.Write("cong.dat", SlotFile({{1, CongregationBytes{.name = "Hemby",
                                                              .timeOdd = "10:00",
                                                              .key = kHome,
                                                              .weekdayOdd = 0,
                                                              .weekdayEven = 0}
                                                .Build()},
                                        {2, CongregationBytes{.name = Name("Västra", 48),
                                                              .timeOdd = "10:00",
                                                              .timeEven = "13:30",
                                                              .key = kVastra,
                                                              .weekdayOdd = 6,
                                                              .weekdayEven = 6}
                                                .Build()},
                                        {3, CongregationBytes{.name = Name("Östra", 48),
                                                              .timeOdd = "11:00",
                                                              .timeEven = "11:00",
                                                              .key = kOstra}
                                                .Build()}}));
        dir.Write("hospital.dat", HostBytes(Name("Familjen Holm", 28), kHost));
        Bytes history;
        for (const WeekBytes& w : weeks) {
            Bytes b = w.Build();
            history.insert(history.end(), b.begin(), b.end());
        }
        dir.Write("history.dat", history);
        Bytes special;
        for (const EventBytes& e : events) {
            Bytes b = e.Build();
            special.insert(special.end(), b.begin(), b.end());
        }
        dir.Write("special.dat", special);
        dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=1\r\n");
    }

    /** The week record `offset` weeks after today's, as the program would store it. */
    static WeekBytes Week(int offset) {
        return WeekBytes{.week = static_cast<uint16_t>(Today() + offset + 1)};
    }
    /** An ordinary week with a visiting speaker, his talk, chairman, reader and host. */
    static WeekBytes FullWeek(int offset, uint16_t talk = 12) {
        WeekBytes w = Week(offset);
        w.homeSpeaker = kAnders;
        w.homeTalk = talk;
        w.homeCongregation = kVastra;
        w.chairman = kBo;
        w.reader = kCarl;
        w.host = kHost;
        return w;
    }
    /** Fills outgoing slot `slot` with home brother kOut + slot going to a congregation. */
    static void SendOut(WeekBytes& w, size_t slot, uint16_t congregation = kVastra,
                        uint16_t talk = 45) {
        w.outSpeaker[slot] = static_cast<uint16_t>(kOut + slot);
        w.outCongregation[slot] = congregation;
        w.outTalk[slot] = talk;
    }
    static EventBytes Event(int offset, uint16_t flags, std::string name, std::string theme = {}) {
        return EventBytes{.weekIndex = static_cast<uint16_t>(Today() + offset),
                          .flags = flags,
                          .name = std::move(name),
                          .theme = std::move(theme)};
    }

    /** The default report fonts, as a fresh profile gives them. */
    ReportFonts DefaultFonts() const {
        ReportFonts fonts;
        LoadFonts(Profile{}, strings, "sve", false, fonts);
        return fonts;
    }
};

} // namespace mivra::test
