#include "app/CMvApp.h"

#include "app/CMainFrame.h"
#include "app/ShellParts.h"
#include "app/cli/CommandLine.h"
#include "reports/CMvView.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "store/Profile.h"
#include "ui/Host.h"

namespace mivra::app {
namespace {

constexpr int kProfileName = 1251;
constexpr int kNoDataFolder = 60014;

} // namespace

std::optional<StartArgs> ParseStartArgs(const std::vector<std::string>& args, std::string& error) {
    std::optional<cli::Invocation> call = cli::ParseArguments(args, error);
    if (!call)
        return std::nullopt;
    if (!call->words.empty()) {
        error = "unexpected argument " + call->words.front();
        return std::nullopt;
    }
    return StartArgs{call->dataFolder, call->today};
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

int CMvApp::Start(const StartArgs& args, const std::filesystem::path& programFolder) {
    std::optional<std::filesystem::path> folder = args.dataFolder;
    if (!folder)
        folder = cli::DefaultDataFolder();
    std::string error;
    if (!folder || !cli::PrepareDataFolder(*folder, error)) {
        Refuse(m_strings.Format(kNoDataFolder, folder ? folder->string() : "~/.local/share/mivra"));
        return kStartFailed;
    }
    m_folder = *folder;
    Result<DataFolderLock> lock = DataFolderLock::Acquire(m_folder);
    if (!lock.ok()) {
        Refuse(DataFolderLock::RefusalMessage(m_strings, m_folder));
        return kStartFailed;
    }
    m_lock.emplace(std::move(lock.value()));

    if (args.today)
        m_clock = std::make_unique<FixedClock>(*args.today);
    else
        m_clock = std::make_unique<SystemClock>();
    m_doc = std::make_unique<CMvDoc>(m_strings, m_host, *m_clock, m_folder);
    if (!m_doc->LoadStore()) {
        Refuse(m_strings.Format(kNoDataFolder, m_folder.string()));
        return kStartFailed;
    }
    m_view = std::make_unique<reports::CMvView>(*m_doc, m_host, m_printing);
    m_view->LoadFonts(Profile::Load(m_doc->DataFilePath(kProfileName), m_doc->CodePage()));
    m_frame = std::make_unique<CMainFrame>(*m_doc, *m_view, m_host);
    m_frame->SetHelp(HelpGuide(programFolder, HelpGuide::DefaultCacheFolder()));
    PlugInParts(*m_frame, *m_view);
    return kStarted;
}

} // namespace mivra::app
