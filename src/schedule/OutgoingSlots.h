#pragma once

#include "store/WeekRecord.h"

#include <cstdint>

// The six outgoing slots of a week: speaker, destination and talk belong to a slot and move
// with it; the filled slots (those with a speaker) stay at the front, in their order.
namespace mivra::schedule {

/** How many slots have a speaker. */
int SpeakerCount(const WeekRecord& week);
bool HasOutgoingSpeaker(const WeekRecord& week, uint16_t brother);
/** Puts him into the first free slot; the slot, or −1 when all six are taken. */
int AddOutgoingSpeaker(WeekRecord& week, uint16_t brother);
/** Another brother takes the slot without its destination and talk; the same one keeps them.
 *  True when the slot changed. */
bool ReplaceOutgoingSpeaker(WeekRecord& week, int slot, uint16_t brother);
/** Clears the slot; the later slots move up one place and the last one is emptied. */
void RemoveOutgoingSlot(WeekRecord& week, int slot);
/** Exchanges two slots (speaker, destination and talk); false when either is outside 0–5. */
bool SwapOutgoingSlots(WeekRecord& week, int first, int second);
/** Moves the filled slots to the front, keeping their order. */
void PackOutgoingSlots(WeekRecord& week);
/** Packs the filled slots and empties the rest: a slot without a speaker keeps nothing. */
void CompactOutgoingSlots(WeekRecord& week);

} // namespace mivra::schedule
