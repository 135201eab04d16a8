#pragma once

#include "base/Clock.h"

#include <filesystem>
#include <iosfwd>
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
};

/** Parses `[--data DIR] [--today YYYY-MM-DD] COMMAND …` (options anywhere); else the error. */
std::optional<Invocation> ParseArguments(const std::vector<std::string>& args, std::string& error);

/** `$XDG_DATA_HOME/mivra`, else `~/.local/share/mivra`; nothing without a home folder. */
std::optional<std::filesystem::path> DefaultDataFolder();

/** Creates the folder when missing; the error text when it cannot be made or read. */
bool PrepareDataFolder(const std::filesystem::path& folder, std::string& error);

/** Runs mivra-cli with the arguments after the program name; returns the exit code. */
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace mivra::cli
