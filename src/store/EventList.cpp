#include "store/EventList.h"

#include "base/Bytes.h"
#include "base/Text.h"
#include "store/Records.h"
#include "store/StoreContext.h"

#include <algorithm>

namespace mivra {

SpecialEventRecord SpecialEventRecord::Decode(std::span<const uint8_t> in, int codePage) {
    std::array<uint8_t, kSize> raw{};
    std::copy_n(in.begin(), std::min(in.size(), kSize), raw.begin());
    std::span<const uint8_t> b(raw);
    SpecialEventRecord r;
    r.weekIndex = bytes::GetU16(b, 0);
    r.flags = bytes::GetU16(b, 2);
    r.name = text::DecodeField(b.subspan(4, 40), codePage);
    r.theme = text::DecodeField(b.subspan(44, 96), codePage);
    std::copy_n(raw.begin() + 140, 4, r.reserved.begin());
    return r;
}

std::array<uint8_t, SpecialEventRecord::kSize> SpecialEventRecord::Encode(int codePage) const {
    std::array<uint8_t, kSize> out{};
    std::span<uint8_t> b(out);
    bytes::PutU16(b, 0, weekIndex);
    bytes::PutU16(b, 2, flags);
    text::EncodeField(name, codePage, b.subspan(4, 40), SIZE_MAX);
    text::EncodeField(theme, codePage, b.subspan(44, 96), SIZE_MAX);
    std::copy(reserved.begin(), reserved.end(), out.begin() + 140);
    return out;
}

uint16_t EventStrikes(const WeekRecord& week, uint16_t flags) {
    uint16_t bits = flags & 0xFF;
    if (week.homeSpeaker != 0 || week.homeTalk != 0 || week.homeCongregation != 0)
        bits |= kStrikeHomeSpeaker;
    if (week.chairman != 0 && !(flags & kWeekChairmanAnyway))
        bits |= kStrikeChairman;
    if (week.host != 0 && !(flags & kWeekHostAnyway))
        bits |= kStrikeHost;
    if (week.reader != 0 && !(flags & kWeekReaderAnyway))
        bits |= kStrikeReader;
    return bits;
}

void ApplyEventStrikes(WeekRecord& week, uint16_t bits) {
    if (bits & kStrikeHomeSpeaker) {
        week.homeSpeaker = 0;
        week.homeTalk = 0;
        week.homeCongregation = 0;
        // The ticks belonged to the struck speaker; the next one starts unasked.
        week.asked = 0;
        week.confirmed = 0;
        week.reminder = 0;
    }
    if ((bits & kStrikeChairman) && !(bits & kWeekChairmanAnyway))
        week.chairman = 0;
    if ((bits & kStrikeHost) && !(bits & kWeekHostAnyway))
        week.host = 0;
    if ((bits & kStrikeReader) && !(bits & kWeekReaderAnyway))
        week.reader = 0;
}

EventList::EventList(StoreContext& context) : m_context(context) {}

void EventList::Load() {
    // The cap bounds the memory a hostile file can take; a longer file is protected.
    constexpr uint64_t kMaxEvents = 65536;
    io::FileBytes file =
        m_context.Files().Read(file::kEvents, kMaxEvents * SpecialEventRecord::kSize);
    Load(file.bytes, m_context.CodePage());
}

bool EventList::SaveSpecialEvents() const {
    return m_context.SaveFile(file::kEvents, Encode(m_context.CodePage()));
}

void EventList::Load(std::span<const uint8_t> bytes, int codePage) {
    m_events.clear();
    for (size_t at = 0; at + SpecialEventRecord::kSize <= bytes.size();
         at += SpecialEventRecord::kSize)
        m_events.push_back(
            SpecialEventRecord::Decode(bytes.subspan(at, SpecialEventRecord::kSize), codePage));
}

std::vector<uint8_t> EventList::Encode(int codePage) const {
    return EncodeAll(m_events, codePage);
}

const SpecialEventRecord* EventList::At(int index) const {
    return (index >= 0 && index < Count()) ? &m_events[static_cast<size_t>(index)] : nullptr;
}

int EventList::Find(int weekIndex) const {
    for (size_t i = 0; i < m_events.size(); ++i)
        if (m_events[i].weekIndex == weekIndex)
            return static_cast<int>(i) + 1;
    return 0;
}

int EventList::Add(const SpecialEventRecord& record) {
    if (int position = Find(record.weekIndex)) {
        m_events[static_cast<size_t>(position - 1)] = record;
        return position;
    }
    // A stable sort of the whole list, as the insertion sort does: a file read out of order
    // comes into order too.
    m_events.push_back(record);
    std::stable_sort(m_events.begin(), m_events.end(),
                     [](const SpecialEventRecord& a, const SpecialEventRecord& b) {
                         return a.weekIndex < b.weekIndex;
                     });
    return Find(record.weekIndex);
}

void EventList::Remove(int index) {
    if (At(index))
        m_events.erase(m_events.begin() + index);
}

} // namespace mivra
