// Congregations and their meeting days and times.
#include "base/Bytes.h"
#include "base/Text.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra {
namespace {

constexpr int kMsgSlotZero = 60001;
constexpr int kMsgNoFreeSlot = 60006;

} // namespace

const CongregationIndexEntry* CMvDoc::Congregation(int index) const {
    if (index < 0 || index >= CongregationCount())
        return nullptr;
    return &m_congregations[static_cast<size_t>(index)];
}

uint16_t CMvDoc::ReadCongregation(int index, CongregationRecord& record) const {
    record = CongregationRecord{};
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return 0;
    auto bytes = ReadSlotBytes(file::kCongregations, entry->slot);
    if (!bytes)
        return 0;
    CongregationRecord stored = CongregationRecord::Decode(*bytes, m_context.CodePage());
    if (stored.congregationKey != entry->congregationKey)
        return 0;
    record = std::move(stored);
    return entry->slot;
}

bool CMvDoc::WriteCongregation(uint16_t slot, const CongregationRecord& record) {
    if (slot == 0) {
        m_context.ShowMessage(m_context.Strings().Get(kMsgSlotZero));
        return false;
    }
    if (!WriteRecord(file::kCongregations, slot, record.Encode(m_context.CodePage())))
        return false;
    m_congregationSlots = std::max<uint32_t>(m_congregationSlots, slot + 1u);
    return true;
}

int CMvDoc::IndexOfCongregationSlot(uint16_t slot) const {
    for (int i = 0; i < CongregationCount(); ++i)
        if (m_congregations[static_cast<size_t>(i)].slot == slot)
            return i;
    return -1;
}

int CMvDoc::AddCongregation(CongregationRecord record) {
    const uint16_t slot = FindFreeSlot(file::kCongregations);
    if (slot == 0) {
        if (m_context.Files().MayWrite(file::kCongregations))
            m_context.ShowMessage(m_context.Strings().Format(
                kMsgNoFreeSlot, DataFilePath(file::kCongregations).string()));
        return -1;
    }
    record.raw = {};
    record.congregationKey = slot;
    if (!WriteCongregation(slot, record)) {
        ForgetUnwritten(file::kCongregations, slot);
        return -1;
    }
    CongregationIndexEntry entry;
    entry.Fill(record, slot);
    entry.sortKey = m_context.Collator().SortKey(entry.name);
    m_congregations.push_back(std::move(entry));
    SortCongregations();
    return IndexOfCongregationSlot(slot);
}

bool CMvDoc::OverwriteCongregation(int index, CongregationRecord record) {
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return false;
    record.congregationKey = entry->congregationKey;
    return UpdateCongregation(index, std::move(record));
}

bool CMvDoc::UpdateCongregation(int index, CongregationRecord record) {
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return false;
    const uint16_t slot = entry->slot;
    CongregationRecord stored;
    if (ReadCongregation(index, stored) == slot) {
        record.raw = stored.raw;
    } else if (auto bytes = ReadSlotBytes(file::kCongregations, slot);
               bytes && bytes::GetU16(*bytes, 174) != 0) {
        return false; // the slot now holds another congregation: never written over
    } else {
        record.raw = {};
    }
    record.congregationKey = entry->congregationKey;
    WriteCongregation(slot, record); // a failure is reported; memory keeps the change
    CongregationIndexEntry& mutableEntry = m_congregations[static_cast<size_t>(index)];
    mutableEntry.Fill(record, slot);
    mutableEntry.sortKey = m_context.Collator().SortKey(mutableEntry.name);
    if (record.congregationKey == OurCongregationKey())
        RefreshHomeWeekdays();
    return true;
}

