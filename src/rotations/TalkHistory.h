#pragma once

#include <cstdint>
#include <vector>

namespace mivra {
class CMvDoc;
}

// The history is the schedule itself: these queries walk the week records.
namespace mivra::rotations {

/** One week of the home walk with its home talk. */
struct HomeTalkWeek {
    int weekIndex = 0;
    uint16_t talk = 0;         ///< the talk's key (its number)
    uint16_t speaker = 0;      ///< brotherKey; 0 when the week names none
    uint16_t congregation = 0; ///< the congregation the week says he came from
};

/**
 * The home walk: the weeks from fromIndex down to baseWeek + 1, newest first, that have a
 * home talk; with a talk given, only that talk's weeks. fromIndex 0 means firstShownWeek + 20
 * (currentWeek + 20 outside the scheduling sheet). Weeks outside the window are never listed.
 */
std::vector<HomeTalkWeek> HomeTalkWeeks(const CMvDoc& doc, int talk, int fromIndex = 0);

} // namespace mivra::rotations
