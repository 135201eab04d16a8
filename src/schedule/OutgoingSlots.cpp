#include "schedule/OutgoingSlots.h"

#include <utility>

namespace mivra::schedule {
namespace {

constexpr int kSlots = static_cast<int>(WeekRecord::kOutSlots);

bool InRange(int slot) {
    return slot >= 0 && slot < kSlots;
}

size_t At(int slot) {
    return static_cast<size_t>(slot);
}

void ClearSlot(WeekRecord& week, int slot) {
    week.outSpeaker[At(slot)] = 0;
    week.outCongregation[At(slot)] = 0;
    week.outTalk[At(slot)] = 0;
}

} // namespace

int SpeakerCount(const WeekRecord& week) {
    int count = 0;
    for (int16_t speaker : week.outSpeaker)
        count += speaker != 0 ? 1 : 0;
    return count;
}

bool HasOutgoingSpeaker(const WeekRecord& week, uint16_t brother) {
    for (int16_t speaker : week.outSpeaker)
        if (SameKey(speaker, brother))
            return true;
    return false;
}

int AddOutgoingSpeaker(WeekRecord& week, uint16_t brother) {
    for (int s = 0; s < kSlots; ++s) {
        if (week.outSpeaker[At(s)] != 0)
            continue;
        ClearSlot(week, s);
        week.outSpeaker[At(s)] = static_cast<int16_t>(brother);
        return s;
    }
    return -1;
}

bool ReplaceOutgoingSpeaker(WeekRecord& week, int slot, uint16_t brother) {
    if (!InRange(slot) || brother == 0 || SameKey(week.outSpeaker[At(slot)], brother))
        return false;
    ClearSlot(week, slot);
    week.outSpeaker[At(slot)] = static_cast<int16_t>(brother);
    return true;
}

void RemoveOutgoingSlot(WeekRecord& week, int slot) {
    if (!InRange(slot))
        return;
    for (int s = slot; s + 1 < kSlots; ++s)
        SwapOutgoingSlots(week, s, s + 1);
    ClearSlot(week, kSlots - 1);
}

bool SwapOutgoingSlots(WeekRecord& week, int first, int second) {
    if (!InRange(first) || !InRange(second))
        return false;
    std::swap(week.outSpeaker[At(first)], week.outSpeaker[At(second)]);
    std::swap(week.outCongregation[At(first)], week.outCongregation[At(second)]);
    std::swap(week.outTalk[At(first)], week.outTalk[At(second)]);
    return true;
}

void PackOutgoingSlots(WeekRecord& week) {
    int free = 0;
    for (int s = 0; s < kSlots; ++s) {
        if (week.outSpeaker[At(s)] == 0)
            continue;
        if (s != free)
            SwapOutgoingSlots(week, free, s);
        ++free;
    }
}

void CompactOutgoingSlots(WeekRecord& week) {
    PackOutgoingSlots(week);
    for (int s = SpeakerCount(week); s < kSlots; ++s)
        ClearSlot(week, s);
}

} // namespace mivra::schedule
