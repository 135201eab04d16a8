#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mivra::app {

/**
 * The user guide, HTML in Swedish. It is taken from where the installation put it beside
 * the program; otherwise the copy built into the program is written to a cache folder.
 */
class HelpGuide {
public:
    static constexpr const char* kResource = "help/index.html";

    HelpGuide() = default;
    HelpGuide(std::filesystem::path programFolder, std::filesystem::path cacheFolder)
        : m_programFolder(std::move(programFolder)), m_cacheFolder(std::move(cacheFolder)) {}

    /** The guide's file; nothing when it is neither installed nor can be written. */
    std::optional<std::filesystem::path> File() const;
    /** The guide's file with a topic anchor ("#topic"), or nothing. */
    std::optional<std::string> Address(std::string_view topic) const;

    /** `$XDG_CACHE_HOME/mivra`, else `~/.cache/mivra`, else the temporary folder's. */
    static std::filesystem::path DefaultCacheFolder();

private:
    std::filesystem::path m_programFolder;
    std::filesystem::path m_cacheFolder;
};

} // namespace mivra::app
