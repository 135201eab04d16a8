#include "app/CMvApp.h"

#include "app/CMainFrame.h"
#include "app/DemoFolder.h"
#include "app/ProgramOptions.h"
#include "app/ShellParts.h"
#include "base/Version.h"
#include "reports/CMvView.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/Profile.h"
#include "ui/Host.h"

#include <algorithm>
#include <iterator>
#include <ostream>

namespace mivra::app {
namespace {

constexpr int kProfileName = 1251;
constexpr int kNoDataFolder = 60014;
constexpr int kOpenedReadOnly = 60072;
constexpr int kDemoNotCleared = 60051;
constexpr int kDemoNotWritten = 60052;

} // namespace

std::optional<StartArgs> ParseStartArgs(const std::vector<std::string>& args, std::string& error) {
    std::vector<std::string> rest;
    std::copy_if(args.begin(), args.end(), std::back_inserter(rest),
                 [](const std::string& arg) { return arg != "--demo"; });
    const bool demo = rest.size() != args.size();
    std::optional<Invocation> call = ParseArguments(rest, error);
    if (!call)
        return std::nullopt;
    if (!call->words.empty()) {
        error = "unexpected argument " + call->words.front();
        return std::nullopt;
    }
    if (!call->options.empty()) { // the command line's own, not the desktop program's
        error = "unknown option " + call->options.begin()->first;
        return std::nullopt;
    }
    if (demo && call->dataFolder) {
        error = "--demo has its own folder and takes no --data";
        return std::nullopt;
    }
    return StartArgs{call->dataFolder, call->today, demo, call->help, call->version};
}

const char* StartUsage() {
    return "usage: mivra [--data DIR | --demo] [--today YYYY-MM-DD]\n"
           "       mivra --help | --version\n"
           "  --data DIR    the data folder (default $XDG_DATA_HOME/mivra)\n"
           "  --demo        a fresh folder of made-up data, in $XDG_CACHE_HOME/mivra/demo\n"
           "  --today DATE  today's date, fixed\n";
}

std::variant<StartArgs, int> ReadStartOptions(const std::vector<std::string>& args,
                                              std::ostream& out, std::ostream& err) {
    std::string error;
    std::optional<StartArgs> start = ParseStartArgs(args, error);
    if (!start) {
        err << "mivra: " << error << '\n' << StartUsage();
        return kBadArguments;
    }
    if (start->help)
        out << StartUsage();
    else if (start->version)
        out << "mivra " << kVersion << '\n';
    else
        return *start;
    out.flush();
    return kAnswered;
}

CMvApp::CMvApp(const StringTable& strings, ui::Host& host, ui::Printing& printing)
    : m_strings(strings), m_host(host), m_printing(printing) {}

CMvApp::~CMvApp() {
    m_frame.reset();
    m_view.reset();
    m_doc.reset();
}

bool CMvApp::Refuse(const std::string& text) {
    m_failure = text;
    ui::MessageBox box;
    box.text = text;
    box.icon = ui::Icon::Error;
    m_host.ShowMessage(box);
    return false;
}

bool CMvApp::TakeFolder(bool demo) {
    DataFolderLock::Refusal why = DataFolderLock::Refusal::Failed;
    Result<DataFolderLock> lock = DataFolderLock::Acquire(m_folder, &why);
    if (!lock.ok()) {
        const std::string refusal =
            DataFolderLock::RefusalMessage(m_strings, m_folder, why, lock.error().what);
        if (demo || why != DataFolderLock::Refusal::NotWritable)
            return Refuse(refusal);
        // A folder this user cannot write is still worth reading: reports, preview, PDF.
        ui::MessageBox box;
        box.text = refusal + "\n\n" + m_strings.Get(kOpenedReadOnly);
        box.icon = ui::Icon::Information;
        m_host.ShowMessage(box);
        m_readOnly = true;
        return true;
    }
    m_lock.emplace(std::move(lock.value()));
    if (!demo)
        return true;
    // Emptied only under the lock, so a second demo program never clears the first one's
    // folder; and never through a link, which could lead into real data.
    std::string error = "a symbolic link";
    if (std::filesystem::is_symlink(m_folder) || !DemoFolder::Clear(m_folder, error))
        return Refuse(m_strings.Format(kDemoNotCleared, m_folder.string(), error));
    CMvDoc demoDoc(m_strings, m_host, *m_clock, m_folder);
    if (!demoDoc.LoadStore() || !DemoFolder(demoDoc).Fill())
        return Refuse(m_strings.Format(kDemoNotWritten, m_folder.string()));
    return true;
}

int CMvApp::Start(const StartArgs& args, const std::filesystem::path& programFolder) {
    std::optional<std::filesystem::path> folder =
        args.demo ? DemoFolder::DefaultFolder() : args.dataFolder;
    if (!folder)
        folder = DefaultDataFolder();
    std::string error;
    if (!folder || !PrepareDataFolder(*folder, error)) {
        Refuse(m_strings.Format(kNoDataFolder, folder ? folder->string() : "~/.local/share/mivra"));
        return kStartFailed;
    }
    m_folder = *folder;
    if (args.today)
        m_clock = std::make_unique<FixedClock>(*args.today);
    else
        m_clock = std::make_unique<SystemClock>();
    if (!TakeFolder(args.demo))
        return kStartFailed;
    m_doc = std::make_unique<CMvDoc>(m_strings, m_host, *m_clock, m_folder);
    m_doc->SetReadOnly(m_readOnly);
    if (!m_doc->LoadStore()) {
        Refuse(m_strings.Format(kNoDataFolder, m_folder.string()));
        return kStartFailed;
    }
    m_view = std::make_unique<reports::CMvView>(*m_doc, m_host, m_printing);
    m_view->LoadFonts(Profile::Load(m_doc->DataFilePath(kProfileName), m_doc->CodePage()));
    m_frame = std::make_unique<CMainFrame>(*m_doc, *m_view, m_host);
    m_frame->SetHelp(HelpGuide(programFolder, HelpGuide::DefaultCacheFolder()));
    if (args.demo)
        m_frame->MarkDemo();
    if (m_readOnly)
        m_frame->MarkReadOnly();
    PlugInParts(*m_frame, *m_view);
    return kStarted;
}

} // namespace mivra::app
