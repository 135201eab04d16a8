#pragma once

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
 * The brothers of "speakers.dat" with their contact records in "xtend.dat", and the home list:
 * the brothers of the home congregation with their roles, in brother-index order. Indexes are
 * 0-based into the sorted list; outside it a lookup is empty.
 */
class BrotherStore {
public:
    BrotherStore(StoreContext& context, const DocOptions& options);

    /** Reads the brothers (sorted) and the slot count of "xtend.dat"; creates missing files. */
    void Load();
    void Clear();

    const std::vector<BrotherIndexEntry>& Items() const { return m_index.Items(); }
    int BrotherCount() const { return m_index.Count(); }
    const BrotherIndexEntry* Brother(int index) const { return m_index.At(index); }
    /** The brother's record; returns its slot, or 0 when the slot does not hold his key. */
    uint16_t ReadBrother(int index, BrotherRecord& record) const;
    /** Writes a record in place; slot 0 is refused with a message. */
    bool WriteBrother(uint16_t slot, const BrotherRecord& record);
    /** Adds a brother in the first free slot; returns his index after sorting, or −1. */
    int AddBrother(BrotherRecord record, BrotherExtraRecord extra);
    struct NewBrother {
        BrotherRecord record; ///< written with its raw bytes: a new record starts zero-filled
        BrotherExtraRecord extra;
    };
    /**
     * Adds brothers with one search for free slots and one sort; their keys in order, 0 for
     * those not added (a failed write, told to the user, adds no later one either).
     */
    std::vector<uint16_t> AddBrothers(std::vector<NewBrother> brothers);
    /** Updates his record and extra record; returns his index after sorting, or −1. */
    int UpdateBrother(int index, BrotherRecord record, BrotherExtraRecord extra);
    int FindBrotherByKey(uint16_t key) const; ///< index, or kNotFound
    std::string BrotherName(int index, bool lastNameFirst) const;
    std::string BrotherNameByKey(uint16_t key, bool lastNameFirst) const;
    /** The first index whose last-name-first form equals the text exactly, or −1. */
    int FindBrotherByName(std::string_view name) const;
    std::string BrotherPhone(int index) const;
    std::string BrotherPhoneByKey(uint16_t key) const;
    int CountBrothersOf(uint16_t congregationKey) const;
    /**
     * 0 when no other brother has the name (first and last names compared separately,
     * ignoring case); with kSilentLookup his index + 1; else the message, and with ask set
     * Yes gives his index + 1 and No −1; without ask −1.
     */
    int CheckDuplicateBrotherName(std::string_view firstName, std::string_view lastName, bool ask,
                                  int ownIndex);
    /** Sorts anew by the name order of the options. */
    void SortBrothers();
    uint32_t BrotherSlotCount() const { return m_index.SlotCount(); }

    // Contact records: slot n of "xtend.dat" at (n − 1) × 128, owned by the key it holds -----
    bool ReadBrotherExtra(uint16_t slot, uint16_t brotherKey, BrotherExtraRecord& extra) const;
    /**
     * Writes into a slot that is free or owned by the same brother: the slot, or 0 when it is
     * another's. A write that fails is reported and kept, as every record write is.
     */
    uint16_t WriteBrotherExtra(uint16_t slot, const BrotherExtraRecord& extra);
    /** Writes into the first free slot (or appends); the slot, or 0. */
    uint16_t AllocateBrotherExtra(const BrotherExtraRecord& extra);
    /** Zeroes the slot when the brother owns it. */
    bool ClearBrotherExtra(uint16_t slot, uint16_t brotherKey);
    uint32_t ExtraSlotCount() const { return m_extraSlots; }

    // The home list -------------------------------------------------------------------------
    const std::vector<OurBrotherEntry>& OurBrothers() const { return m_ourBrothers; }
    /** The brothers of the home congregation with the roles of their records. */
    void BuildOurBrotherList(uint16_t homeKey);
    int FindOurBrother(uint16_t key) const; ///< position + 1, or 0
    void RemoveOurBrother(int position);
    void SetOurBrotherRoles(int position, uint16_t roleBits);
    /** The home brothers whose RoleBits have bit number `bit` (1 speaker, 2 chairman, 4 reader). */
    int CountOurBrothersWithRole(int bit) const;
    bool IsOutgoingSpeaker(int index) const;
    /** Writes each home brother's roles to his record, where they differ from it. */
    bool SaveOurBrotherRoles();

    // Parts of the document's cascades -------------------------------------------------------
    /** His home-list entry and his record go (the slot zeroed when it still holds his key). */
    void RemoveBrother(int index);
    /** Gives him another congregation: he leaves the home list and his record is written. */
    bool SetBrotherCongregation(int index, uint16_t congregationKey);
    /** Clears the congregation from every brother, in memory and in place. */
    void ClearCongregation(uint16_t congregationKey);

private:
    uint64_t ExtraOffset(uint16_t slot) const;
    uint16_t FindFreeExtraSlot() const;
    std::vector<uint16_t> FindFreeExtraSlots(size_t count) const;
    void SortEntries();
    void RefreshOurPositions();
    void RemoveFromOurList(uint16_t brotherKey);

    StoreContext& m_context;
    SlotIndex<BrotherRecord, BrotherIndexEntry> m_index;
    uint32_t m_extraSlots = 0;
    std::vector<OurBrotherEntry> m_ourBrothers;
};

} // namespace mivra
