#pragma once

#include "app/ProgramOptions.h"

#include <iosfwd>
#include <string>

namespace mivra {
class CMvDoc;
}

// `export-ics --from D --weeks N --out FILE`: the weeks as an iCalendar file.
namespace mivra::cli {

/** The usage error of an `export-ics` call, or empty. */
std::string CheckExportIcs(const app::Invocation& call);

/** Writes the file; prints the number of events, a tab and the file's absolute path. */
int ExportIcs(const app::Invocation& call, const CMvDoc& doc, std::ostream& out, std::ostream& err);

} // namespace mivra::cli
