#pragma once

#include "store/WeekRecord.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace mivra {

class StoreContext;

/**
 * The 1000 weeks of the schedule in memory, slot n holding week index baseWeek + n, and a
 * copy of the window as last read from or written to "history.dat". The copy lets a cascade
 * (a deleted brother, congregation or host) change the file without committing edits that
 * the scheduling sheet has made in the window but not yet saved.
 */
class WeekWindow {
public:
    static constexpr int kWeeks = 1000;
    /** A cascade's change of one week; it answers whether it altered the week. */
    using WeekChange = std::function<bool(WeekRecord&)>;

    explicit WeekWindow(StoreContext& context);

    /** Empties the window; every slot gets its week number. */
    void Reset(int baseWeek);
    int BaseWeek() const { return m_base; }
    bool Contains(int weekIndex) const;

    /**
     * The week's record. Outside the window a fresh blank week with the asked week number
     * (a changed copy of it is never kept).
     */
    WeekRecord& GetWeek(int weekIndex);
    WeekRecord Week(int weekIndex) const;
    /**
     * Sets the week number to weekIndex + 1 and the in-use bit by whether the record differs
     * from a blank one, then copies it into its slot; a week outside the window is ignored.
     */
    void StoreWeek(WeekRecord record, int weekIndex);

    /**
     * Places the records of a week file, in file order. A record lands in its week's slot when
     * its week number is not below the last one placed; a repeat replaces the earlier record;
     * others (before the window, out of order, beyond the window) are dropped.
     */
    void LoadRecord(const WeekRecord& record);
    void LoadFile(std::span<const uint8_t> bytes);

    /** The in-use weeks of the window in slot order, as the week file holds them. */
    std::vector<uint8_t> Encode() const;
    /** The same for the copy of the file. */
    std::vector<uint8_t> EncodeSaved() const;
    /** The window has been written: the copy of the file now equals it. */
    void MarkSaved();

    /**
     * Applies a change to every slot of the window and of the file copy; the change answers
     * whether it altered the week. Returns true when the file copy changed.
     */
    bool ChangeEverywhere(const WeekChange& change);

    // The week file ----------------------------------------------------------------------------
    /** Reads "history.dat" (streamed, any size) and makes again the cascades not yet in it. */
    void LoadWeeks();
    bool SaveWeeks();
    /**
     * Applies a cascade to the window and to the file copy, and saves the copy. A cascade
     * whose save failed is made again after the window is read back, and stays pending.
     */
    bool ChangeWeeks(const WeekChange& change);
    /** Forgets the cascades kept for a failed save: the folder is read anew. */
    void ForgetPendingChanges() { m_pendingChanges.clear(); }

    // The cascades -----------------------------------------------------------------------------
    /** Sets the visiting congregation of every week whose home speaker he is (saved at once). */
    bool SetWeekCongregation(uint16_t brotherKey, uint16_t congregationKey);
    /** Clears him from every role of every week; his invitation ticks go with him. */
    bool ClearBrother(uint16_t brotherKey);
    bool ClearCongregation(uint16_t congregationKey);
    bool ClearHost(uint16_t hostId);

    /** What an event of these flags would strike from the week (see EventList.h). */
    uint16_t EventStrikes(int weekIndex, uint16_t flags) const;
    /** Clears what the strike bits name from a week of the window. */
    void ApplyEventStrikes(int weekIndex, uint16_t strikeBits);

private:
    static std::vector<uint8_t> EncodeInUse(const std::vector<WeekRecord>& weeks);

    StoreContext& m_context;
    std::vector<WeekChange> m_pendingChanges; ///< cascades not yet in the week file
    int m_base = 0;
    int m_cursor = 0; ///< week index of the last record placed while loading (baseWeek at first)
    std::vector<WeekRecord> m_live = std::vector<WeekRecord>(kWeeks);
    std::vector<WeekRecord> m_saved = std::vector<WeekRecord>(kWeeks);
    WeekRecord m_scratch;
};

} // namespace mivra
