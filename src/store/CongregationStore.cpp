#include "store/CongregationStore.h"

#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/DataFiles.h"
#include "store/Settings.h"
#include "store/StoreContext.h"

#include <algorithm>
#include <array>

namespace mivra {

CongregationStore::CongregationStore(StoreContext& context, const DocOptions& options)
    : m_context(context), m_options(options),
      m_index(context, file::kCongregations,
              [](const CongregationIndexEntry& entry) { return entry.name; }) {}

void CongregationStore::Load() {
    m_index.Load();
    m_index.Sort();
}

uint16_t CongregationStore::ReadCongregation(int index, CongregationRecord& record) const {
    return m_index.Read(index, record);
}

bool CongregationStore::WriteCongregation(uint16_t slot, const CongregationRecord& record) {
    return m_index.Write(slot, record);
}

int CongregationStore::AddCongregation(CongregationRecord record) {
    const uint16_t slot = m_index.FreeSlot();
    if (slot == 0)
        return -1;
    record.raw = {};
    record.congregationKey = slot;
    return m_index.Insert(slot, record);
}

bool CongregationStore::OverwriteCongregation(int index, CongregationRecord record) {
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return false;
    record.congregationKey = entry->congregationKey;
    return UpdateCongregation(index, std::move(record));
}

bool CongregationStore::UpdateCongregation(int index, CongregationRecord record) {
    CongregationIndexEntry* entry = m_index.At(index);
    if (!entry)
        return false;
    const uint16_t slot = entry->slot;
    CongregationRecord stored;
    if (ReadCongregation(index, stored) == slot)
        record.raw = stored.raw;
    else if (m_index.KeyInSlot(slot) != 0)
        return false; // the slot now holds another congregation: never written over
    else
        record.raw = {};
    record.congregationKey = entry->congregationKey;
    WriteCongregation(slot, record); // a failure is reported; memory keeps the change
    entry->Fill(record, slot);
    m_index.RefreshSortKey(*entry);
    if (record.congregationKey == OurCongregationKey())
        RefreshHomeWeekdays();
    return true;
}

int CongregationStore::FindCongregationByKey(uint16_t key) const {
    return m_index.IndexOfKey(key) + 1;
}

std::string CongregationStore::CongregationName(int index, bool withPrefix) const {
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return {};
    return withPrefix ? m_context.Strings().Get(1057) + " - " + entry->name : entry->name;
}

std::string CongregationStore::CongregationNameByKey(uint16_t key, bool withPrefix) const {
    return CongregationName(FindCongregationByKey(key) - 1, withPrefix);
}

int CongregationStore::CheckDuplicateCongregationName(std::string_view name, bool ask,
                                                      int ownIndex) {
    for (int i = 0; i < CongregationCount(); ++i) {
        if (!ask && i == ownIndex)
            continue;
        const std::string& existing = Congregation(i)->name;
        if (!text::EqualsIgnoringCase(text::Trim(existing), text::Trim(name)))
            continue;
        if (ownIndex == kSilentLookup)
            return i + 1;
        return m_context.ShowDuplicate(existing, ask) ? i + 1 : -1;
    }
    return 0;
}

uint16_t CongregationStore::OurCongregationKey() const {
    const uint32_t key = m_options.ourCongregationKey;
    if (key == 0 || key > 0xFFFF)
        return 0;
    return FindCongregationByKey(static_cast<uint16_t>(key)) ? static_cast<uint16_t>(key) : 0;
}

void CongregationStore::RefreshHomeWeekdays() {
    m_homeWeekdayOdd = m_homeWeekdayEven = 6;
    if (const CongregationIndexEntry* home =
            Congregation(FindCongregationByKey(OurCongregationKey()) - 1)) {
        m_homeWeekdayOdd = HomeWeekday(home->weekdayOdd);
        m_homeWeekdayEven = HomeWeekday(home->weekdayEven);
    }
}

dates::MeetingDays CongregationStore::MeetingDays() const {
    return {m_homeWeekdayOdd, m_homeWeekdayEven, m_options.serviceYear};
}

std::string CongregationStore::MeetingTimeOf(uint16_t key, int year) const {
    const CongregationIndexEntry* entry = Congregation(FindCongregationByKey(key) - 1);
    if (!entry)
        return {};
    return (year % 2 != 0) ? entry->meetingTimeOdd : entry->meetingTimeEven;
}

std::string CongregationStore::MeetingTimeForWeek(uint16_t key, int weekIndex) const {
    const CongregationIndexEntry* entry = Congregation(FindCongregationByKey(key) - 1);
    if (!entry)
        return {};
    return dates::OddYear(weekIndex, MeetingDays()) ? entry->meetingTimeOdd
                                                    : entry->meetingTimeEven;
}

uint8_t CongregationStore::MeetingWeekdayForWeek(int index, int weekIndex) const {
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return 0;
    return dates::OddYear(weekIndex, MeetingDays()) ? entry->weekdayOdd : entry->weekdayEven;
}

bool CongregationStore::DiffersFromHomeWeekday(int weekIndex, uint16_t key,
                                               uint8_t& storedWeekday) const {
    storedWeekday = 0;
    const int index = FindCongregationByKey(key) - 1;
    if (index < 0)
        return false;
    storedWeekday = MeetingWeekdayForWeek(index, weekIndex);
    const bool odd = dates::OddYear(weekIndex, MeetingDays());
    // Compared in the home coding: stored 0 is Sunday, the home days count from Monday.
    return HomeWeekday(storedWeekday) != (odd ? m_homeWeekdayOdd : m_homeWeekdayEven);
}

void CongregationStore::ClearBrother(uint16_t brotherKey, uint16_t onlyCongregation) {
    auto officers = [](auto& congregation) {
        return std::array{&congregation.coordinatorKey, &congregation.talkCoordinatorKey,
                          &congregation.secretaryKey};
    };
    m_index.ChangeEach(
        [&](CongregationIndexEntry& entry) {
            if (onlyCongregation != 0 && entry.congregationKey != onlyCongregation)
                return false;
            return std::ranges::any_of(officers(entry),
                                       [&](uint16_t* key) { return *key == brotherKey; });
        },
        [&](auto& congregation) {
            for (uint16_t* key : officers(congregation))
                if (*key == brotherKey)
                    *key = 0;
        });
}

void CongregationStore::ClearCircuit(uint16_t circuitKey) {
    m_index.ChangeEach([&](const CongregationIndexEntry& e) { return e.circuitId == circuitKey; },
                       [](auto& congregation) { congregation.circuitId = 0; });
}

} // namespace mivra
