#pragma once

#include "store/WeekRecord.h"

#include <cstdint>
#include <functional>
#include <string>

// The chairman, reader and host rotations over the document's weeks: which weeks need the
// duty, who is next in turn, and the runs of weeks the pages fill and clear.
namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

enum class Duty { Chairman, Reader, Host };

/** The role numbers of PickRotationBrother: the RoleBits bit numbers. */
inline constexpr int kRoleChairman = 2;
inline constexpr int kRoleReader = 4;

/** The week's holder of the duty (a brother key, or a host id). */
uint16_t HolderOf(const WeekRecord& week, Duty duty);
void SetHolder(WeekRecord& week, Duty duty, uint16_t holder);

/**
 * True when an event takes the week from the duty, so its row shows the event instead of a
 * holder: an assembly always; a circuit overseer visit unless the duty's anyway flag is set
 * (for the reader always); another event unless the anyway flag is set.
 */
bool IsBlocked(const WeekRecord& week, Duty duty);
/** The string id of the event text a blocked week shows; 0 when it is not blocked. */
int BlockedTextId(const WeekRecord& week, Duty duty);
/** The event's text of an event week ("Sammankomst", "KT-besök", "Särskild händelse"), or 0. */
int EventTextId(const WeekRecord& week);
/** The week has a holder or is blocked: nothing is left to do for the duty. */
bool IsRotationWeekDone(const CMvDoc& doc, int weekIndex, Duty duty);

/**
 * The home brother next in turn for the role (kRoleChairman or kRoleReader) in the week: of
 * those not suspended, available, without any duty that week and holding the role, the first
 * who has not served since week index 101, else the one whose last turn lies furthest back
 * (the earlier in the list on a tie). 0 when the week is blocked or nobody qualifies.
 */
uint16_t PickRotationBrother(const CMvDoc& doc, int weekIndex, int role);
/** The host next in turn, as PickRotationBrother; hosts stored with a leading "~" never. */
uint16_t PickHost(const CMvDoc& doc, int weekIndex);
/** The automatic choice of the duty in the week (0 in a blocked week). */
uint16_t PickFor(const CMvDoc& doc, int weekIndex, Duty duty);

/** Week indexes, both ends included. */
struct WeekRun {
    int first = 0;
    int last = 0;
    int Count() const { return last - first + 1; }
};

/**
 * The weeks "Välj automatiskt" fills for a selected week without a holder: from the week
 * after the latest done week at or before it (looking no further back than the week before
 * the first row, weekNumber firstShown) up to the selected week.
 */
WeekRun FillRange(const CMvDoc& doc, int selected, Duty duty, int firstShown);
/**
 * The weeks "Rensa" clears for a selected week with a holder: it and the filled weeks after
 * it, up to the week before the first one without a holder (looking one week past the last
 * row); only the selected week when every listed week after it is filled.
 */
WeekRun ClearRange(const CMvDoc& doc, int selected, Duty duty, int firstShown);

/** Stores a week's new holder; false when the week could not be changed. */
using StoreHolder = std::function<bool(int weekIndex, uint16_t holder)>;
/**
 * Gives each week of the run that is not done its automatic choice, in ascending order, so
 * each choice sees the ones before it; weeks without a candidate stay empty. Returns how many
 * weeks were given a holder.
 */
int FillWeeks(const CMvDoc& doc, WeekRun run, Duty duty, const StoreHolder& store);

/** The reader column of a week in the lists: his name, else the event that takes the week. */
std::string ReaderText(const CMvDoc& doc, int weekIndex);
/** The name a holder is shown by: a brother first name first, a host without "~". */
std::string HolderName(const CMvDoc& doc, Duty duty, uint16_t holder);

} // namespace mivra::rotations
