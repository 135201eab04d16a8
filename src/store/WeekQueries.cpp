#include "store/WeekQueries.h"

#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra {
namespace {

constexpr int kBusyWeeks = 55;
constexpr int kNearWeeks = 7;

bool GoesOut(const WeekRecord& week, uint16_t brother) {
    return std::any_of(week.outSpeaker.begin(), week.outSpeaker.end(),
                       [brother](int16_t speaker) { return SameKey(speaker, brother); });
}

/** The week number of the latest matching week from `from` down to the window's floor. */
template <class Match>
int LatestWeek(const CMvDoc& doc, int from, Match match) {
    const WeekWindow& weeks = doc.Weeks();
    const int floor = weeks.BaseWeek() + 1;
    const int top = std::min(from, weeks.BaseWeek() + WeekWindow::kWeeks - 1);
    for (int i = top; i >= floor; --i)
        if (match(weeks.Week(i)))
            return i + 1;
    return 0;
}

} // namespace

int WeekDutyOf(const CMvDoc& doc, uint16_t brother, int weekIndex, int excluded) {
    if (brother == 0)
        return kNoDuty;
    const WeekRecord week = doc.Weeks().Week(weekIndex);
    if (excluded != kDutyOutgoing && GoesOut(week, brother))
        return kDutyOutgoing;
    if (excluded != kDutyHomeSpeaker && SameKey(week.homeSpeaker, brother))
        return kDutyHomeSpeaker;
    if (excluded != kDutyChairman && SameKey(week.chairman, brother))
        return kDutyChairman;
    if (excluded != kDutyReader && SameKey(week.reader, brother))
        return kDutyReader;
    return kNoDuty;
}

int LastHomeTalkWeek(const CMvDoc& doc, uint16_t brother, int fromIndex) {
    if (brother == 0)
        return 0;
    const int from = fromIndex == 0 ? doc.FirstShownWeek() + 20 : fromIndex;
    return LatestWeek(doc, from,
                      [brother](const WeekRecord& w) { return SameKey(w.homeSpeaker, brother); });
}

int LastOutgoingWeek(const CMvDoc& doc, uint16_t brother, int fromIndex) {
    if (brother == 0)
        return 0;
    const int from = fromIndex == 0 ? doc.FirstShownWeek() + 20 : fromIndex;
    return LatestWeek(doc, from, [brother](const WeekRecord& w) { return GoesOut(w, brother); });
}

int NearestOutgoingWeek(const CMvDoc& doc, uint16_t brother, int weekIndex) {
    if (brother == 0 || weekIndex - doc.Weeks().BaseWeek() <= kNearWeeks)
        return 0;
    // Outwards from the week itself, the earlier side first, so a tie goes to the earlier.
    for (int distance = 0; distance <= kNearWeeks; ++distance) {
        if (GoesOut(doc.Weeks().Week(weekIndex - distance), brother))
            return weekIndex - distance;
        if (GoesOut(doc.Weeks().Week(weekIndex + distance), brother))
            return weekIndex + distance;
    }
    return 0;
}

int LastTalkWeek(const CMvDoc& doc, int talk, int fromIndex) {
    if (talk <= 0)
        return 0;
    const int from = (fromIndex == 0 ? doc.FirstShownWeek() : fromIndex) + 52;
    return LatestWeek(doc, from, [talk](const WeekRecord& w) { return w.homeTalk == talk; });
}

bool OnCurrentSchedule(const CMvDoc& doc, int talk) {
    if (talk <= 0)
        return false;
    const int latest = LatestWeek(doc, doc.FirstShownWeek() + 78,
                                  [talk](const WeekRecord& w) { return w.homeTalk == talk; });
    return latest > doc.FirstShownWeek() - 26;
}

int BusyWeekCount(const CMvDoc& doc, uint16_t brother) {
    int count = 0;
    for (int i = doc.CurrentWeek(); i < doc.CurrentWeek() + kBusyWeeks; ++i)
        if (WeekDutyOf(doc, brother, i, kNoDuty) != kNoDuty)
            ++count;
    return count;
}

} // namespace mivra
