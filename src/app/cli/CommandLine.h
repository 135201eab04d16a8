#pragma once

#include "base/Clock.h"
#include "base/Result.h"
#include "ui/Canvas.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mivra::cli {

/** Exit codes of mivra-cli. */
enum ExitCode : int { kOk = 0, kFailure = 1, kUsage = 2 };

/** What the options before the command say, and the command's words. */
struct Invocation {
    std::optional<std::filesystem::path> dataFolder;
    std::optional<CivilDate> today;
    std::vector<std::string> words;
    std::map<std::string, std::string> options; ///< the command's own: --from, --weeks, --pdf
    bool help = false;                          ///< --help: the usage, and nothing else
    bool version = false;                       ///< --version: the version, and nothing else
};

/** Pages for a PDF file, each drawn on a printer canvas of this resolution. */
struct PdfPages {
    int pageCount = 1;
    int dpi = 300;
    std::string title;
    std::function<void(int page, ui::Canvas& canvas)> draw;
};

/**
 * Writes a PDF: the Qt backend's renderer, handed in by the program; empty in a build
 * without Qt, where print-schedule reports that it is unavailable.
 */
using PdfRenderer = std::function<Status(const std::filesystem::path& path, const PdfPages& pages)>;

/**
 * Parses `[--data DIR] [--today YYYY-MM-DD] COMMAND …` (options anywhere), `--help` and
 * `--version`; else the error.
 */
std::optional<Invocation> ParseArguments(const std::vector<std::string>& args, std::string& error);

/** `$XDG_DATA_HOME/mivra`, else `~/.local/share/mivra`; nothing without a home folder. */
std::optional<std::filesystem::path> DefaultDataFolder();

/** Creates the folder when missing; the error text when it cannot be made or read. */
bool PrepareDataFolder(const std::filesystem::path& folder, std::string& error);

/** Runs mivra-cli with the arguments after the program name; returns the exit code. */
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const PdfRenderer& pdf = {});

} // namespace mivra::cli
