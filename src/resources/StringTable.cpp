#include "resources/StringTable.h"

#include "resources/Embedded.h"

#include <charconv>

namespace mivra {
namespace {

std::string Unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char next = s[++i];
        out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    }
    return out;
}

} // namespace

const StringTable& StringTable::Swedish() {
    static const StringTable table = Parse(resources::Find("strings/sve.txt").value_or(""));
    return table;
}

StringTable StringTable::Parse(std::string_view source) {
    StringTable table;
    while (!source.empty()) {
        size_t end = source.find('\n');
        std::string_view line = source.substr(0, end);
        source = end == std::string_view::npos ? std::string_view{} : source.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        size_t tab = line.find('\t');
        int id = 0;
        auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), id);
        if (ec != std::errc() || tab == std::string_view::npos || ptr != line.data() + tab)
            continue;
        table.m_texts[id] = Unescape(line.substr(tab + 1));
    }
    return table;
}

const std::string& StringTable::Get(int id) const {
    static const std::string empty;
    auto it = m_texts.find(id);
    return it == m_texts.end() ? empty : it->second;
}

std::string StringTable::Format(int id, std::string_view first, std::string_view second) const {
    return FormatInserts(Get(id), first, second);
}

std::string FormatInserts(std::string_view pattern, std::string_view first,
                          std::string_view second) {
    std::string out;
    out.reserve(pattern.size() + first.size() + second.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace mivra
