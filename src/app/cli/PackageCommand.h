#pragma once

#include "app/ProgramOptions.h"

#include <iosfwd>
#include <string>

namespace mivra {
class CMvDoc;
}

// `export-package` and `import-package`: a congregation's package written from, or read into,
// the data folder, with the plan of an import printed as tab-separated lines.
namespace mivra::cli {

/** The usage error of either command's words and options, or empty. */
std::string CheckPackageCommand(const app::Invocation& call);

/** Prints the path and the number of brother records; 1 for no such congregation or a
 *  file that cannot be written. */
int ExportPackageCommand(const app::Invocation& call, const CMvDoc& doc, std::ostream& out,
                         std::ostream& err);

/** Prints the plan of importing FILE and, unless --dry-run, carries it out; 1 for a package
 *  that cannot be read or is no package, and for a failed write. */
int ImportPackageCommand(const app::Invocation& call, CMvDoc& doc, std::ostream& out,
                         std::ostream& err);

/** Whether the command is import-package with --dry-run, which writes nothing. */
bool IsDryRun(const app::Invocation& call);

/** An import's exit code; a commit stopped by a failed write says how far it got. */
int ImportExitCode(const CMvDoc& doc, bool complete, int added, int updated,
                   const std::ostream& out, std::ostream& err);

} // namespace mivra::cli
