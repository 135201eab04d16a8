#pragma once

#include <cstdint>

// The week queries every scheduling page shares. They read the document's window only: a
// week outside it reads as blank, and no scan reaches below baseWeek + 1 or above the window.
// A key or talk of 0 always answers 0.
namespace mivra {

class CMvDoc;

/** The duties WeekDutyOf reports, also the codes of the conflict texts (1035 + code). */
enum WeekDuty : int {
    kNoDuty = 0,
    kDutyHomeSpeaker = 1,
    kDutyOutgoing = 2,
    kDutyChairman = 3,
    kDutyReader = 4,
};

/**
 * The brother's first duty in the week, looked for in the order outgoing speaker, home
 * speaker, chairman, reader; the duty named by `excluded` is skipped (0 skips none). The
 * host is not a duty here.
 */
int WeekDutyOf(const CMvDoc& doc, uint16_t brother, int weekIndex, int excluded);

/**
 * The week number of the latest week, from fromIndex down to baseWeek + 1, whose home
 * speaker is the brother; 0 when none. fromIndex 0 means firstShownWeek + 20.
 */
int LastHomeTalkWeek(const CMvDoc& doc, uint16_t brother, int fromIndex);

/** As LastHomeTalkWeek, for the six outgoing speaker slots. */
int LastOutgoingWeek(const CMvDoc& doc, uint16_t brother, int fromIndex);

/**
 * The index of the week within seven weeks either side of weekIndex (itself included) in
 * which the brother goes out, nearest first and the earlier of two equally near; 0 when
 * none, and always 0 when weekIndex is within seven weeks of baseWeek.
 */
int NearestOutgoingWeek(const CMvDoc& doc, uint16_t brother, int weekIndex);

/**
 * The week number of the latest week, from fromIndex + 52 down to baseWeek + 1, whose home
 * talk is the talk; 0 when none. fromIndex 0 means firstShownWeek.
 */
int LastTalkWeek(const CMvDoc& doc, int talk, int fromIndex);

/**
 * Whether the talk is given or planned recently: the latest week from firstShownWeek + 78
 * down whose home talk it is has a week number above firstShownWeek - 26.
 */
bool OnCurrentSchedule(const CMvDoc& doc, int talk);

/** In how many of the 55 weeks from week index currentWeek on the brother has any duty. */
int BusyWeekCount(const CMvDoc& doc, uint16_t brother);

} // namespace mivra
