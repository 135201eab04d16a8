#pragma once

#include "base/FileIo.h"
#include "base/Result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace mivra {

class StringTable;
namespace ui {
class MessageHost;
}

/** String ids of the texts that name the files of the data folder. */
namespace file {
inline constexpr int kSpeakers = 1244;
inline constexpr int kExtra = 1114;
inline constexpr int kCongregations = 1296;
inline constexpr int kTalks = 1187;
inline constexpr int kTopics = 1188;
inline constexpr int kCircuits = 1186;
inline constexpr int kHosts = 1190;
inline constexpr int kHistory = 1189;
inline constexpr int kAvailability = 1115;
inline constexpr int kNeeds = 1185;
inline constexpr int kEvents = 1116;
inline constexpr int kLegacyExtra = 1287;
inline constexpr int kProfile = 1251;
} // namespace file

/**
 * The files of the data folder, by the string id of their name: full paths, reading, and
 * every write with its message. A file that exists but cannot be read, or is larger than the
 * program reads, is protected: nothing writes to it for the rest of the session, so what the
 * program could not load is never overwritten.
 */
class DataFiles {
public:
    DataFiles(std::filesystem::path folder, const StringTable& strings, ui::MessageHost& host);

    const std::filesystem::path& Folder() const { return m_folder; }
    std::filesystem::path Path(int id) const;

    /** What a read does with a file longer than it reads. */
    enum class Tail {
        Protect, ///< the rest holds records: tell the user and protect the file
        Ignore,  ///< the rest is not part of the layout
    };

    /**
     * Reads at most maxBytes of a file. An unreadable file (no bytes) is reported once and
     * protected, and so is a longer one unless its tail is ignored.
     */
    io::FileBytes Read(int id, uint64_t maxBytes, Tail tail = Tail::Protect);
    /** Tells the user that an existing file could not be read, and protects it. */
    void ReportUnreadable(int id);
    /** Reads a file of any size in whole records, chunk by chunk; the same rules apply. */
    io::ReadState Stream(int id, size_t recordSize,
                         const std::function<void(std::span<const uint8_t>)>& sink);
    /** One record in place; nothing when the file is shorter or cannot be read. */
    std::optional<std::vector<uint8_t>> ReadSlot(int id, uint64_t offset, size_t size) const;
    bool Exists(int id) const;

    bool Protected(int id) const;
    /**
     * A folder opened for viewing only: every write is refused (the user is told, unless
     * quiet), and nothing is left pending, since no retry could succeed.
     */
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool ReadOnly() const { return m_readOnly; }
    /** While loading, a read-only folder refuses writes without a word (the user was told). */
    void SetLoading(bool loading) { m_loading = loading; }
    /** An atomic whole-file save; the user is told when it fails. */
    bool Save(int id, std::span<const uint8_t> bytes);
    /** A record written in place; the user is told when it fails. */
    bool WriteSlot(int id, uint64_t offset, std::span<const uint8_t> bytes);
    /** Notes the outcome of a whole-file save made elsewhere (the settings profile). */
    bool Finish(int id, const Status& status);
    /** Refuses a write to a protected file, telling the user; true when it may go ahead. */
    bool MayWrite(int id);

    /** Message 1231 with the full path. */
    void ReportWriteFailure(const std::filesystem::path& path);
    /** How many writes were refused or failed so far: a job that writes many records stops
     *  when this grows. */
    uint64_t FailedWrites() const { return m_failedWrites; }
    /** While quiet, failures are noted but not shown (the retry at close reports them). */
    void SetQuiet(bool quiet) { m_quiet = quiet; }
    /** Forgets the protections: the folder is read anew. */
    void Reset();

private:
    void Show(int messageId, const std::filesystem::path& path);
    void Protect(int id, int messageId);

    std::filesystem::path m_folder;
    const StringTable& m_strings;
    ui::MessageHost& m_host;
    std::map<int, bool> m_protected;
    bool m_quiet = false;
    bool m_readOnly = false;
    bool m_loading = false;
    uint64_t m_failedWrites = 0;
};

} // namespace mivra
