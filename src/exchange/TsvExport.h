#pragma once

#include "base/Result.h"

#include <filesystem>
#include <string>

namespace mivra {
class CMvDoc;
namespace ui {
class Host;
}
} // namespace mivra

// The schedule as tab-separated text for spreadsheets and mail merges: "ptsched.txt" in the
// data folder, a header line, an empty line, then one line of 33 columns per week.
namespace mivra::exchange {

inline constexpr int kScheduleColumns = 33;

/** The export's text in UTF-8, "\n" line ends; a tab or line break in a field is a blank. */
std::string ScheduleExportText(const CMvDoc& doc, int startWeek, int weekCount);

/** "ptsched.txt" in the data folder. */
std::filesystem::path ScheduleExportPath(const CMvDoc& doc);

/**
 * Writes the export in the language's code page through a temporary file renamed over
 * "ptsched.txt"; on failure the old file is untouched and the error names the path.
 */
Status WriteScheduleExport(const CMvDoc& doc, int startWeek, int weekCount);

/**
 * The chooser's "Exportera": writes the export and tells the user where it went, or shows
 * message 1231 with the path when it could not be written. A count of 0 does nothing.
 * Returns whether the file was written.
 */
bool ExportSchedule(CMvDoc& doc, ui::Host& host, int startWeek, int weekCount);

} // namespace mivra::exchange
