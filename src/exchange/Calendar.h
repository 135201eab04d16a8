#pragma once

#include "base/Clock.h"
#include "base/Result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mivra {
class CMvDoc;
namespace ui {
class Host;
}
} // namespace mivra

// The schedule as an iCalendar file for desktop and phone calendars: the home meeting and each
// outgoing talk of a week as events whose UIDs stay the same from one export to the next, so a
// calendar that imports the file again updates its events instead of doubling them.
namespace mivra::exchange {

struct CalendarEvent {
    std::string uid;
    std::string summary;
    std::string description;
    std::string location;
    CivilDate day;
    std::optional<int> startMinutes; ///< minutes after midnight; nothing for an all-day event
};

/** "H:MM" or "H.MM", maybe after "kl", as minutes after midnight; nothing for other text. */
std::optional<int> ParseMeetingTime(std::string_view text);

/** The events of the weeks in week order, the home meeting before the outgoing slots. */
std::vector<CalendarEvent> CalendarEvents(const CMvDoc& doc, int startWeek, int weekCount);

/** The whole file as written: UTF-8 with CRLF line ends and folded lines. */
std::string CalendarText(const CMvDoc& doc, const std::vector<CalendarEvent>& events);

/** Writes the weeks' calendar atomically to `path`; the number of events it holds. */
Result<int> ExportCalendar(const CMvDoc& doc, int startWeek, int weekCount,
                           const std::filesystem::path& path);

/**
 * The command: the weeks, then where to save ("schema.ics" in the data folder proposed), then
 * the file written and the path told, or message 1231 naming it. Returns whether it was written.
 */
bool ExportChosenCalendar(CMvDoc& doc, ui::Host& host);

} // namespace mivra::exchange
