#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace mivra {

/** The texts of the program by numeric id: messages, captions, file names, settings keys. */
class StringTable {
public:
    /** The Swedish table shipped with the program. */
    static const StringTable& Swedish();

    /** Parses "<id><TAB><text>" lines; "#" starts a comment line; \n, \t and \\ are escapes. */
    static StringTable Parse(std::string_view source);

    /** The text of an id, or the empty text when the table has none. */
    const std::string& Get(int id) const;
    bool Has(int id) const { return m_texts.count(id) != 0; }

    /** The text of an id with "%1" and "%2" replaced. */
    std::string Format(int id, std::string_view first, std::string_view second = {}) const;

    void Set(int id, std::string text) { m_texts[id] = std::move(text); }

private:
    std::unordered_map<int, std::string> m_texts;
};

/** Replaces every "%1" and "%2" of a pattern with the inserts. */
std::string FormatInserts(std::string_view pattern, std::string_view first,
                          std::string_view second = {});

} // namespace mivra
