// The brothers' extra contact records ("xtend.dat"): slot n at (n − 1) × 128, owner-checked.
#include "base/Bytes.h"
#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra {
namespace {

constexpr uint32_t kMaxExtraSlots = 65535;

} // namespace

bool CMvDoc::ReadBrotherExtra(uint16_t slot, uint16_t brotherKey, BrotherExtraRecord& extra) const {
    extra = BrotherExtraRecord{};
    if (slot == 0 || brotherKey == 0 || slot > m_extraSlots)
        return false;
    auto bytes = ReadSlotBytes(file::kExtra, slot);
    if (!bytes)
        return false;
    BrotherExtraRecord stored = BrotherExtraRecord::Decode(*bytes, m_context.CodePage());
    if (stored.brotherKey != brotherKey)
        return false;
    extra = std::move(stored);
    return true;
}

uint16_t CMvDoc::WriteBrotherExtra(uint16_t slot, const BrotherExtraRecord& extra) {
    if (slot == 0 || extra.brotherKey == 0 || slot > m_extraSlots + 1)
        return 0;
    if (slot <= m_extraSlots) {
        auto bytes = ReadSlotBytes(file::kExtra, slot);
        if (!bytes)
            return 0;
        const uint16_t owner = bytes::GetU16(*bytes, 0);
        if (owner != 0 && owner != extra.brotherKey)
            return 0; // another brother's contacts
    }
    // A failed write is kept as his: the slot is his in memory, and no other brother gets it.
    WriteRecord(file::kExtra, slot, extra.Encode(m_context.CodePage()));
    m_extraSlots = std::max<uint32_t>(m_extraSlots, slot);
    return slot;
}

uint16_t CMvDoc::FindFreeExtraSlot() const {
    std::vector<bool> taken(kMaxExtraSlots + 1, false);
    for (const BrotherIndexEntry& e : m_brothers)
        taken[e.extraSlot] = true;
    io::FileBytes file = io::ReadFile(m_context.Files().Path(file::kExtra),
                                      uint64_t{kMaxExtraSlots} * BrotherExtraRecord::kSize);
    if (file.state == io::ReadState::Unreadable)
        return 0;
    const uint32_t fileSlots = static_cast<uint32_t>(file.bytes.size() / BrotherExtraRecord::kSize);
    for (uint32_t slot = 1; slot <= m_extraSlots; ++slot) {
        if (taken[slot])
            continue;
        if (slot > fileSlots || bytes::GetU16(file.bytes, (slot - 1) * 128) == 0)
            return static_cast<uint16_t>(slot);
    }
    return m_extraSlots < kMaxExtraSlots ? static_cast<uint16_t>(m_extraSlots + 1) : 0;
}

uint16_t CMvDoc::AllocateBrotherExtra(const BrotherExtraRecord& extra) {
    const uint16_t slot = FindFreeExtraSlot();
    return slot ? WriteBrotherExtra(slot, extra) : 0;
}

bool CMvDoc::ClearBrotherExtra(uint16_t slot, uint16_t brotherKey) {
    BrotherExtraRecord current;
    if (!ReadBrotherExtra(slot, brotherKey, current))
        return false;
    std::vector<uint8_t> zeros(BrotherExtraRecord::kSize, 0);
    return WriteRecord(file::kExtra, slot, zeros);
}

} // namespace mivra
