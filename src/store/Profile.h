#pragma once

#include "base/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mivra {

/**
 * The settings profile: an INI file as a Windows profile API reads and writes it. Sections
 * and keys match without regard to case (the first of duplicates counts), values are held as
 * the code page's bytes on disk (UTF-8 here), and what this program does
 * not know (sections, keys, comments, other lines) is kept byte for byte on write.
 *
 * Values are trimmed of blanks and lose one pair of enclosing quotes when read, so a value that
 * needs them is written in double quotes. A value is cut at its first line break (CR or LF) or
 * NUL, so it can never add lines to the file. Names that cannot round-trip (empty, holding
 * "=", "]" in a section, a line break, or a key starting with "[" or ";") are ignored.
 * Set stores the value as the file will hold it: a character the code page lacks reads "?".
 */
class Profile {
public:
    enum class State { Loaded, Missing, Unreadable };

    Profile() = default;
    /** A missing file gives an empty profile; one that exists but cannot be read (or is
     *  larger than kMaxBytes) gives an empty profile in state Unreadable. */
    static Profile Load(const std::filesystem::path& path, int codePage);
    static Profile Parse(std::string_view bytes, int codePage);

    static constexpr uint64_t kMaxBytes = 4 * 1024 * 1024;

    State state() const { return m_state; }

    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
    /**
     * The value as GetPrivateProfileInt reads it: leading blanks skipped, an optional sign,
     * an optional base prefix ("0x" hexadecimal, "0o" octal, "0b" binary), the leading
     * digits (clamped to int); a value without digits reads 0, a missing or empty one def.
     */
    int GetInt(std::string_view section, std::string_view key, int def) const;
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);

    /** The file's bytes: untouched lines as read, in the file's own line ends. */
    std::string Serialize() const;
    /**
     * Writes the profile atomically; a failure answers the IoError with the full path. A
     * profile loaded as Unreadable is never written, so unread settings are not lost.
     */
    Status Save(const std::filesystem::path& path) const;

private:
    /** One line of the file: its bytes, and for an entry its key and value. */
    struct Line {
        std::string bytes; ///< as on disk, without the line end
        std::string eol;   ///< "\r\n", "\n", or empty for a last line without one
        std::string key;   ///< UTF-8; empty for comments and lines that are no entry
        std::string value; ///< UTF-8
    };
    struct Section {
        std::string name; ///< UTF-8
        Line header;
        std::vector<Line> lines;
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    Section& AddSection(std::string_view name);
    std::string Normalise(std::string_view name) const;

    std::vector<Section> m_sections;
    std::vector<Line> m_preamble; ///< lines before the first section
    std::string m_eol = "\r\n";
    int m_codePage = 1252;
    State m_state = State::Missing;
};

} // namespace mivra
