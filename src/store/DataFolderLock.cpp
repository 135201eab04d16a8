#include "store/DataFolderLock.h"

#include "base/FileIo.h"
#include "resources/StringTable.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mivra {
namespace {

constexpr int kHeld = 60007;
constexpr int kNotWritable = 60070;

bool NotWritable(int error) {
    return error == EACCES || error == EROFS || error == EPERM;
}

} // namespace

Result<DataFolderLock> DataFolderLock::Acquire(const std::filesystem::path& folder, Refusal* why) {
    Refusal ignored;
    Refusal& refusal = why ? *why : ignored;
    const std::filesystem::path path = folder / kFileName;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int error = errno;
        refusal = NotWritable(error) ? Refusal::NotWritable : Refusal::Failed;
        return IoError{folder, std::strerror(error)};
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        refusal = error == EWOULDBLOCK ? Refusal::Held : Refusal::Failed;
        if (error == EWOULDBLOCK)
            return IoError{path, "held by process " + std::to_string(HolderPid(folder))};
        return IoError{path, std::string("lock: ") + std::strerror(error)};
    }
    // A writable lock file left in a folder that is not writable any more proves nothing.
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) != 0) {
        const int error = errno;
        ::close(fd);
        refusal = NotWritable(error) ? Refusal::NotWritable : Refusal::Failed;
        return IoError{folder, std::strerror(error)};
    }
    // The pid is only for the refusal message; the lock itself is what counts.
    const std::string pid = std::to_string(::getpid()) + "\n";
    [[maybe_unused]] const bool noted =
        ::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.data(), pid.size(), 0) > 0;
    // Only the holder may clear what killed saves left: nobody else is saving here now.
    io::RemoveTemporaryLeftovers(folder);
    return DataFolderLock(fd);
}

int DataFolderLock::HolderPid(const std::filesystem::path& folder) {
    int fd = ::open((folder / kFileName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char buffer[32] = {};
    ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    ::close(fd);
    return n > 0 ? std::atoi(buffer) : 0;
}

std::string DataFolderLock::RefusalMessage(const StringTable& strings,
                                           const std::filesystem::path& folder, Refusal why,
                                           const std::string& reason) {
    if (why == Refusal::NotWritable)
        return strings.Format(kNotWritable, folder.string(), reason);
    return strings.Format(kHeld, folder.string(), std::to_string(HolderPid(folder)));
}

DataFolderLock::DataFolderLock(DataFolderLock&& other) noexcept : m_fd(other.m_fd) {
    other.m_fd = -1;
}

DataFolderLock& DataFolderLock::operator=(DataFolderLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

DataFolderLock::~DataFolderLock() {
    Release();
}

void DataFolderLock::Release() {
    if (m_fd < 0)
        return;
    // The file stays: removing it would let a writer waiting on the old file and one
    // creating a new file both believe they hold the folder.
    [[maybe_unused]] const bool cleared = ::ftruncate(m_fd, 0) == 0;
    ::close(m_fd);
    m_fd = -1;
}

} // namespace mivra
