#include "store/WeekRecord.h"

#include "base/Bytes.h"

#include <algorithm>

namespace mivra {

using bytes::GetI16;
using bytes::GetU16;
using bytes::PutI16;
using bytes::PutU16;

WeekRecord WeekRecord::Blank(int weekIndex) {
    WeekRecord r;
    r.weekNumber = static_cast<uint16_t>(weekIndex + 1);
    return r;
}

WeekRecord WeekRecord::Decode(std::span<const uint8_t> in) {
    std::array<uint8_t, kSize> raw{};
    std::copy_n(in.begin(), std::min(in.size(), kSize), raw.begin());
    std::span<const uint8_t> b(raw);
    WeekRecord r;
    r.weekNumber = GetU16(b, 0);
    r.homeSpeaker = GetI16(b, 2);
    r.homeTalk = GetU16(b, 4);
    r.homeCongregation = GetI16(b, 6);
    r.asked = GetI16(b, 8);
    r.confirmed = GetU16(b, 10);
    r.reminder = GetI16(b, 12);
    r.chairman = GetI16(b, 14);
    r.reader = GetI16(b, 16);
    r.host = GetI16(b, 18);
    r.weekFlags = GetU16(b, 20);
    std::copy_n(raw.begin() + 22, r.reserved.size(), r.reserved.begin());
    for (size_t i = 0; i < kOutSlots; ++i) {
        r.outSpeaker[i] = GetI16(b, 28 + 2 * i);
        r.outCongregation[i] = GetI16(b, 40 + 2 * i);
        r.outTalk[i] = GetU16(b, 52 + 2 * i);
    }
    return r;
}

std::array<uint8_t, WeekRecord::kSize> WeekRecord::Encode() const {
    std::array<uint8_t, kSize> out{};
    std::span<uint8_t> b(out);
    PutU16(b, 0, weekNumber);
    PutI16(b, 2, homeSpeaker);
    PutU16(b, 4, homeTalk);
    PutI16(b, 6, homeCongregation);
    PutI16(b, 8, asked);
    PutU16(b, 10, confirmed);
    PutI16(b, 12, reminder);
    PutI16(b, 14, chairman);
    PutI16(b, 16, reader);
    PutI16(b, 18, host);
    PutU16(b, 20, weekFlags);
    std::copy(reserved.begin(), reserved.end(), out.begin() + 22);
    for (size_t i = 0; i < kOutSlots; ++i) {
        PutI16(b, 28 + 2 * i, outSpeaker[i]);
        PutI16(b, 40 + 2 * i, outCongregation[i]);
        PutU16(b, 52 + 2 * i, outTalk[i]);
    }
    return out;
}

} // namespace mivra
