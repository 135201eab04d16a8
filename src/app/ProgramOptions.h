#pragma once

#include "base/Clock.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The command line both programs share: the data folder, today's date, --help and --version.
namespace mivra::app {

/** What the options before the command say, and the command's words. */
struct Invocation {
    std::optional<std::filesystem::path> dataFolder;
    std::optional<CivilDate> today;
    std::vector<std::string> words;
    std::map<std::string, std::string>
        options; ///< the command's own; a flag (--maps, --outgoing, --dry-run) holds "1"
    std::vector<std::string> weeks; ///< every --week, in order (it repeats)
    bool help = false;              ///< --help: the usage, and nothing else
    bool version = false;           ///< --version: the version, and nothing else
};

/**
 * Parses `[--data DIR] [--today YYYY-MM-DD] COMMAND …` (options anywhere), `--help` and
 * `--version`; else the error.
 */
std::optional<Invocation> ParseArguments(const std::vector<std::string>& args, std::string& error);

/** `$XDG_DATA_HOME/mivra`, else `~/.local/share/mivra`; nothing without a home folder. */
std::optional<std::filesystem::path> DefaultDataFolder();

/** Creates the folder when missing; the error text when it cannot be made or read. */
bool PrepareDataFolder(const std::filesystem::path& folder, std::string& error);

} // namespace mivra::app
