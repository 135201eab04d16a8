#include "app/ProgramOptions.h"

#include "dates/Dates.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <unistd.h>

namespace mivra::app {
namespace {

constexpr const char* kCommandOptions[] = {
    "--from",    "--weeks", "--pdf", "--to", "--brother", "--week",    "--slot", "--congregation",
    "--circuit", "--name",  "--out", "--as", "--talk",    "--speaker", "--after"};
// Options without a value: present or not.
constexpr const char* kCommandFlags[] = {"--maps", "--outgoing", "--dry-run"};

bool TakeOption(const std::vector<std::string>& args, size_t& i, std::string_view name,
                std::string& value) {
    const std::string& arg = args[i];
    if (arg == name && i + 1 < args.size()) {
        value = args[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

/** The command option an argument gives ("--from" or "--from=…"), or empty. */
std::string CommandOption(const std::string& arg) {
    for (std::string_view name : kCommandOptions)
        if (arg.compare(0, name.size(), name) == 0 &&
            (arg.size() == name.size() || arg[name.size()] == '='))
            return std::string(name);
    return {};
}

} // namespace

std::optional<Invocation> ParseArguments(const std::vector<std::string>& args, std::string& error) {
    // Options may also follow the command ("scripts/run.sh --data DIR" appends them).
    Invocation call;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i].rfind("--", 0) != 0) {
            call.words.push_back(args[i]);
        } else if (args[i] == "--help" || args[i] == "--version") {
            (args[i] == "--help" ? call.help : call.version) = true;
        } else if (std::find(std::begin(kCommandFlags), std::end(kCommandFlags), args[i]) !=
                   std::end(kCommandFlags)) {
            call.options[args[i]] = "1";
        } else if (TakeOption(args, i, "--data", value)) {
            if (value.empty()) {
                error = "--data takes a folder";
                return std::nullopt;
            }
            call.dataFolder = value;
        } else if (std::string name = CommandOption(args[i]); !name.empty()) {
            if (!TakeOption(args, i, name, value) || value.empty()) {
                error = name + " takes a value";
                return std::nullopt;
            }
            call.options[name] = value;
            if (name == "--week")
                call.weeks.push_back(value);
        } else if (TakeOption(args, i, "--today", value)) {
            call.today = dates::ParseIsoDate(value);
            if (!call.today) {
                error = "--today takes a date YYYY-MM-DD from 2000-01-03 to 2099-12-31, not \"" +
                        value + "\"";
                return std::nullopt;
            }
        } else {
            error = "unknown option " + args[i];
            return std::nullopt;
        }
    }
    return call;
}

std::optional<std::filesystem::path> DefaultDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/')
        return std::filesystem::path(xdg) / "mivra";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "mivra";
    return std::nullopt;
}

bool PrepareDataFolder(const std::filesystem::path& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        error = "cannot create the data folder " + folder.string() +
                (ec ? ": " + ec.message() : std::string(": not a folder"));
        return false;
    }
    if (::access(folder.c_str(), R_OK | X_OK) != 0) {
        error = "cannot read the data folder " + folder.string();
        return false;
    }
    return true;
}

} // namespace mivra::app
