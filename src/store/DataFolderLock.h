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

    /** Why a folder could not be taken. */
    enum class Refusal {
        Held,        ///< another program holds it
        NotWritable, ///< this user may not write in it (a read-only copy, a read-only medium)
        Failed,      ///< anything else
    };

    /**
     * Takes the folder and clears save leftovers, or fails: `why` (when given) says whether
     * another program holds it or the folder cannot be written.
     */
    static Result<DataFolderLock> Acquire(const std::filesystem::path& folder,
                                          Refusal* why = nullptr);
    /** The process id recorded by the program that holds the folder, or 0. */
    static int HolderPid(const std::filesystem::path& folder);
    /**
     * What a refusal says: 60007 when another program holds the folder, 60070 with the
     * system's reason when it cannot be written.
     */
    static std::string RefusalMessage(const StringTable& strings,
                                      const std::filesystem::path& folder,
                                      Refusal why = Refusal::Held, const std::string& reason = {});

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
