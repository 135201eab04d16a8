#pragma once

#include "base/Result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mivra {

/**
 * The settings profile: an INI file as a Windows profile API reads and writes it. Sections
 * and keys match without regard to case, values are held as the code page's bytes on disk
 * (UTF-8 here), integers are decimal, and what this program does not know is kept on write.
 */
class Profile {
public:
    enum class State { Loaded, Missing, Unreadable };

    Profile() = default;
    static Profile Load(const std::filesystem::path& path, int codePage);
    static Profile Parse(std::string_view bytes, int codePage);

    State state() const { return m_state; }

    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
    /** The leading decimal integer of the value, as the profile API reads it; else def. */
    int GetInt(std::string_view section, std::string_view key, int def) const;
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);

    std::string Serialize() const;
    /** Writes the profile atomically. */
    Status Save(const std::filesystem::path& path) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::vector<std::string> lines; ///< comments and unparsed lines, kept as read
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;

    std::vector<Section> m_sections;
    std::vector<std::string> m_preamble;
    int m_codePage = 1252;
    State m_state = State::Missing;
};

} // namespace mivra
