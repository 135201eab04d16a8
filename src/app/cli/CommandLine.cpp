#include "app/cli/CommandLine.h"

#include "app/cli/DumpCommand.h"
#include "reports/Dates.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/headless/HeadlessHost.h"

#include <cstdlib>
#include <ostream>
#include <unistd.h>

namespace mivra::cli {
namespace {

constexpr const char* kUsageLine = "usage: mivra-cli [--data DIR] [--today YYYY-MM-DD] dump KIND";

/** Message boxes of a job without a window go to stderr, answered with their defaults. */
class StderrHost : public ui::headless::HeadlessHost {
public:
    explicit StderrHost(std::ostream& err) : m_err(err) { SetPermissive(true); }
    ui::Answer ShowMessage(const ui::MessageBox& box) override {
        m_err << "mivra-cli: " << box.text << '\n';
        return HeadlessHost::ShowMessage(box);
    }

private:
    std::ostream& m_err;
};

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

std::string KindList() {
    std::string kinds;
    for (std::string_view kind : DumpCommand::Kinds())
        kinds += (kinds.empty() ? "" : " ") + std::string(kind);
    return kinds;
}

int Usage(std::ostream& err, const std::string& why) {
    if (!why.empty())
        err << "mivra-cli: " << why << '\n';
    err << kUsageLine << "\n  KIND: " << KindList() << '\n';
    return kUsage;
}

int Dump(const Invocation& call, const std::filesystem::path& folder, std::ostream& out,
         std::ostream& err) {
    StderrHost host(err);
    SystemClock systemClock;
    FixedClock fixedClock(call.today.value_or(CivilDate{}));
    const Clock& clock = call.today ? static_cast<const Clock&>(fixedClock) : systemClock;
    CMvDoc doc(StringTable::Swedish(), host, clock, folder);
    if (!doc.LoadStore()) {
        err << "mivra-cli: cannot read the data folder " << folder.string() << '\n';
        return kFailure;
    }
    DumpCommand(doc).Write(call.words[1], out);
    out.flush();
    return out ? kOk : kFailure;
}

} // namespace

std::optional<Invocation> ParseArguments(const std::vector<std::string>& args, std::string& error) {
    // Options may also follow the command ("scripts/run.sh --data DIR" appends them).
    Invocation call;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i].rfind("--", 0) != 0) {
            call.words.push_back(args[i]);
        } else if (TakeOption(args, i, "--data", value)) {
            if (value.empty()) {
                error = "--data takes a folder";
                return std::nullopt;
            }
            call.dataFolder = value;
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

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    std::optional<Invocation> call = ParseArguments(args, error);
    if (!call)
        return Usage(err, error);
    const std::vector<std::string>& words = call->words;
    if (words.empty())
        return Usage(err, "");
    if (words[0] != "dump")
        return Usage(err, "unknown command " + words[0]);
    if (words.size() != 2 || !DumpCommand::IsKind(words[1]))
        return Usage(err, words.size() < 2 ? "dump needs a kind" : "unknown kind " + words[1]);

    std::optional<std::filesystem::path> folder = call->dataFolder;
    if (!folder)
        folder = DefaultDataFolder();
    if (!folder) {
        err << "mivra-cli: no data folder: give --data DIR or set HOME\n";
        return kFailure;
    }
    if (!PrepareDataFolder(*folder, error)) {
        err << "mivra-cli: " << error << '\n';
        return kFailure;
    }
    return Dump(*call, *folder, out, err);
}

} // namespace mivra::cli
