#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mivra {

class StoreContext;

/**
 * The index of a slot file ("speakers.dat", "cong.dat"): one entry per record whose key is not
 * 0, a record's key being the slot it was first written to, sorted by the collation sort keys
 * kept in the entries. Records are read and written in place through the context, which keeps
 * a write that failed. Record has kSize, kKeyOffset, Key(), Decode and Encode; Entry has slot,
 * sortKey, Key() and Fill(record, slot).
 */
template <class Record, class Entry>
class SlotIndex {
public:
    /** The text an entry sorts by. */
    using SortText = std::function<std::string(const Entry&)>;

    SlotIndex(StoreContext& context, int fileId, SortText sortText);

    /** Reads the file (65,536 slots at most); a missing one is created holding its dummy slot.
     *  The entries are not sorted yet. */
    void Load();
    void Clear();

    const std::vector<Entry>& Items() const { return m_entries; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    /** The entry at an index, or nullptr outside the list. */
    const Entry* At(int index) const;
    Entry* At(int index);
    int IndexOfSlot(uint16_t slot) const; ///< −1 when none
    int IndexOfKey(uint16_t key) const;   ///< −1 when none, and for key 0
    uint32_t SlotCount() const { return m_slots; }

    /** The entry's record; its slot, or 0 when the slot no longer holds the entry's key. */
    uint16_t Read(int index, Record& record) const;
    /** The key a slot holds as the document sees it; 0 for a free or unreadable slot. */
    uint16_t KeyInSlot(uint16_t slot) const;
    /** Writes a record in place; slot 0 is refused with a message. */
    bool Write(uint16_t slot, const Record& record);

    /**
     * The first slot whose key in the file is 0 and whose number the index holds neither as a
     * slot nor as a key, so a failed write never hands one key out twice. 0 when there is none,
     * told to the user unless the file is protected.
     */
    uint16_t FreeSlot();
    /** Up to `count` such slots in one reading of the file; fewer (told) when they run out. */
    std::vector<uint16_t> FreeSlots(size_t count);
    /** Writes a new record (its key set to the slot) and files its entry; its index after
     *  sorting (unsorted: at the end), or −1 when the write failed, leaving nothing behind. */
    int Insert(uint16_t slot, const Record& record, bool sort = true);
    /** Zeroes the entry's slot when it still holds the entry's key, and drops the entry. */
    void Erase(int index);
    /** Drops the entry and leaves the file as it is. */
    void Forget(int index) { m_entries.erase(m_entries.begin() + index); }

    void RefreshSortKey(Entry& entry) const;
    /** Stable, so equal names keep their order. */
    void Sort();

    /**
     * Changes every entry that matches, and its record, written in place when the slot still
     * holds it. The change takes an Entry and a Record alike: both name their fields the same.
     */
    template <class Match, class Change>
    void ChangeEach(Match match, Change change) {
        for (int i = 0; i < Count(); ++i) {
            Entry& entry = m_entries[static_cast<size_t>(i)];
            if (!match(entry))
                continue;
            change(entry);
            Record record;
            if (uint16_t slot = Read(i, record)) {
                change(record);
                Write(slot, record);
            }
        }
    }

private:
    std::optional<std::vector<uint8_t>> ReadSlot(uint16_t slot) const;

    StoreContext& m_context;
    int m_fileId;
    SortText m_sortText;
    std::vector<Entry> m_entries;
    uint32_t m_slots = 0;
};

} // namespace mivra
