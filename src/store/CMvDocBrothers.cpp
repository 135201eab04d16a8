// Brothers: reading and writing their records, adding, updating, deleting, moving, names.
#include "base/Bytes.h"
#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra {
namespace {

constexpr int kMsgSlotZero = 60001;
constexpr int kMsgNoFreeSlot = 60006;
constexpr uint32_t kMaxSlots = 65536;

bool SameName(std::string_view a, std::string_view b) {
    return text::EqualsIgnoringCase(text::Trim(a), text::Trim(b));
}

} // namespace

const BrotherIndexEntry* CMvDoc::Brother(int index) const {
    if (index < 0 || index >= BrotherCount())
        return nullptr;
    return &m_brothers[static_cast<size_t>(index)];
}

uint16_t CMvDoc::ReadBrother(int index, BrotherRecord& record) const {
    record = BrotherRecord{};
    const BrotherIndexEntry* entry = Brother(index);
    if (!entry)
        return 0;
    auto bytes = ReadSlotBytes(file::kSpeakers, entry->slot);
    if (!bytes)
        return 0;
    BrotherRecord stored = BrotherRecord::Decode(*bytes, m_context.CodePage());
    if (stored.brotherKey != entry->brotherKey)
        return 0;
    record = std::move(stored);
    return entry->slot;
}

bool CMvDoc::WriteBrother(uint16_t slot, const BrotherRecord& record) {
    if (slot == 0) {
        m_context.ShowMessage(m_context.Strings().Get(kMsgSlotZero));
        return false;
    }
    if (!WriteRecord(file::kSpeakers, slot, record.Encode(m_context.CodePage())))
        return false;
    m_brotherSlots = std::max<uint32_t>(m_brotherSlots, slot + 1u);
    return true;
}

uint16_t CMvDoc::FindFreeSlot(int id) const {
    // A slot is free when the file holds no key there and the index holds neither the slot
    // nor a key equal to it, so a failed write can never hand one key out twice.
    std::vector<bool> taken(kMaxSlots, false);
    taken[0] = true;
    auto mark = [&](uint16_t slot, uint16_t key) { taken[slot] = taken[key] = true; };
    for (const BrotherIndexEntry& e : m_brothers)
        mark(e.slot, e.brotherKey);
    const size_t keyAt = 204;
    io::FileBytes file = io::ReadFile(m_context.Files().Path(id), uint64_t{kMaxSlots} * 256);
    if (file.state == io::ReadState::Unreadable)
        return 0;
    const size_t slots = file.bytes.size() / 256;
    for (uint32_t slot = 1; slot < kMaxSlots; ++slot) {
        if (taken[slot])
            continue;
        if (slot < slots && bytes::GetU16(file.bytes, slot * 256 + keyAt) != 0)
            continue;
        return static_cast<uint16_t>(slot);
    }
    return 0;
}

int CMvDoc::IndexOfBrotherSlot(uint16_t slot) const {
    for (int i = 0; i < BrotherCount(); ++i)
        if (m_brothers[static_cast<size_t>(i)].slot == slot)
            return i;
    return -1;
}

int CMvDoc::AddBrother(BrotherRecord record, BrotherExtraRecord extra) {
    const uint16_t slot = FindFreeSlot(file::kSpeakers);
    if (slot == 0) {
        if (m_context.Files().MayWrite(file::kSpeakers))
            m_context.ShowMessage(
                m_context.Strings().Format(kMsgNoFreeSlot, DataFilePath(file::kSpeakers).string()));
        return -1;
    }
    record.raw = {};
    record.brotherKey = slot;
    record.extraSlot = 0;
    if (!extra.IsBlank()) {
        extra.brotherKey = slot;
        record.extraSlot = AllocateBrotherExtra(extra);
    }
    if (!WriteBrother(slot, record)) {
        // No index entry for a record that is not on disk, and no orphaned contact data.
        ForgetUnwritten(file::kSpeakers, slot);
        if (record.extraSlot != 0)
            ClearBrotherExtra(record.extraSlot, slot);
        return -1;
    }
    BrotherIndexEntry entry;
    entry.Fill(record, slot);
    RefreshBrotherSortKey(entry);
    m_brothers.push_back(std::move(entry));
    SortBrotherEntries();
    return IndexOfBrotherSlot(slot);
}

