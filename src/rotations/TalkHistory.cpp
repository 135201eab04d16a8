#include "rotations/TalkHistory.h"

#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra::rotations {
namespace {

constexpr int kWeeksAhead = 20;

} // namespace

std::vector<HomeTalkWeek> HomeTalkWeeks(const CMvDoc& doc, int talk, int fromIndex) {
    std::vector<HomeTalkWeek> hits;
    if (talk < 0)
        return hits;
    const WeekWindow& weeks = doc.Weeks();
    const int from = fromIndex == 0 ? doc.FirstShownWeek() + kWeeksAhead : fromIndex;
    const int top = std::min(from, weeks.BaseWeek() + WeekWindow::kWeeks - 1);
    for (int i = top; i > weeks.BaseWeek(); --i) {
        const WeekRecord week = weeks.Week(i);
        if (week.homeTalk == 0 || (talk != 0 && week.homeTalk != talk))
            continue;
        hits.push_back({i, week.homeTalk, static_cast<uint16_t>(week.homeSpeaker),
                        static_cast<uint16_t>(week.homeCongregation)});
    }
    return hits;
}

} // namespace mivra::rotations
