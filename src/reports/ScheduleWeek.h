#pragma once

#include "store/Settings.h"

#include <string>
#include <vector>

namespace mivra {
class CMvDoc;
struct WeekRecord;
} // namespace mivra

// One week of the printed schedule as texts, taken from the document. The report places
// them; the tab-separated export shares the texts of special weeks and talks.
namespace mivra::reports {

/** What takes a week, the first of assembly, visit and other event when flags disagree. */
enum class WeekKind { Ordinary, Assembly, Visit, Other };

WeekKind KindOf(const WeekRecord& week);

/**
 * The title of a special week: the event's theme, but its name when the theme is empty or the
 * week is an assembly; the kind's default text ("Sammankomst", "KT-besök", "Särskild
 * händelse") when that is empty or the week has no event.
 */
std::string SpecialWeekTitle(const CMvDoc& doc, int weekIndex, const WeekRecord& week);
/** The name of the week's event; for a visit without one "KT-besök". */
std::string EventName(const CMvDoc& doc, int weekIndex, WeekKind kind);
/** Title and number text of talk 1 … 256; empty for 0 (not chosen) and above 256. */
std::string TalkTitle(const CMvDoc& doc, int talk);
std::string TalkNumber(const CMvDoc& doc, int talk);

/** Reader and host columns stand apart (3.5 and 6 in) only with both shown; else at 4.5 in. */
bool ReaderColumnApart(const DocOptions& options);

struct OutgoingLine {
    std::string speaker;
    std::string destination; ///< the congregation, with its meeting time and day in brackets
    std::string talk;        ///< "Tal 12", or empty
};

struct ScheduleWeek {
    int weekIndex = 0;
    WeekKind kind = WeekKind::Ordinary;
    std::string date;  ///< abbreviated month with year
    std::string title; ///< the talk's title, or the special week's text
    // Row 0.
    bool speakerLabel = false;
    bool congregationLabel = false;
    std::string speaker;
    std::string congregation;
    std::string talk; ///< "Tal 12", or empty
    // Row 1.
    bool chairmanLabel = false;
    bool readerLabel = false;
    bool hostLabel = false;
    std::string chairman;
    std::string reader;
    std::string host;
    /** The filled outgoing slots in slot order (none when outgoing speakers are omitted). */
    std::vector<OutgoingLine> outgoing;
    /** The row of the first outgoing line: 2, or in an assembly week the first row free. */
    int firstOutgoingRow = 2;

    bool PrintsRow0() const;
    bool PrintsRow1() const;
    int OutgoingCount() const { return static_cast<int>(outgoing.size()); }
    /** The last row holding anything (rows 0 and 1 always count). */
    int LastRow() const;
    /** Rows the week moves the next one down, before the half-row gap. */
    int AdvanceRows() const { return firstOutgoingRow + OutgoingCount() + 2; }
};

/** Reads a week of the schedule with the document's settings. */
ScheduleWeek BuildScheduleWeek(const CMvDoc& doc, int weekIndex);

} // namespace mivra::reports
