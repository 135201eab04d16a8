#include "store/Availability.h"

#include "base/Bytes.h"
#include "store/StoreContext.h"

#include <algorithm>

namespace mivra {

AvailabilityRecord AvailabilityRecord::Decode(std::span<const uint8_t> in) {
    std::array<uint8_t, kSize> raw{};
    std::copy_n(in.begin(), std::min(in.size(), kSize), raw.begin());
    AvailabilityRecord r;
    r.brotherKey = bytes::GetU16(raw, 0);
    r.weekNumber = bytes::GetU16(raw, 2);
    std::copy_n(raw.begin() + 4, 4, r.reserved.begin());
    return r;
}

std::array<uint8_t, AvailabilityRecord::kSize> AvailabilityRecord::Encode() const {
    std::array<uint8_t, kSize> out{};
    bytes::PutU16(out, 0, brotherKey);
    bytes::PutU16(out, 2, weekNumber);
    std::copy(reserved.begin(), reserved.end(), out.begin() + 4);
    return out;
}

AvailabilityTable::AvailabilityTable(StoreContext& context) : m_context(context) {}

void AvailabilityTable::Load(int currentWeek) {
    // The cap bounds the memory a hostile file can take; a longer file is protected.
    constexpr uint64_t kMaxRecords = 1 << 20;
    io::FileBytes file =
        m_context.Files().Read(file::kAvailability, kMaxRecords * AvailabilityRecord::kSize);
    Load(file.bytes, currentWeek);
}

bool AvailabilityTable::SaveAvailability() {
    if (m_records.empty() || !m_changed)
        return true;
    if (!m_context.SaveFile(file::kAvailability, Encode()))
        return false;
    m_changed = false;
    return true;
}

void AvailabilityTable::Load(std::span<const uint8_t> bytes, int currentWeek) {
    Clear();
    m_currentWeek = currentWeek;
    for (size_t at = 0; at + AvailabilityRecord::kSize <= bytes.size();
         at += AvailabilityRecord::kSize) {
        AvailabilityRecord r = AvailabilityRecord::Decode(bytes.subspan(at));
        if (!r.Empty() && r.weekNumber >= currentWeek) {
            m_records.push_back(r);
            Count(r, 1);
        }
    }
}

void AvailabilityTable::Clear() {
    m_records.clear();
    m_present.clear();
    m_changed = false;
}

std::vector<uint8_t> AvailabilityTable::Encode() const {
    std::vector<uint8_t> out;
    for (const AvailabilityRecord& r : m_records) {
        if (r.Empty())
            continue;
        auto bytes = r.Encode();
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

void AvailabilityTable::AddUnavailableWeek(uint16_t brother, uint16_t week) {
    // Present already: a record reused earlier in the table would make it twice.
    if (brother == 0 || !IsAvailable(brother, week))
        return;
    m_changed = true;
    for (AvailabilityRecord& r : m_records) {
        bool stale = r.weekNumber < m_currentWeek - 1;
        bool same = r.brotherKey == brother && r.weekNumber == week;
        if (r.Empty() || stale || same) {
            if (!r.Empty())
                Count(r, -1);
            r = AvailabilityRecord{};
            r.brotherKey = brother;
            r.weekNumber = week;
            Count(r, 1);
            return;
        }
    }
    m_records.push_back({brother, week, {}});
    Count(m_records.back(), 1);
}

void AvailabilityTable::RemoveUnavailableWeek(uint16_t brother, uint16_t week) {
    m_changed = true;
    if (IsAvailable(brother, week))
        return;
    for (AvailabilityRecord& r : m_records)
        if (r.brotherKey == brother && r.weekNumber == week)
            r = AvailabilityRecord{};
    m_present.erase(Pair(brother, week));
}

int AvailabilityTable::RemoveWeeks(const std::function<bool(uint16_t, uint16_t)>& match) {
    int removed = 0;
    for (AvailabilityRecord& r : m_records) {
        if (r.Empty() || !match(r.brotherKey, r.weekNumber))
            continue;
        Count(r, -1);
        r = AvailabilityRecord{};
        ++removed;
    }
    if (removed)
        m_changed = true;
    return removed;
}

void AvailabilityTable::AddUnavailableWeeks(std::span<const std::pair<uint16_t, uint16_t>> weeks) {
    // Each record a single add would take lies after the one taken before it, so one walk
    // places them all where adding them one by one would.
    size_t at = 0;
    for (const auto& [brother, week] : weeks) {
        if (brother == 0 || !IsAvailable(brother, week))
            continue;
        m_changed = true;
        while (at < m_records.size() && !m_records[at].Empty() &&
               m_records[at].weekNumber >= m_currentWeek - 1)
            ++at;
        if (at == m_records.size())
            m_records.push_back({});
        AvailabilityRecord& r = m_records[at++];
        if (!r.Empty())
            Count(r, -1);
        r = AvailabilityRecord{};
        r.brotherKey = brother;
        r.weekNumber = week;
        Count(r, 1);
    }
}

int AvailabilityTable::RemoveBrother(uint16_t brother) {
    int removed = 0;
    for (AvailabilityRecord& r : m_records) {
        if (brother != 0 && r.brotherKey == brother) {
            Count(r, -1);
            r = AvailabilityRecord{};
            ++removed;
        }
    }
    if (removed)
        m_changed = true;
    return removed;
}

bool AvailabilityTable::IsAvailable(uint16_t brother, uint16_t week) const {
    if (brother == 0)
        return true;
    return m_present.find(Pair(brother, week)) == m_present.end();
}

void AvailabilityTable::Count(const AvailabilityRecord& r, int delta) {
    const uint32_t pair = Pair(r.brotherKey, r.weekNumber);
    if ((m_present[pair] += delta) <= 0)
        m_present.erase(pair);
}

std::vector<uint16_t> AvailabilityTable::ListUnavailableWeeks(uint16_t brother, int limit) const {
    if (limit <= 0)
        limit = 55;
    std::vector<uint16_t> weeks;
    for (const AvailabilityRecord& r : m_records) {
        if (static_cast<int>(weeks.size()) >= limit)
            break;
        if (brother != 0 && r.brotherKey == brother)
            weeks.push_back(r.weekNumber);
    }
    return weeks;
}

} // namespace mivra
