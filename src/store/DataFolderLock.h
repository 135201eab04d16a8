#pragma once

#include "base/Result.h"

#include <filesystem>
#include <string>

namespace mivra {

class StringTable;

/**
 * One writer per data folder: a lock file in the folder, held locked while this object
 * lives. The kernel drops the lock when its process dies, so a lock file left by a dead
 * process is taken over. Taking the folder removes the temporary files that killed saves
 * left in it. Read-only jobs take no lock.
 */
class DataFolderLock {
public:
    static constexpr const char* kFileName = ".mivra.lock";

    /** Takes the folder and clears save leftovers, or fails when another program holds it (or the
     * file cannot be made). */
    static Result<DataFolderLock> Acquire(const std::filesystem::path& folder);
    /** The process id recorded by the program that holds the folder, or 0. */
    static int HolderPid(const std::filesystem::path& folder);
    /** Message 60007 for a refused lock. */
    static std::string RefusalMessage(const StringTable& strings,
                                      const std::filesystem::path& folder);

    DataFolderLock(DataFolderLock&& other) noexcept;
    DataFolderLock& operator=(DataFolderLock&& other) noexcept;
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;
    ~DataFolderLock();

private:
    explicit DataFolderLock(int fd) : m_fd(fd) {}
    void Release();

    int m_fd = -1;
};

} // namespace mivra
