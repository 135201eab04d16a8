#pragma once

#include "app/ProgramOptions.h"

#include <iosfwd>
#include <string>

namespace mivra {
class CMvDoc;
}

// `import-speakers`: visiting speakers from a spreadsheet's CSV, the plan printed line by line
// and, unless --dry-run, carried out.
namespace mivra::cli {

/** The usage error of the command's words and options, or empty. */
std::string CheckSpeakerImport(const app::Invocation& call);

/** Whether the command is import-speakers with --dry-run, which writes nothing. */
bool IsSpeakerDryRun(const app::Invocation& call);

/** Prints the plan and the counts (on err); 1 for a file that cannot be read or imported and
 *  for a failed write. Rejected lines are no failure. */
int ImportSpeakersCommand(const app::Invocation& call, CMvDoc& doc, std::ostream& out,
                          std::ostream& err);

} // namespace mivra::cli
