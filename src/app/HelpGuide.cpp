#include "app/HelpGuide.h"

#include "base/FileIo.h"
#include "resources/Embedded.h"

#include <cstdlib>
#include <span>

namespace mivra::app {
namespace {

bool SameBytes(const std::filesystem::path& file, std::string_view bytes) {
    io::FileBytes read = io::ReadFile(file, bytes.size() + 1);
    return read.state == io::ReadState::Ok &&
           std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()) ==
               bytes;
}

} // namespace

std::optional<std::filesystem::path> HelpGuide::File() const {
    std::error_code ec;
    if (!m_programFolder.empty()) {
        for (const std::filesystem::path& installed :
             {m_programFolder / ".." / "share" / "mivra" / "help" / "index.html",
              m_programFolder / "help" / "index.html"})
            if (std::filesystem::is_regular_file(installed, ec))
                return std::filesystem::weakly_canonical(installed, ec);
    }
    std::optional<std::string_view> embedded = resources::Find(kResource);
    if (!embedded || m_cacheFolder.empty())
        return std::nullopt;
    const std::filesystem::path folder = m_cacheFolder / "help";
    const std::filesystem::path file = folder / "index.html";
    if (SameBytes(file, *embedded))
        return file;
    std::filesystem::create_directories(folder, ec);
    auto bytes = std::span(reinterpret_cast<const uint8_t*>(embedded->data()), embedded->size());
    if (!io::SaveFile(file, bytes).ok())
        return std::nullopt;
    return file;
}

std::optional<std::string> HelpGuide::Address(std::string_view topic) const {
    std::optional<std::filesystem::path> file = File();
    if (!file)
        return std::nullopt;
    std::string address = file->string();
    if (!topic.empty())
        address += "#" + std::string(topic);
    return address;
}

std::filesystem::path HelpGuide::DefaultCacheFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && *xdg == '/')
        return std::filesystem::path(xdg) / "mivra";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::filesystem::path(home) / ".cache" / "mivra";
    std::error_code ec;
    return std::filesystem::temp_directory_path(ec) / "mivra";
}

} // namespace mivra::app
