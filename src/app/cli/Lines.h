#pragma once

#include <ostream>
#include <string>
#include <string_view>

// The lines the read-only commands print: fields separated by one tab, one entry a line.
namespace mivra::cli {

/** A text as a field: a tab or line break inside it would shift every later column. */
inline std::string Field(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return out;
}

inline std::string Field(long long value) {
    return std::to_string(value);
}

template <class... Fields>
void Line(std::ostream& out, const std::string& first, const Fields&... rest) {
    out << first;
    ((out << '\t' << rest), ...);
    out << '\n';
}

} // namespace mivra::cli
