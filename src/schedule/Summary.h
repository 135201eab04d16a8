#pragma once

#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::schedule {

/** The summary's week codes, also its colours. */
enum WeekStatusCode : int {
    kStatusEmpty = 0,
    kStatusComplete = 1,
    kStatusIncomplete = 2,
    kStatusUnavailable = 3,
    kStatusUnconfirmed = 4,
    kStatusConflict = 5,
    kStatusOutgoingIncomplete = 6,
};

/** How far a week is scheduled, by the first rule that applies. */
int WeekStatus(const CMvDoc& doc, int weekIndex);

/** The colour a name or mark is drawn in. */
enum class Ink { Window, Red, Purple, Blue };

struct SummaryText {
    std::string text;
    Ink ink = Ink::Window;
};

/** Everything one row of the summary shows, in both views. */
struct SummaryRow {
    int weekNumber = 0;
    int status = kStatusEmpty;
    std::string date; ///< the week's date as the row shows it
    // The home talk view.
    SummaryText home;
    std::string talk;
    SummaryText chairmanMark;
    std::string hostMark;
    SummaryText readerMark;
    SummaryText outgoing;
    // The chairman, host and reader view.
    SummaryText chairman;
    std::string host;
    SummaryText reader;
};

SummaryRow SummarizeWeek(const CMvDoc& doc, int weekIndex);

/** The talk number as these pages show it; 0 for a number no talk can have. */
int ShownTalk(int talk);

} // namespace mivra::schedule
