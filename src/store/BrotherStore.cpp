#include "store/BrotherStore.h"

#include "base/Bytes.h"
#include "base/Text.h"
#include "store/DataFiles.h"
#include "store/Settings.h"
#include "store/StoreContext.h"

#include <algorithm>

namespace mivra {
namespace {

constexpr uint32_t kMaxExtraSlots = 65535;

bool SameName(std::string_view a, std::string_view b) {
    return text::EqualsIgnoringCase(text::Trim(a), text::Trim(b));
}

} // namespace

BrotherStore::BrotherStore(StoreContext& context, const DocOptions& options)
    : m_context(context),
      m_index(context, file::kSpeakers, [&options](const BrotherIndexEntry& entry) {
          return options.nameOrder ? entry.firstName + " " + entry.lastName
                                   : entry.lastName + ", " + entry.firstName;
      }) {}

void BrotherStore::Load() {
    m_index.Load();
    SortEntries();
    DataFiles& files = m_context.Files();
    io::FileBytes extra = files.Read(file::kExtra, 0, DataFiles::Tail::Ignore);
    m_extraSlots = static_cast<uint32_t>(
        std::min<uint64_t>(extra.fileSize / BrotherExtraRecord::kSize, kMaxExtraSlots));
    if (extra.state == io::ReadState::Missing) {
        std::vector<uint8_t> dummy(BrotherExtraRecord::kSize, 0);
        m_extraSlots = files.Save(file::kExtra, dummy) ? 1 : 0;
    }
}

void BrotherStore::Clear() {
    m_index.Clear();
    m_ourBrothers.clear();
    m_extraSlots = 0;
}

uint16_t BrotherStore::ReadBrother(int index, BrotherRecord& record) const {
    return m_index.Read(index, record);
}

bool BrotherStore::WriteBrother(uint16_t slot, const BrotherRecord& record) {
    return m_index.Write(slot, record);
}

int BrotherStore::AddBrother(BrotherRecord record, BrotherExtraRecord extra) {
    const uint16_t slot = m_index.FreeSlot();
    if (slot == 0)
        return -1;
    record.raw = {};
    record.brotherKey = slot;
    record.extraSlot = 0;
    if (!extra.IsBlank()) {
        extra.brotherKey = slot;
        record.extraSlot = AllocateBrotherExtra(extra);
    }
    const int index = m_index.Insert(slot, record);
    if (index < 0) {
        // No orphaned contact data for a record that is not on disk.
        if (record.extraSlot != 0)
            ClearBrotherExtra(record.extraSlot, slot);
        return -1;
    }
    RefreshOurPositions();
    return index;
}

std::vector<uint16_t> BrotherStore::AddBrothers(std::vector<NewBrother> brothers) {
    std::vector<uint16_t> keys(brothers.size(), 0);
    const std::vector<uint16_t> slots = m_index.FreeSlots(brothers.size());
    size_t extras = 0;
    for (const NewBrother& b : brothers)
        extras += b.extra.IsBlank() ? 0 : 1;
    const std::vector<uint16_t> extraSlots = FindFreeExtraSlots(extras);
    size_t nextExtra = 0;
    for (size_t i = 0; i < brothers.size() && i < slots.size(); ++i) {
        BrotherRecord& record = brothers[i].record;
        BrotherExtraRecord& extra = brothers[i].extra;
        const uint16_t slot = slots[i];
        record.brotherKey = slot;
        record.extraSlot = 0;
        if (!extra.IsBlank() && nextExtra < extraSlots.size()) {
            extra.brotherKey = slot;
            record.extraSlot = WriteBrotherExtra(extraSlots[nextExtra++], extra);
        }
        if (m_index.Insert(slot, record, false) < 0) {
            if (record.extraSlot != 0)
                ClearBrotherExtra(record.extraSlot, slot);
            break; // told to the user; the rest are not added
        }
        keys[i] = slot;
    }
    SortEntries();
    return keys;
}

int BrotherStore::UpdateBrother(int index, BrotherRecord record, BrotherExtraRecord extra) {
    BrotherRecord stored;
    const uint16_t slot = ReadBrother(index, stored);
    if (slot == 0) {
        if (!Brother(index))
            return -1;
        // His record is gone from its slot: the stale entry goes and he is added anew.
        RemoveFromOurList(Brother(index)->brotherKey);
        m_index.Forget(index);
        RefreshOurPositions();
        return AddBrother(std::move(record), std::move(extra));
    }
    const uint16_t key = stored.brotherKey;
    record.brotherKey = key;
    record.extraSlot = stored.extraSlot;
    record.raw = stored.raw;
    BrotherExtraRecord current;
    if (record.extraSlot != 0 && !ReadBrotherExtra(record.extraSlot, key, current))
        record.extraSlot = 0; // not his: never written over
    if (!extra.IsBlank()) {
        extra.brotherKey = key;
        uint16_t written = record.extraSlot ? WriteBrotherExtra(record.extraSlot, extra) : 0;
        record.extraSlot = written ? written : AllocateBrotherExtra(extra);
    } else if (record.extraSlot != 0) {
        ClearBrotherExtra(record.extraSlot, key);
        record.extraSlot = 0;
    }
    BrotherIndexEntry& entry = *m_index.At(index);
    const bool renamed = entry.firstName != record.firstName || entry.lastName != record.lastName;
    WriteBrother(slot, record); // a failure is reported; memory keeps the change
    entry.Fill(record, slot);
    m_index.RefreshSortKey(entry);
    if (renamed)
        SortEntries();
    return m_index.IndexOfSlot(slot);
}

int BrotherStore::FindBrotherByKey(uint16_t key) const {
    const int index = m_index.IndexOfKey(key);
    return index < 0 ? kNotFound : index;
}

std::string BrotherStore::BrotherName(int index, bool lastNameFirst) const {
    const BrotherIndexEntry* entry = Brother(index);
    if (!entry)
        return {};
    return lastNameFirst ? entry->lastName + ", " + entry->firstName
                         : entry->firstName + " " + entry->lastName;
}

std::string BrotherStore::BrotherNameByKey(uint16_t key, bool lastNameFirst) const {
    return BrotherName(FindBrotherByKey(key), lastNameFirst);
}

int BrotherStore::FindBrotherByName(std::string_view name) const {
    for (int i = 0; i < BrotherCount(); ++i)
        if (BrotherName(i, true) == name)
            return i;
    return -1;
}

std::string BrotherStore::BrotherPhone(int index) const {
    BrotherRecord record;
    return ReadBrother(index, record) ? record.phone : std::string();
}

std::string BrotherStore::BrotherPhoneByKey(uint16_t key) const {
    return BrotherPhone(FindBrotherByKey(key));
}

int BrotherStore::CountBrothersOf(uint16_t congregationKey) const {
    return static_cast<int>(std::ranges::count_if(
        Items(), [&](const auto& e) { return e.congregationKey == congregationKey; }));
}

int BrotherStore::CheckDuplicateBrotherName(std::string_view firstName, std::string_view lastName,
                                            bool ask, int ownIndex) {
    for (int i = 0; i < BrotherCount(); ++i) {
        if (!ask && i == ownIndex)
            continue;
        const BrotherIndexEntry& e = *Brother(i);
        if (!SameName(e.firstName, firstName) || !SameName(e.lastName, lastName))
            continue;
        if (ownIndex == kSilentLookup)
            return i + 1;
        return m_context.ShowDuplicate(BrotherName(i, false), ask) ? i + 1 : -1;
    }
    return 0;
}

void BrotherStore::SortEntries() {
    m_index.Sort();
    RefreshOurPositions();
}

void BrotherStore::SortBrothers() {
    for (int i = 0; i < BrotherCount(); ++i)
        m_index.RefreshSortKey(*m_index.At(i));
    SortEntries();
}

// Contact records -------------------------------------------------------------------------------

uint64_t BrotherStore::ExtraOffset(uint16_t slot) const {
    return uint64_t{slot - 1u} * BrotherExtraRecord::kSize;
}

bool BrotherStore::ReadBrotherExtra(uint16_t slot, uint16_t brotherKey,
                                    BrotherExtraRecord& extra) const {
    extra = BrotherExtraRecord{};
    if (slot == 0 || brotherKey == 0 || slot > m_extraSlots)
        return false;
    auto bytes = m_context.ReadRecord(file::kExtra, ExtraOffset(slot), BrotherExtraRecord::kSize);
    if (!bytes)
        return false;
    BrotherExtraRecord stored = BrotherExtraRecord::Decode(*bytes, m_context.CodePage());
    if (stored.brotherKey != brotherKey)
        return false;
    extra = std::move(stored);
    return true;
}

uint16_t BrotherStore::WriteBrotherExtra(uint16_t slot, const BrotherExtraRecord& extra) {
    if (slot == 0 || extra.brotherKey == 0 || slot > m_extraSlots + 1)
        return 0;
    if (slot <= m_extraSlots) {
        auto bytes =
            m_context.ReadRecord(file::kExtra, ExtraOffset(slot), BrotherExtraRecord::kSize);
        if (!bytes)
            return 0;
        const uint16_t owner = bytes::GetU16(*bytes, 0);
        if (owner != 0 && owner != extra.brotherKey)
            return 0; // another brother's contacts
    }
    // A failed write is kept as his: the slot is his in memory, and no other brother gets it.
    m_context.WriteRecord(file::kExtra, ExtraOffset(slot), extra.Encode(m_context.CodePage()));
    m_extraSlots = std::max<uint32_t>(m_extraSlots, slot);
    return slot;
}

uint16_t BrotherStore::FindFreeExtraSlot() const {
    std::vector<uint16_t> slots = FindFreeExtraSlots(1);
    return slots.empty() ? 0 : slots.front();
}

std::vector<uint16_t> BrotherStore::FindFreeExtraSlots(size_t count) const {
    std::vector<uint16_t> found;
    std::vector<bool> taken(kMaxExtraSlots + 1, false);
    for (const BrotherIndexEntry& e : Items())
        taken[e.extraSlot] = true;
    io::FileBytes file = io::ReadFile(m_context.Files().Path(file::kExtra),
                                      uint64_t{kMaxExtraSlots} * BrotherExtraRecord::kSize);
    if (file.state == io::ReadState::Unreadable)
        return found;
    const uint32_t fileSlots = static_cast<uint32_t>(file.bytes.size() / BrotherExtraRecord::kSize);
    for (uint32_t slot = 1; slot <= m_extraSlots && found.size() < count; ++slot) {
        if (taken[slot])
            continue;
        if (slot > fileSlots ||
            bytes::GetU16(file.bytes, (slot - 1) * BrotherExtraRecord::kSize) == 0)
            found.push_back(static_cast<uint16_t>(slot));
    }
    for (uint32_t slot = m_extraSlots + 1; slot <= kMaxExtraSlots && found.size() < count; ++slot)
        found.push_back(static_cast<uint16_t>(slot));
    return found;
}

uint16_t BrotherStore::AllocateBrotherExtra(const BrotherExtraRecord& extra) {
    const uint16_t slot = FindFreeExtraSlot();
    return slot ? WriteBrotherExtra(slot, extra) : 0;
}

bool BrotherStore::ClearBrotherExtra(uint16_t slot, uint16_t brotherKey) {
    BrotherExtraRecord current;
    if (!ReadBrotherExtra(slot, brotherKey, current))
        return false;
    std::vector<uint8_t> zeros(BrotherExtraRecord::kSize, 0);
    return m_context.WriteRecord(file::kExtra, ExtraOffset(slot), zeros);
}

// The home list ---------------------------------------------------------------------------------

void BrotherStore::BuildOurBrotherList(uint16_t homeKey) {
    m_ourBrothers.clear();
    if (homeKey == 0)
        return;
    for (int i = 0; i < BrotherCount(); ++i) {
        const BrotherIndexEntry& brother = *Brother(i);
        if (brother.congregationKey == homeKey)
            m_ourBrothers.push_back({brother.brotherKey, static_cast<uint16_t>(i), 0});
    }
    for (OurBrotherEntry& entry : m_ourBrothers) {
        BrotherRecord record;
        if (ReadBrother(entry.position, record))
            entry.roleBits = record.homeRoles;
    }
}

void BrotherStore::RefreshOurPositions() {
    std::erase_if(m_ourBrothers, [this](OurBrotherEntry& entry) {
        const int index = FindBrotherByKey(entry.brotherKey);
        if (index == kNotFound)
            return true;
        entry.position = static_cast<uint16_t>(index);
        return false;
    });
    // The list keeps brother-index order.
    std::stable_sort(
        m_ourBrothers.begin(), m_ourBrothers.end(),
        [](const OurBrotherEntry& a, const OurBrotherEntry& b) { return a.position < b.position; });
}

void BrotherStore::RemoveFromOurList(uint16_t brotherKey) {
    std::erase_if(m_ourBrothers,
                  [brotherKey](const OurBrotherEntry& e) { return e.brotherKey == brotherKey; });
}

int BrotherStore::FindOurBrother(uint16_t key) const {
    for (size_t i = 0; i < m_ourBrothers.size(); ++i)
        if (key != 0 && m_ourBrothers[i].brotherKey == key)
            return static_cast<int>(i) + 1;
    return 0;
}

void BrotherStore::RemoveOurBrother(int position) {
    if (position >= 0 && position < static_cast<int>(m_ourBrothers.size()))
        m_ourBrothers.erase(m_ourBrothers.begin() + position);
}

void BrotherStore::SetOurBrotherRoles(int position, uint16_t roleBits) {
    if (position >= 0 && position < static_cast<int>(m_ourBrothers.size()))
        m_ourBrothers[static_cast<size_t>(position)].roleBits = roleBits;
}

int BrotherStore::CountOurBrothersWithRole(int bit) const {
    if (bit < 0 || bit > 15)
        return 0;
    const auto mask = static_cast<uint16_t>(1u << bit);
    return static_cast<int>(
        std::ranges::count_if(m_ourBrothers, [mask](const auto& e) { return e.roleBits & mask; }));
}

bool BrotherStore::IsOutgoingSpeaker(int index) const {
    const BrotherIndexEntry* brother = Brother(index);
    if (!brother || brother->Suspended())
        return false;
    const int position = FindOurBrother(brother->brotherKey);
    return position != 0 &&
           (m_ourBrothers[static_cast<size_t>(position - 1)].roleBits & kRoleOutgoingSpeaker);
}

bool BrotherStore::SaveOurBrotherRoles() {
    bool ok = true;
    for (const OurBrotherEntry& entry : m_ourBrothers) {
        BrotherRecord record;
        const uint16_t slot = ReadBrother(entry.position, record);
        const auto roles = static_cast<uint8_t>(entry.roleBits & 0xFF);
        if (slot == 0 || record.homeRoles == roles)
            continue; // unreadable, or nothing to change
        record.homeRoles = roles;
        ok = WriteBrother(slot, record) && ok;
    }
    return ok;
}

// Parts of the document's cascades --------------------------------------------------------------

void BrotherStore::RemoveBrother(int index) {
    const BrotherIndexEntry* entry = Brother(index);
    if (!entry)
        return;
    RemoveFromOurList(entry->brotherKey);
    m_index.Erase(index);
    RefreshOurPositions();
}

bool BrotherStore::SetBrotherCongregation(int index, uint16_t congregationKey) {
    BrotherRecord record;
    const uint16_t slot = ReadBrother(index, record);
    if (slot == 0)
        return false;
    BrotherIndexEntry& entry = *m_index.At(index);
    if (entry.congregationKey != 0)
        RemoveFromOurList(entry.brotherKey);
    record.congregationKey = congregationKey;
    WriteBrother(slot, record);
    entry.congregationKey = congregationKey;
    return true;
}

void BrotherStore::ClearCongregation(uint16_t congregationKey) {
    m_index.ChangeEach(
        [&](const BrotherIndexEntry& e) { return e.congregationKey == congregationKey; },
        [](auto& brother) { brother.congregationKey = 0; });
}

} // namespace mivra