int CMvDoc::UpdateBrother(int index, BrotherRecord record, BrotherExtraRecord extra) {
    BrotherRecord stored;
    const uint16_t slot = ReadBrother(index, stored);
    if (slot == 0) {
        if (!Brother(index))
            return -1;
        // His record is gone from its slot: the stale entry goes and he is added anew.
        RemoveFromOurList(m_brothers[static_cast<size_t>(index)].brotherKey);
        m_brothers.erase(m_brothers.begin() + index);
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
    BrotherIndexEntry& entry = m_brothers[static_cast<size_t>(index)];
    const bool renamed = entry.firstName != record.firstName || entry.lastName != record.lastName;
    WriteBrother(slot, record); // a failure is reported; memory keeps the change
    entry.Fill(record, slot);
    RefreshBrotherSortKey(entry);
    if (renamed)
        SortBrotherEntries();
    return IndexOfBrotherSlot(slot);
}

bool CMvDoc::DeleteBrother(int index) {
    const BrotherIndexEntry* entry = Brother(index);
    if (!entry)
        return false;
    const uint16_t key = entry->brotherKey;
    const uint16_t extraSlot = entry->extraSlot;
    m_congregations.ClearBrother(key, 0);
    RemoveFromOurList(key);
    if (extraSlot != 0)
        ClearBrotherExtra(extraSlot, key);
    PurgeAvailability(key);
    ClearBrotherFromWeeks(key);
    BrotherRecord stored;
    if (uint16_t slot = ReadBrother(index, stored)) {
        std::vector<uint8_t> zeros(BrotherRecord::kSize, 0);
        WriteRecord(file::kSpeakers, slot, zeros);
    }
    m_brothers.erase(m_brothers.begin() + index);
    RefreshOurPositions();
    return true;
}

bool CMvDoc::MoveBrother(int index, uint16_t congregationKey, bool ask) {
    const BrotherIndexEntry* entry = Brother(index);
    if (!entry)
        return false;
    const uint16_t key = entry->brotherKey;
    const uint16_t oldKey = entry->congregationKey;
    const int oldIndex = m_congregations.FindCongregationByKey(oldKey);
    if (ask && oldIndex != 0) {
        std::string question = m_context.Strings().Format(
            1009, BrotherName(index, false), m_congregations.CongregationName(oldIndex - 1, false));
        if (m_context.ShowMessage(question, ui::Buttons::YesNo) != ui::Answer::Yes)
            return false;
    }
    BrotherRecord record;
    const uint16_t slot = ReadBrother(index, record);
    if (slot == 0)
        return false;
    if (oldKey != 0) {
        m_congregations.ClearBrother(key, oldKey);
        RemoveFromOurList(key);
    }
    record.congregationKey = congregationKey;
    WriteBrother(slot, record);
    m_brothers[static_cast<size_t>(index)].congregationKey = congregationKey;
    SetWeekCongregation(key, congregationKey);
    return true;
}

void CMvDoc::ClearBrotherFromWeeks(uint16_t brotherKey) {
    ChangeWeeks([brotherKey](WeekRecord& week) {
        bool changed = false;
        auto clear = [&](int16_t& field) {
            if (SameKey(field, brotherKey)) {
                field = 0;
                changed = true;
            }
        };
        if (SameKey(week.homeSpeaker, brotherKey)) {
            // His invitation goes with him; the talk and congregation stay for the next one.
            week.asked = 0;
            week.confirmed = 0;
            week.reminder = 0;
        }
        clear(week.homeSpeaker);
        clear(week.chairman);
        clear(week.reader);
        for (int16_t& speaker : week.outSpeaker)
            clear(speaker);
        return changed;
    });
}

void CMvDoc::PurgeAvailability(uint16_t brotherKey) {
    if (m_availability.RemoveBrother(brotherKey) > 0)
        SaveAvailability();
}

int CMvDoc::FindBrotherByKey(uint16_t key) const {
    if (key == 0)
        return kNotFound;
    for (int i = 0; i < BrotherCount(); ++i)
        if (m_brothers[static_cast<size_t>(i)].brotherKey == key)
            return i;
    return kNotFound;
}

std::string CMvDoc::BrotherName(int index, bool lastNameFirst) const {
    const BrotherIndexEntry* entry = Brother(index);
    if (!entry)
        return {};
    return lastNameFirst ? entry->lastName + ", " + entry->firstName
                         : entry->firstName + " " + entry->lastName;
}

std::string CMvDoc::BrotherNameByKey(uint16_t key, bool lastNameFirst) const {
    return BrotherName(FindBrotherByKey(key), lastNameFirst);
}

int CMvDoc::FindBrotherByName(std::string_view name) const {
    for (int i = 0; i < BrotherCount(); ++i)
        if (BrotherName(i, true) == name)
            return i;
    return -1;
}

std::string CMvDoc::BrotherPhone(int index) const {
    BrotherRecord record;
    return ReadBrother(index, record) ? record.phone : std::string();
}

std::string CMvDoc::BrotherPhoneByKey(uint16_t key) const {
    return BrotherPhone(FindBrotherByKey(key));
}

int CMvDoc::CountBrothersOf(uint16_t congregationKey) const {
    return static_cast<int>(std::count_if(m_brothers.begin(), m_brothers.end(), [&](const auto& e) {
        return e.congregationKey == congregationKey;
    }));
}

int CMvDoc::CheckDuplicateBrotherName(std::string_view firstName, std::string_view lastName,
                                      bool ask, int ownIndex) {
    for (int i = 0; i < BrotherCount(); ++i) {
        if (!ask && i == ownIndex)
            continue;
        const BrotherIndexEntry& e = m_brothers[static_cast<size_t>(i)];
        if (!SameName(e.firstName, firstName) || !SameName(e.lastName, lastName))
            continue;
        if (ownIndex == kSilentLookup)
            return i + 1;
        return m_context.ShowDuplicate(BrotherName(i, false), ask) ? i + 1 : -1;
    }
    return 0;
}

void CMvDoc::RefreshBrotherSortKey(BrotherIndexEntry& entry) const {
    const std::string sortText = m_options.nameOrder ? entry.firstName + " " + entry.lastName
                                                     : entry.lastName + ", " + entry.firstName;
    entry.sortKey = m_context.Collator().SortKey(sortText);
}

void CMvDoc::SortBrotherEntries() {
    std::stable_sort(m_brothers.begin(), m_brothers.end(),
                     [](const BrotherIndexEntry& a, const BrotherIndexEntry& b) {
                         return a.sortKey < b.sortKey;
                     });
    RefreshOurPositions();
}

void CMvDoc::SortBrothers() {
    for (BrotherIndexEntry& entry : m_brothers)
        RefreshBrotherSortKey(entry);
    SortBrotherEntries();
}

} // namespace mivra
