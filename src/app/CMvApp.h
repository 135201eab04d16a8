#pragma once

#include "base/Clock.h"
#include "store/DataFolderLock.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace mivra {
class CMvDoc;
class StringTable;
namespace reports {
class CMvView;
}
namespace ui {
class Host;
class Printing;
} // namespace ui
} // namespace mivra

namespace mivra::app {

class CMainFrame;

/** What the desktop program's command line says (see StartUsage). */
struct StartArgs {
    std::optional<std::filesystem::path> dataFolder;
    std::optional<CivilDate> today;
    bool demo = false; ///< a fresh demo folder in the cache folder instead of a data folder
    bool help = false;
    bool version = false;
};

/** Parses the desktop program's options; nothing (with the error) for anything else. */
std::optional<StartArgs> ParseStartArgs(const std::vector<std::string>& args, std::string& error);

/** Exit codes of the desktop program. */
enum StartCode : int { kStarted = 0, kAnswered = 0, kStartFailed = 1, kBadArguments = 2 };

/** The desktop program's usage lines. */
const char* StartUsage();

/**
 * The options of a start, or the exit code when they are answered without one: `--help`
 * prints the usage to out, `--version` the version, a wrong option the usage to err.
 */
std::variant<StartArgs, int> ReadStartOptions(const std::vector<std::string>& args,
                                              std::ostream& out, std::ostream& err);

/**
 * The application: start-up in its order (data folder, its lock for the whole run, the
 * document, the report fonts), then the document, view and frame for the main window.
 */
class CMvApp {
public:
    CMvApp(const StringTable& strings, ui::Host& host, ui::Printing& printing);
    ~CMvApp();
    CMvApp(const CMvApp&) = delete;
    CMvApp& operator=(const CMvApp&) = delete;

    /**
     * Starts on the given (or default) data folder; what stops it is shown in a message box.
     * `programFolder` is where the help is looked for. Returns kStarted or kStartFailed.
     */
    int Start(const StartArgs& args, const std::filesystem::path& programFolder);

    const std::filesystem::path& DataFolder() const { return m_folder; }
    /** Whether the folder is open for viewing only, since this user cannot write it. */
    bool ReadOnly() const { return m_readOnly; }
    /** The message of a start-up that failed. */
    const std::string& Failure() const { return m_failure; }
    CMvDoc& Doc() { return *m_doc; }
    reports::CMvView& View() { return *m_view; }
    CMainFrame& Frame() { return *m_frame; }

private:
    bool Refuse(const std::string& text);
    /** Takes the folder's lock; with `demo` the folder is then emptied and filled anew. */
    bool TakeFolder(bool demo);

    const StringTable& m_strings;
    ui::Host& m_host;
    ui::Printing& m_printing;
    std::filesystem::path m_folder;
    std::string m_failure;
    std::unique_ptr<Clock> m_clock;
    std::optional<DataFolderLock> m_lock;
    bool m_readOnly = false; ///< the folder cannot be written: opened for viewing
    std::unique_ptr<CMvDoc> m_doc;
    std::unique_ptr<reports::CMvView> m_view;
    std::unique_ptr<CMainFrame> m_frame;
};

} // namespace mivra::app