bool CMvDoc::DeleteCongregation(int index) {
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return false;
    const uint16_t key = entry->congregationKey;
    const bool wasHome = key == OurCongregationKey();
    for (int i = 0; i < BrotherCount(); ++i) {
        BrotherIndexEntry& brother = m_brothers[static_cast<size_t>(i)];
        if (brother.congregationKey != key)
            continue;
        brother.congregationKey = 0;
        BrotherRecord record;
        if (uint16_t slot = ReadBrother(i, record)) {
            record.congregationKey = 0;
            WriteBrother(slot, record);
        }
    }
    ChangeWeeks([key](WeekRecord& week) {
        bool changed = false;
        auto clear = [&](int16_t& field) {
            if (SameKey(field, key)) {
                field = 0;
                changed = true;
            }
        };
        clear(week.homeCongregation);
        for (int16_t& congregation : week.outCongregation)
            clear(congregation);
        return changed;
    });
    CongregationRecord stored;
    if (uint16_t slot = ReadCongregation(index, stored)) {
        std::vector<uint8_t> zeros(CongregationRecord::kSize, 0);
        WriteRecord(file::kCongregations, slot, zeros);
    }
    m_congregations.erase(m_congregations.begin() + index);
    if (wasHome)
        ClearHomeCongregation();
    return true;
}

void CMvDoc::SortCongregations() {
    std::stable_sort(m_congregations.begin(), m_congregations.end(),
                     [](const CongregationIndexEntry& a, const CongregationIndexEntry& b) {
                         return a.sortKey < b.sortKey;
                     });
}

int CMvDoc::FindCongregationByKey(uint16_t key) const {
    if (key == 0)
        return 0;
    for (int i = 0; i < CongregationCount(); ++i)
        if (m_congregations[static_cast<size_t>(i)].congregationKey == key)
            return i + 1;
    return 0;
}

std::string CMvDoc::CongregationName(int index, bool withPrefix) const {
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return {};
    return withPrefix ? m_context.Strings().Get(1057) + " - " + entry->name : entry->name;
}

std::string CMvDoc::CongregationNameByKey(uint16_t key, bool withPrefix) const {
    return CongregationName(FindCongregationByKey(key) - 1, withPrefix);
}

int CMvDoc::CheckDuplicateCongregationName(std::string_view name, bool ask, int ownIndex) {
    for (int i = 0; i < CongregationCount(); ++i) {
        if (!ask && i == ownIndex)
            continue;
        const std::string& existing = m_congregations[static_cast<size_t>(i)].name;
        if (!text::EqualsIgnoringCase(text::Trim(existing), text::Trim(name)))
            continue;
        if (ownIndex == kSilentLookup)
            return i + 1;
        return m_context.ShowDuplicate(existing, ask) ? i + 1 : -1;
    }
    return 0;
}

std::string CMvDoc::MeetingTimeOf(uint16_t key, int year) const {
    const CongregationIndexEntry* entry = Congregation(FindCongregationByKey(key) - 1);
    if (!entry)
        return {};
    return (year % 2 != 0) ? entry->meetingTimeOdd : entry->meetingTimeEven;
}

std::string CMvDoc::MeetingTimeForWeek(uint16_t key, int weekIndex) const {
    const CongregationIndexEntry* entry = Congregation(FindCongregationByKey(key) - 1);
    if (!entry)
        return {};
    return dates::OddYear(weekIndex, MeetingDays()) ? entry->meetingTimeOdd
                                                    : entry->meetingTimeEven;
}

uint8_t CMvDoc::MeetingWeekdayForWeek(int index, int weekIndex) const {
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return 0;
    return dates::OddYear(weekIndex, MeetingDays()) ? entry->weekdayOdd : entry->weekdayEven;
}

bool CMvDoc::DiffersFromHomeWeekday(int weekIndex, uint16_t key, uint8_t& storedWeekday) const {
    storedWeekday = 0;
    const int index = FindCongregationByKey(key) - 1;
    if (index < 0)
        return false;
    storedWeekday = MeetingWeekdayForWeek(index, weekIndex);
    const bool odd = dates::OddYear(weekIndex, MeetingDays());
    // Compared in the home coding: stored 0 is Sunday, the home days count from Monday.
    return HomeWeekday(storedWeekday) != (odd ? m_homeWeekdayOdd : m_homeWeekdayEven);
}

int CMvDoc::TalkCoordinatorOf(int index) const {
    const CongregationIndexEntry* entry = Congregation(index);
    if (!entry)
        return 0;
    const int brother = FindBrotherByKey(entry->talkCoordinatorKey);
    return brother == kNotFound ? 0 : brother + 1;
}

} // namespace mivra
