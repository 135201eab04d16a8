#include "store/SlotIndex.h"

#include "base/Bytes.h"
#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/Records.h"
#include "store/StoreContext.h"

#include <algorithm>

namespace mivra {
namespace {

constexpr int kMsgSlotZero = 60001;
// Keys and slots are 16-bit: a slot file has at most this many usable slots.
constexpr uint32_t kMaxSlots = 65536;

} // namespace

template <class Record, class Entry>
SlotIndex<Record, Entry>::SlotIndex(StoreContext& context, int fileId, SortText sortText)
    : m_context(context), m_fileId(fileId), m_sortText(std::move(sortText)) {}

template <class Record, class Entry>
void SlotIndex<Record, Entry>::Load() {
    DataFiles& files = m_context.Files();
    io::FileBytes file =
        files.Read(m_fileId, uint64_t{kMaxSlots} * Record::kSize, DataFiles::Tail::Ignore);
    if (file.state == io::ReadState::Missing) {
        std::vector<uint8_t> dummy(Record::kSize, 0);
        m_slots = files.Save(m_fileId, dummy) ? 1 : 0;
        return;
    }
    const size_t slots = file.bytes.size() / Record::kSize;
    std::span<const uint8_t> all(file.bytes);
    // Slot 0 holds no record, nor does a slot whose key is 0.
    for (size_t slot = 1; slot < slots; ++slot) {
        auto bytes = all.subspan(slot * Record::kSize, Record::kSize);
        if (bytes::GetU16(bytes, Record::kKeyOffset) == 0)
            continue;
        Entry entry;
        entry.Fill(Record::Decode(bytes, m_context.CodePage()), static_cast<uint16_t>(slot));
        RefreshSortKey(entry);
        m_entries.push_back(std::move(entry));
    }
    m_slots = static_cast<uint32_t>(slots);
}

template <class Record, class Entry>
void SlotIndex<Record, Entry>::Clear() {
    m_entries.clear();
    m_slots = 0;
}

template <class Record, class Entry>
const Entry* SlotIndex<Record, Entry>::At(int index) const {
    return (index >= 0 && index < Count()) ? &m_entries[static_cast<size_t>(index)] : nullptr;
}

template <class Record, class Entry>
Entry* SlotIndex<Record, Entry>::At(int index) {
    return (index >= 0 && index < Count()) ? &m_entries[static_cast<size_t>(index)] : nullptr;
}

template <class Record, class Entry>
int SlotIndex<Record, Entry>::IndexOfSlot(uint16_t slot) const {
    for (int i = 0; i < Count(); ++i)
        if (m_entries[static_cast<size_t>(i)].slot == slot)
            return i;
    return -1;
}

template <class Record, class Entry>
int SlotIndex<Record, Entry>::IndexOfKey(uint16_t key) const {
    if (key == 0)
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (m_entries[static_cast<size_t>(i)].Key() == key)
            return i;
    return -1;
}

template <class Record, class Entry>
std::optional<std::vector<uint8_t>> SlotIndex<Record, Entry>::ReadSlot(uint16_t slot) const {
    return m_context.ReadRecord(m_fileId, uint64_t{slot} * Record::kSize, Record::kSize);
}

template <class Record, class Entry>
uint16_t SlotIndex<Record, Entry>::Read(int index, Record& record) const {
    record = Record{};
    const Entry* entry = At(index);
    if (!entry)
        return 0;
    auto bytes = ReadSlot(entry->slot);
    if (!bytes)
        return 0;
    Record stored = Record::Decode(*bytes, m_context.CodePage());
    if (stored.Key() != entry->Key())
        return 0;
    record = std::move(stored);
    return entry->slot;
}

template <class Record, class Entry>
uint16_t SlotIndex<Record, Entry>::KeyInSlot(uint16_t slot) const {
    auto bytes = ReadSlot(slot);
    return bytes ? bytes::GetU16(*bytes, Record::kKeyOffset) : 0;
}

template <class Record, class Entry>
bool SlotIndex<Record, Entry>::Write(uint16_t slot, const Record& record) {
    if (slot == 0) {
        m_context.ShowMessage(m_context.Strings().Get(kMsgSlotZero));
        return false;
    }
    const auto bytes = record.Encode(m_context.CodePage());
    if (!m_context.WriteRecord(m_fileId, uint64_t{slot} * Record::kSize, bytes))
        return false;
    m_slots = std::max<uint32_t>(m_slots, slot + 1u);
    return true;
}

template <class Record, class Entry>
uint16_t SlotIndex<Record, Entry>::FreeSlot() {
    std::vector<uint16_t> slots = FreeSlots(1);
    return slots.empty() ? 0 : slots.front();
}

template <class Record, class Entry>
std::vector<uint16_t> SlotIndex<Record, Entry>::FreeSlots(size_t count) {
    std::vector<uint16_t> found;
    std::vector<bool> taken(kMaxSlots, false);
    taken[0] = true;
    for (const Entry& e : m_entries)
        taken[e.slot] = taken[e.Key()] = true;
    io::FileBytes file =
        io::ReadFile(m_context.Files().Path(m_fileId), uint64_t{kMaxSlots} * Record::kSize);
    if (file.state != io::ReadState::Unreadable) {
        const size_t slots = file.bytes.size() / Record::kSize;
        for (uint32_t slot = 1; slot < kMaxSlots && found.size() < count; ++slot) {
            if (taken[slot])
                continue;
            if (slot < slots &&
                bytes::GetU16(file.bytes, slot * Record::kSize + Record::kKeyOffset) != 0)
                continue;
            found.push_back(static_cast<uint16_t>(slot));
        }
    }
    if (found.size() < count && m_context.Files().MayWrite(m_fileId))
        m_context.ReportNoFreeSlot(m_fileId);
    return found;
}

template <class Record, class Entry>
int SlotIndex<Record, Entry>::Insert(uint16_t slot, const Record& record, bool sort) {
    if (!Write(slot, record)) {
        // No entry for a record that is not on disk.
        m_context.ForgetUnwritten(m_fileId, uint64_t{slot} * Record::kSize);
        return -1;
    }
    Entry entry;
    entry.Fill(record, slot);
    RefreshSortKey(entry);
    m_entries.push_back(std::move(entry));
    if (!sort)
        return Count() - 1;
    Sort();
    return IndexOfSlot(slot);
}

template <class Record, class Entry>
void SlotIndex<Record, Entry>::Erase(int index) {
    Record stored;
    if (uint16_t slot = Read(index, stored)) {
        std::vector<uint8_t> zeros(Record::kSize, 0);
        m_context.WriteRecord(m_fileId, uint64_t{slot} * Record::kSize, zeros);
    }
    Forget(index);
}

template <class Record, class Entry>
void SlotIndex<Record, Entry>::RefreshSortKey(Entry& entry) const {
    entry.sortKey = m_context.Collator().SortKey(m_sortText(entry));
}

template <class Record, class Entry>
void SlotIndex<Record, Entry>::Sort() {
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry& a, const Entry& b) { return a.sortKey < b.sortKey; });
}

template class SlotIndex<BrotherRecord, BrotherIndexEntry>;
template class SlotIndex<CongregationRecord, CongregationIndexEntry>;

} // namespace mivra
