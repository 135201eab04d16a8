#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace mivra {

/** Bits of WeekRecord::weekFlags. */
enum WeekFlags : uint16_t {
    kWeekInUse = 0x01,          ///< the record carries data and is written to the week file
    kWeekAssembly = 0x02,       ///< "Sammankomst" takes the week
    kWeekOverseerVisit = 0x04,  ///< "KT-besök" takes the week
    kWeekOtherEvent = 0x08,     ///< "Särskild händelse" takes the week
    kWeekChairmanAnyway = 0x10, ///< a chairman may still be scheduled in this event week
    kWeekHostAnyway = 0x20,
    kWeekReaderAnyway = 0x40,
    kWeekEventKinds = kWeekAssembly | kWeekOverseerVisit | kWeekOtherEvent,
    /** What an event sets in its week: its kind and the schedule-anyway bits. */
    kWeekEventBits = kWeekEventKinds | kWeekChairmanAnyway | kWeekHostAnyway | kWeekReaderAnyway,
};

/** One week of the schedule: the record of "history.dat" and of the in-memory window. */
struct WeekRecord {
    static constexpr size_t kSize = 64;
    static constexpr size_t kOutSlots = 6;

    uint16_t weekNumber = 0; ///< week index + 1; never 0 in a stored record
    int16_t homeSpeaker = 0;
    uint16_t homeTalk = 0;
    int16_t homeCongregation = 0;
    int16_t asked = 0;      ///< "Tillfrågad": 0, or a non-zero stamp
    uint16_t confirmed = 0; ///< "Bekräftad"
    int16_t reminder = 0;   ///< "Påminnelse"
    int16_t chairman = 0;
    int16_t reader = 0;
    int16_t host = 0; ///< host id
    uint16_t weekFlags = 0;
    std::array<uint8_t, 6> reserved{}; ///< written back as read
    std::array<int16_t, kOutSlots> outSpeaker{};
    std::array<int16_t, kOutSlots> outCongregation{};
    std::array<uint16_t, kOutSlots> outTalk{};

    /** A blank week carrying only its week number. */
    static WeekRecord Blank(int weekIndex);

    bool InUse() const { return (weekFlags & kWeekInUse) != 0; }
    bool IsEventWeek() const { return (weekFlags & kWeekEventKinds) != 0; }

    static WeekRecord Decode(std::span<const uint8_t> bytes);
    std::array<uint8_t, kSize> Encode() const;
    friend bool operator==(const WeekRecord&, const WeekRecord&) = default;
};

/** Key fields hold i16 on disk; keys are compared as the u16 values they are. */
inline bool SameKey(int16_t field, uint16_t key) {
    return key != 0 && static_cast<uint16_t>(field) == key;
}

} // namespace mivra
