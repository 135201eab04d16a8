#pragma once

#include "store/WeekRecord.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mivra {

/** One special week ("special.dat"): an assembly, a circuit overseer visit or another event. */
struct SpecialEventRecord {
    static constexpr size_t kSize = 144;
    static constexpr size_t kNameChars = 38;
    static constexpr size_t kThemeChars = 94;

    uint16_t weekIndex = 0;
    uint16_t flags = 0; ///< the kind (bits 1–3) and the schedule-anyway bits (4–6) of WeekFlags
    std::string name{}; ///< "Talare eller Händelse"
    std::string theme{}; ///< "Talets tema"
    std::array<uint8_t, 4> reserved{};

    static SpecialEventRecord Decode(std::span<const uint8_t> bytes, int codePage);
    std::array<uint8_t, kSize> Encode(int codePage) const;
};

/** The high byte of an event's strike set; the low byte carries the event flags. */
enum EventStrikeBits : uint16_t {
    kStrikeHomeSpeaker = 0x0100,
    kStrikeChairman = 0x0400,
    kStrikeHost = 0x0800,
    kStrikeReader = 0x1000,
    kStrikeAny = kStrikeHomeSpeaker | kStrikeChairman | kStrikeHost | kStrikeReader,
};

/** What an event of these flags would strike from the week, with the flags in the low byte. */
uint16_t EventStrikes(const WeekRecord& week, uint16_t flags);
/** Clears what the strike bits name; a struck home speaker takes his ticks with him. */
void ApplyEventStrikes(WeekRecord& week, uint16_t strikeBits);

class StoreContext;

/** The event list of "special.dat": ascending week index, at most one event per week. */
class EventList {
public:
    explicit EventList(StoreContext& context);

    /** Reads the file, up to 65,536 events. */
    void Load();
    void Load(std::span<const uint8_t> bytes, int codePage);
    bool SaveSpecialEvents() const;
    std::vector<uint8_t> Encode(int codePage) const;

    const std::vector<SpecialEventRecord>& Items() const { return m_events; }
    int Count() const { return static_cast<int>(m_events.size()); }
    /** The event at a 0-based position, or nullptr. */
    const SpecialEventRecord* At(int index) const;

    /** 1-based position of the first event of the week, 0 when none. */
    int Find(int weekIndex) const;
    /**
     * Replaces the week's event or inserts the record in week order; returns its position.
     * The document's AddEvent and RemoveEvent also mark the event's week.
     */
    int Add(const SpecialEventRecord& record);
    /** Removes the event at a 0-based position. */
    void Remove(int index);
    void Clear() { m_events.clear(); }

private:
    StoreContext& m_context;
    std::vector<SpecialEventRecord> m_events;
};

} // namespace mivra
