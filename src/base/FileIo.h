#pragma once

#include "base/Result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The file layer. Every write of the program goes through AtomicFile or WriteSlot, so a test
// can make any step fail, and no crash or full disk leaves a half-written whole file.
namespace mivra::io {

/** The steps of a write that the fault hook can fail. */
enum class Step { Create, Write, Flush, Sync, Rename, Close, SyncFolder };

/**
 * Returns true to make that step of a write to `target` fail. Every fsync of the layer asks the
 * hook first (Sync for the file, SyncFolder for its folder after a rename), so a test can also
 * count them; a failed folder sync does not fail the save, whose file is already in place.
 */
using FaultHook = std::function<bool(Step step, const std::filesystem::path& target)>;

/** Installs a fault hook for tests (nullptr removes it). */
void SetFaultHook(FaultHook hook);

/** Whether writes are synced to the disk (on by default; tests may turn it off for speed). */
void SetDurable(bool durable);

enum class ReadState { Ok, Missing, Unreadable };

struct FileBytes {
    ReadState state = ReadState::Missing;
    std::vector<uint8_t> bytes;
    uint64_t fileSize = 0; ///< the file's full size, even when only a prefix was read
};

/** Reads at most maxBytes of a file; a missing file is not an unreadable one. */
FileBytes ReadFile(const std::filesystem::path& path, uint64_t maxBytes = UINT64_MAX);

/** The size of a file, or nothing when it does not exist or cannot be examined. */
std::optional<uint64_t> FileSize(const std::filesystem::path& path);

bool Exists(const std::filesystem::path& path);

/** Whether a name from a data file is a plain file name, never a path: joined onto a folder,
 *  it stays inside it. */
bool IsPlainName(std::string_view name);

/**
 * A whole-file save: a temporary file in the same folder, written, flushed, synced and
 * renamed over the target. Until Commit succeeds the old file is untouched; a destroyed
 * uncommitted AtomicFile removes its temporary file.
 */
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    Status Write(std::span<const uint8_t> data);
    Status Commit();

private:
    Status Open();
    IoError Fail(std::string what) const;

    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    int m_fd = -1;
    bool m_failed = false;
};

/** Whether a file name is that of a save's temporary file (".NAME.tmp-XXXXXX"). */
bool IsTemporaryName(std::string_view fileName);

/**
 * Removes the temporary files that killed saves left in a folder, and nothing else. Only the
 * folder's one writer may call it: another writer's save in progress would lose its file.
 */
void RemoveTemporaryLeftovers(const std::filesystem::path& folder);

/** Writes the whole file atomically in one call. */
Status SaveFile(const std::filesystem::path& path, std::span<const uint8_t> data);

/** Writes bytes in place at an offset of a slot file, creating the file when missing. */
Status WriteSlot(const std::filesystem::path& path, uint64_t offset, std::span<const uint8_t> data);

/** Reads exactly size bytes at an offset, or nothing when the file is shorter or unreadable. */
std::optional<std::vector<uint8_t>> ReadSlot(const std::filesystem::path& path, uint64_t offset,
                                             size_t size);

} // namespace mivra::io
