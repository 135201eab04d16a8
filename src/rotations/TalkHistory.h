#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mivra {
class CMvDoc;
}

// The history is the schedule itself: these queries walk the week records. F below is the
// first shown week (currentWeek outside the scheduling sheet); no walk leaves the window or
// reaches its first slot.
namespace mivra::rotations {

inline constexpr int kHomeSlot = -1;

/** One talk of a week: the home talk, or the talk of one outgoing slot. */
struct TalkGiven {
    int weekIndex = 0;
    uint16_t talk = 0;         ///< the talk's key (its number)
    uint16_t speaker = 0;      ///< brotherKey; 0 when the week names none
    uint16_t congregation = 0; ///< home: where the speaker came from; outgoing: the destination
    int slot = kHomeSlot;      ///< 0–5 for an outgoing slot
};
using HomeTalkWeek = TalkGiven;

/**
 * The home walk: the weeks from fromIndex down to baseWeek + 1, newest first, that have a
 * home talk; with a talk given, only that talk's weeks. fromIndex 0 means F + 20.
 */
std::vector<HomeTalkWeek> HomeTalkWeeks(const CMvDoc& doc, int talk, int fromIndex = 0);

/** How many weeks from upperIndex (0: F + 20) down have him as home speaker; 0 for key 0. */
int SpeakerTalkCount(const CMvDoc& doc, uint16_t brother, int upperIndex = 0);

/** What the talk history lists. */
struct TalkHistoryFilter {
    bool outgoing = false; ///< the outgoing slots instead of the home talks
    bool choosing = false; ///< F − 1 up to F + 19, oldest first, instead of the home walk
    int talk = 0;          ///< 0: every talk
    uint16_t speaker = 0;  ///< outgoing only; 0: every speaker
};

/** The talk history's rows in listing order; outgoing slots of a week in slot order. */
std::vector<TalkGiven> TalkHistoryRows(const CMvDoc& doc, const TalkHistoryFilter& filter);

/**
 * The speaker history: from F + 52 down, each week's home talk by him and, when he belongs
 * to the home congregation, then each outgoing slot he holds (the congregation is the
 * destination there).
 */
std::vector<TalkGiven> SpeakerHistoryRows(const CMvDoc& doc, uint16_t brother);

/** The talk's number text; empty for 0 and for keys above the talks (a dangling key). */
std::string TalkNumberText(const CMvDoc& doc, int talk);

} // namespace mivra::rotations
