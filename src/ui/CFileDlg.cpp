#include "ui/CFileDlg.h"

#include "ui/Host.h"

#include <system_error>

namespace mivra::ui {
namespace {

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The end of the UTF-8 character starting at i, so "?" takes a whole character.
size_t NextChar(std::string_view s, size_t i) {
    ++i;
    while (i < s.size() && IsContinuation(s[i]))
        ++i;
    return i;
}

} // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    // Greedy matching with one backtrack point: the last "*" seen.
    size_t n = 0;
    size_t p = 0;
    size_t starP = std::string_view::npos;
    size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n = NextChar(name, n);
        } else if (p < pattern.size() && Fold(pattern[p]) == Fold(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = starN = NextChar(name, starN);
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

CFileDlg::CFileDlg(std::string title, std::string filterName, std::vector<std::string> patterns,
                   std::filesystem::path folder)
    : m_title(std::move(title)), m_filterName(std::move(filterName)),
      m_patterns(std::move(patterns)), m_folder(std::move(folder)) {}

std::filesystem::path CFileDlg::Absolute(const std::filesystem::path& path) const {
    // Joined onto the start folder, never resolved against the working directory.
    return path.is_absolute() ? path : m_folder / path;
}

bool CFileDlg::Accepts(const std::filesystem::path& path) const {
    const std::string name = path.filename().string();
    if (name.empty())
        return false;
    bool matched = m_patterns.empty();
    for (const std::string& pattern : m_patterns)
        matched = matched || MatchesPattern(name, pattern);
    if (!matched)
        return false;
    std::error_code error;
    return !m_mustExist || std::filesystem::is_regular_file(Absolute(path), error);
}

bool CFileDlg::Run(Host& host) {
    FileRequest request;
    request.title = m_title;
    request.folder = m_folder.string();
    request.patterns = m_patterns;
    request.filterName = m_filterName;
    request.mustExist = m_mustExist;
    request.accept = [this](const std::string& path) { return Accepts(path); };
    const std::optional<std::string> chosen = host.OpenFile(request);
    // A backend that does not ask `accept` is held to it here.
    if (!chosen || !Accepts(*chosen))
        return false;
    m_path = Absolute(*chosen);
    return true;
}

} // namespace mivra::ui
