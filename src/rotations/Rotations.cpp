#include "rotations/Rotations.h"

#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/WeekQueries.h"

#include <algorithm>
#include <vector>

namespace mivra::rotations {
namespace {

constexpr int kAssemblyText = 1117;   // "Sammankomst"
constexpr int kVisitText = 1118;      // "KT-besök"
constexpr int kOtherEventText = 1014; // "Särskild händelse"
/** Turns are counted from this week index up; earlier weeks are never looked at. */
constexpr int kScanFloor = 101;

uint16_t AnywayFlag(Duty duty) {
    switch (duty) {
    case Duty::Chairman:
        return kWeekChairmanAnyway;
    case Duty::Reader:
        return kWeekReaderAnyway;
    case Duty::Host:
        return kWeekHostAnyway;
    }
    return 0;
}

/** Step 1 of the automatic choice: an assembly, or a visit or other event without the flag. */
bool TakenByEvent(const WeekRecord& week, Duty duty) {
    if (week.weekFlags & kWeekAssembly)
        return true;
    return (week.weekFlags & (kWeekOverseerVisit | kWeekOtherEvent)) &&
           !(week.weekFlags & AnywayFlag(duty));
}

/**
 * The first of the candidates, in their order, who has not held the duty from the week down
 * to the floor; else the one whose latest turn is earliest (ties to the earlier candidate).
 */
template <class Candidates>
uint16_t LeastRecent(const CMvDoc& doc, int weekIndex, Duty duty, const Candidates& candidates) {
    const int floor = std::max(kScanFloor, doc.Weeks().BaseWeek());
    uint16_t best = 0;
    int bestWeek = weekIndex;
    for (uint16_t candidate : candidates) {
        int last = -1;
        for (int w = weekIndex; w >= floor && last < 0; --w)
            if (HolderOf(doc.Weeks().Week(w), duty) == candidate)
                last = w;
        if (last < 0)
            return candidate;
        if (last < bestWeek) {
            best = candidate;
            bestWeek = last;
        }
    }
    return best;
}

bool Qualifies(const CMvDoc& doc, const OurBrotherEntry& entry, int weekIndex, uint16_t mask) {
    const BrotherIndexEntry* brother = doc.Brothers().Brother(entry.position);
    return brother && !brother->Suspended() && (entry.roleBits & mask) &&
           doc.Availability().IsAvailable(entry.brotherKey, static_cast<uint16_t>(weekIndex + 1)) &&
           WeekDutyOf(doc, entry.brotherKey, weekIndex, kNoDuty) == kNoDuty;
}

} // namespace

uint16_t HolderOf(const WeekRecord& week, Duty duty) {
    switch (duty) {
    case Duty::Chairman:
        return static_cast<uint16_t>(week.chairman);
    case Duty::Reader:
        return static_cast<uint16_t>(week.reader);
    case Duty::Host:
        return static_cast<uint16_t>(week.host);
    }
    return 0;
}

void SetHolder(WeekRecord& week, Duty duty, uint16_t holder) {
    const auto value = static_cast<int16_t>(holder);
    if (duty == Duty::Chairman)
        week.chairman = value;
    else if (duty == Duty::Reader)
        week.reader = value;
    else
        week.host = value;
}

bool IsBlocked(const WeekRecord& week, Duty duty) {
    // The reader page shows "KT-besök" for every visit, whatever the flags say.
    if (duty == Duty::Reader && (week.weekFlags & kWeekOverseerVisit))
        return true;
    return TakenByEvent(week, duty);
}

int EventTextId(const WeekRecord& week) {
    if (!week.IsEventWeek())
        return 0;
    if (week.weekFlags & kWeekAssembly)
        return kAssemblyText;
    return (week.weekFlags & kWeekOverseerVisit) ? kVisitText : kOtherEventText;
}

int BlockedTextId(const WeekRecord& week, Duty duty) {
    return IsBlocked(week, duty) ? EventTextId(week) : 0;
}

bool IsRotationWeekDone(const CMvDoc& doc, int weekIndex, Duty duty) {
    const WeekRecord week = doc.Weeks().Week(weekIndex);
    return HolderOf(week, duty) != 0 || IsBlocked(week, duty);
}

uint16_t PickRotationBrother(const CMvDoc& doc, int weekIndex, int role) {
    if (role != kRoleChairman && role != kRoleReader)
        return 0;
    const Duty duty = role == kRoleChairman ? Duty::Chairman : Duty::Reader;
    if (TakenByEvent(doc.Weeks().Week(weekIndex), duty))
        return 0;
    const auto mask = static_cast<uint16_t>(1u << role);
    std::vector<uint16_t> candidates;
    for (const OurBrotherEntry& entry : doc.Brothers().OurBrothers())
        if (Qualifies(doc, entry, weekIndex, mask))
            candidates.push_back(entry.brotherKey);
    return LeastRecent(doc, weekIndex, duty, candidates);
}

uint16_t PickHost(const CMvDoc& doc, int weekIndex) {
    if (TakenByEvent(doc.Weeks().Week(weekIndex), Duty::Host))
        return 0;
    std::vector<uint16_t> candidates;
    for (const HostRecord& host : doc.Hosts().Items())
        if (!host.name.starts_with('~'))
            candidates.push_back(host.key);
    return LeastRecent(doc, weekIndex, Duty::Host, candidates);
}

uint16_t PickFor(const CMvDoc& doc, int weekIndex, Duty duty) {
    switch (duty) {
    case Duty::Chairman:
        return PickRotationBrother(doc, weekIndex, kRoleChairman);
    case Duty::Reader:
        return PickRotationBrother(doc, weekIndex, kRoleReader);
    case Duty::Host:
        return PickHost(doc, weekIndex);
    }
    return 0;
}

WeekRun FillRange(const CMvDoc& doc, int selected, Duty duty, int firstShown) {
    for (int w = selected; w >= firstShown - 2; --w)
        if (IsRotationWeekDone(doc, w, duty))
            return {std::min(w + 1, selected), selected};
    return {std::min(firstShown - 1, selected), selected};
}

WeekRun ClearRange(const CMvDoc& doc, int selected, Duty duty, int firstShown) {
    for (int w = selected; w <= firstShown + 25; ++w)
        if (HolderOf(doc.Weeks().Week(w), duty) == 0)
            return {selected, std::max(w - 1, selected)};
    return {selected, selected};
}

int FillWeeks(const CMvDoc& doc, WeekRun run, Duty duty, const StoreHolder& store) {
    int filled = 0;
    for (int w = run.first; w <= run.last; ++w) {
        // A week the row shows as taken by an event never gets a holder it would hide.
        if (IsRotationWeekDone(doc, w, duty))
            continue;
        const uint16_t holder = PickFor(doc, w, duty);
        if (holder != 0 && store(w, holder))
            ++filled;
    }
    return filled;
}

std::string ReaderText(const CMvDoc& doc, int weekIndex) {
    const WeekRecord week = doc.Weeks().Week(weekIndex);
    if (week.reader != 0)
        return HolderName(doc, Duty::Reader, static_cast<uint16_t>(week.reader));
    const int text = BlockedTextId(week, Duty::Reader);
    return text ? doc.Strings().Get(text) : std::string();
}

std::string HolderName(const CMvDoc& doc, Duty duty, uint16_t holder) {
    if (holder == 0)
        return {};
    return duty == Duty::Host ? doc.Hosts().NameByKey(holder)
                              : doc.Brothers().BrotherNameByKey(holder, false);
}

} // namespace mivra::rotations
