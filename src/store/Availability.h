#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

namespace mivra {

class StoreContext;

/** One unavailable week of a brother ("blackout.dat"). */
struct AvailabilityRecord {
    static constexpr size_t kSize = 8;

    uint16_t brotherKey = 0; ///< i16 on disk; 0 marks an empty record
    uint16_t weekNumber = 0;
    std::array<uint8_t, 4> reserved{};

    bool Empty() const { return brotherKey == 0; }
    static AvailabilityRecord Decode(std::span<const uint8_t> bytes);
    std::array<uint8_t, kSize> Encode() const;
};

/**
 * The availability table of "blackout.dat": a brother is unavailable in week n exactly when a
 * record (brother, n) exists. Records before the current week are dropped at load and may be
 * reused later.
 */
class AvailabilityTable {
public:
    explicit AvailabilityTable(StoreContext& context);

    /** Reads the file, up to 1,048,576 records. */
    void Load(int currentWeek);
    /** Keeps, in file order, the records with a brother and a week of currentWeek or later. */
    void Load(std::span<const uint8_t> bytes, int currentWeek);
    /** Writes the table when it holds records and has changed. */
    bool SaveAvailability();
    void Clear();
    /** Every non-empty record in table order, as "blackout.dat" holds them. */
    std::vector<uint8_t> Encode() const;

    void AddUnavailableWeek(uint16_t brother, uint16_t week);
    /** Zeroes every record equal to (brother, week). */
    void RemoveUnavailableWeek(uint16_t brother, uint16_t week);
    /** Zeroes, in one pass, every record the match names; returns how many there were. */
    int RemoveWeeks(const std::function<bool(uint16_t brother, uint16_t week)>& match);
    /** Adds many (brother, week) pairs as AddUnavailableWeek would, in one walk of the table. */
    void AddUnavailableWeeks(std::span<const std::pair<uint16_t, uint16_t>> weeks);
    /** Zeroes every record of the brother; returns how many there were. */
    int RemoveBrother(uint16_t brother);
    bool IsAvailable(uint16_t brother, uint16_t week) const;
    /** The brother's weeks in table order, at most limit (0 means 55). */
    std::vector<uint16_t> ListUnavailableWeeks(uint16_t brother, int limit) const;

    const std::vector<AvailabilityRecord>& Records() const { return m_records; }
    bool Changed() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }

private:
    static uint32_t Pair(uint16_t brother, uint16_t week) {
        return (uint32_t{brother} << 16) | week;
    }
    /** Keeps the count of records per (brother, week) in step with a record's change. */
    void Count(const AvailabilityRecord& r, int delta);

    StoreContext& m_context;
    std::vector<AvailabilityRecord> m_records;
    /** Records per (brother, week): every list row asks, so no scan of the table per row. */
    std::unordered_map<uint32_t, int> m_present;
    int m_currentWeek = 0;
    bool m_changed = false;
};

} // namespace mivra
