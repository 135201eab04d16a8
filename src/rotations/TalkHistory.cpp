#include "rotations/TalkHistory.h"

#include "store/CMvDoc.h"

#include <algorithm>

namespace mivra::rotations {
namespace {

constexpr int kWeeksAhead = 20;
constexpr int kChoosingBack = 1;
constexpr int kSpeakerWeeksAhead = 52;

uint16_t Key(int16_t field) {
    return static_cast<uint16_t>(field);
}

/** Visits the weeks from `from` to `to` (either direction), clamped to the walkable window. */
template <class Visit>
void Walk(const CMvDoc& doc, int from, int to, Visit visit) {
    const WeekWindow& weeks = doc.Weeks();
    const int low = weeks.BaseWeek() + 1;
    const int high = weeks.BaseWeek() + WeekWindow::kWeeks - 1;
    if (from >= to) {
        for (int i = std::min(from, high); i >= std::max(to, low); --i)
            visit(i, weeks.Week(i));
    } else {
        for (int i = std::max(from, low); i <= std::min(to, high); ++i)
            visit(i, weeks.Week(i));
    }
}

bool Matches(int wanted, int value) {
    return wanted == 0 || wanted == value;
}

// The talk history lists slots with a talk only; the speaker history every slot he holds.
void AddOutgoing(std::vector<TalkGiven>& rows, int index, const WeekRecord& week,
                 const TalkHistoryFilter& filter, bool withTalkOnly = true) {
    for (size_t s = 0; s < WeekRecord::kOutSlots; ++s) {
        const uint16_t talk = week.outTalk[s];
        if ((withTalkOnly && talk == 0) || !Matches(filter.talk, talk) ||
            !Matches(filter.speaker, Key(week.outSpeaker[s])))
            continue;
        rows.push_back({index, talk, Key(week.outSpeaker[s]), Key(week.outCongregation[s]),
                        static_cast<int>(s)});
    }
}

} // namespace

std::vector<HomeTalkWeek> HomeTalkWeeks(const CMvDoc& doc, int talk, int fromIndex) {
    std::vector<HomeTalkWeek> hits;
    if (talk < 0)
        return hits;
    const int from = fromIndex == 0 ? doc.FirstShownWeek() + kWeeksAhead : fromIndex;
    Walk(doc, from, 0, [&](int i, const WeekRecord& week) {
        if (week.homeTalk != 0 && Matches(talk, week.homeTalk))
            hits.push_back({i, week.homeTalk, Key(week.homeSpeaker), Key(week.homeCongregation)});
    });
    return hits;
}

int SpeakerTalkCount(const CMvDoc& doc, uint16_t brother, int upperIndex) {
    int count = 0;
    if (brother == 0)
        return count;
    const int from = upperIndex == 0 ? doc.FirstShownWeek() + kWeeksAhead : upperIndex;
    Walk(doc, from, 0,
         [&](int, const WeekRecord& week) { count += SameKey(week.homeSpeaker, brother) ? 1 : 0; });
    return count;
}

std::vector<TalkGiven> TalkHistoryRows(const CMvDoc& doc, const TalkHistoryFilter& filter) {
    if (!filter.outgoing && !filter.choosing)
        return HomeTalkWeeks(doc, filter.talk);
    std::vector<TalkGiven> rows;
    const int f = doc.FirstShownWeek();
    const int from = filter.choosing ? f - kChoosingBack : f + kWeeksAhead;
    const int to = filter.choosing ? f + kWeeksAhead - 1 : 0;
    Walk(doc, from, to, [&](int i, const WeekRecord& week) {
        if (filter.outgoing)
            AddOutgoing(rows, i, week, filter);
        else if (week.homeTalk != 0 && Matches(filter.talk, week.homeTalk))
            rows.push_back({i, week.homeTalk, Key(week.homeSpeaker), Key(week.homeCongregation)});
    });
    return rows;
}

std::vector<TalkGiven> SpeakerHistoryRows(const CMvDoc& doc, uint16_t brother) {
    std::vector<TalkGiven> rows;
    if (brother == 0)
        return rows;
    const BrotherIndexEntry* entry =
        doc.Brothers().Brother(doc.Brothers().FindBrotherByKey(brother));
    const uint16_t home = doc.Congregations().OurCongregationKey();
    const bool goesOut = entry && home != 0 && entry->congregationKey == home;
    const TalkHistoryFilter hisSlots{.outgoing = true, .speaker = brother};
    Walk(doc, doc.FirstShownWeek() + kSpeakerWeeksAhead, 0, [&](int i, const WeekRecord& week) {
        if (SameKey(week.homeSpeaker, brother))
            rows.push_back({i, week.homeTalk, brother, Key(week.homeCongregation)});
        if (goesOut)
            AddOutgoing(rows, i, week, hisSlots, false);
    });
    return rows;
}

std::string TalkNumberText(const CMvDoc& doc, int talk) {
    const TalkRecord* record = talk >= 1 ? doc.Talks().Talk(talk - 1) : nullptr;
    return record ? record->numberText : std::string();
}

} // namespace mivra::rotations
