#pragma once

#include "dates/Dates.h"
#include "store/Records.h"
#include "store/SlotIndex.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mivra {

class StoreContext;
struct DocOptions;

/**
 * The congregations of "cong.dat" with their meeting days and times, and which of them is the
 * home congregation. Indexes are 0-based into the sorted list; outside it a lookup is empty.
 */
class CongregationStore {
public:
    CongregationStore(StoreContext& context, const DocOptions& options);

    void Load();
    void Clear() { m_index.Clear(); }

    const std::vector<CongregationIndexEntry>& Items() const { return m_index.Items(); }
    int CongregationCount() const { return m_index.Count(); }
    const CongregationIndexEntry* Congregation(int index) const { return m_index.At(index); }
    /** The record; its slot, or 0 when the slot no longer holds the congregation. */
    uint16_t ReadCongregation(int index, CongregationRecord& record) const;
    bool WriteCongregation(uint16_t slot, const CongregationRecord& record);
    /** Adds a congregation in the first free slot; returns its index after sorting, or −1. */
    int AddCongregation(CongregationRecord record);
    /** Writes the record over an existing congregation, keeping its key and slot. */
    bool OverwriteCongregation(int index, CongregationRecord record);
    /** Keeps key, slot and reserved bytes; never writes over a slot another one has taken. */
    bool UpdateCongregation(int index, CongregationRecord record);
    void SortCongregations() { m_index.Sort(); }
    int FindCongregationByKey(uint16_t key) const; ///< index + 1, or 0
    std::string CongregationName(int index, bool withPrefix) const;
    std::string CongregationNameByKey(uint16_t key, bool withPrefix) const;
    /** 0 when no other congregation has the name; see CheckDuplicateBrotherName. */
    int CheckDuplicateCongregationName(std::string_view name, bool ask, int ownIndex);
    uint32_t CongregationSlotCount() const { return m_index.SlotCount(); }

    // The home congregation and the meeting days ---------------------------------------------
    /** The home congregation's key; 0 when none is set or the key names no congregation. */
    uint16_t OurCongregationKey() const;
    int HomeWeekdayOdd() const { return m_homeWeekdayOdd; }   ///< 0 = Monday … 6 = Sunday
    int HomeWeekdayEven() const { return m_homeWeekdayEven; } ///< 0 = Monday … 6 = Sunday
    /** Reads the home weekdays from the home congregation (Sunday without one). */
    void RefreshHomeWeekdays();
    /** The home congregation's meeting days (home coding) with the service-year option. */
    dates::MeetingDays MeetingDays() const;
    std::string MeetingTimeOf(uint16_t key, int year) const;
    std::string MeetingTimeForWeek(uint16_t key, int weekIndex) const;
    /** The stored weekday byte (0 = Sunday) for the week's year parity; 0 outside the list. */
    uint8_t MeetingWeekdayForWeek(int index, int weekIndex) const;
    /** True when the congregation meets on another weekday than the home one that week. */
    bool DiffersFromHomeWeekday(int weekIndex, uint16_t key, uint8_t& storedWeekday) const;

    // Parts of the document's cascades -------------------------------------------------------
    /** Clears the brother as an officer (of one congregation when one is given), in memory
     *  and in place. */
    void ClearBrother(uint16_t brotherKey, uint16_t onlyCongregation);
    /** Clears the circuit from every congregation, in memory and in place. */
    void ClearCircuit(uint16_t circuitKey);
    /** Zeroes the congregation's slot (when it still holds it) and drops its entry. */
    void RemoveCongregation(int index) { m_index.Erase(index); }

private:
    StoreContext& m_context;
    const DocOptions& m_options;
    SlotIndex<CongregationRecord, CongregationIndexEntry> m_index;
    int m_homeWeekdayOdd = 6;
    int m_homeWeekdayEven = 6;
};

} // namespace mivra
