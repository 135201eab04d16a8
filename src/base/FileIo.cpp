#include "base/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivra::io {
namespace {

FaultHook& Hook() {
    static FaultHook hook;
    return hook;
}

bool& Durable() {
    static bool durable = true;
    return durable;
}

bool Injected(Step step, const std::filesystem::path& target) {
    const FaultHook& hook = Hook();
    if (hook && hook(step, target)) {
        errno = EIO;
        return true;
    }
    return false;
}

std::string Reason(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Large files go out in pieces, so the fault hook can fail a write in the middle of a file.
constexpr size_t kWriteChunk = 16 * 1024;

bool WriteAll(int fd, std::span<const uint8_t> data, const std::filesystem::path& target) {
    size_t done = 0;
    while (done < data.size()) {
        if (Injected(Step::Write, target))
            return false;
        ssize_t n = ::write(fd, data.data() + done, std::min(data.size() - done, kWriteChunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Every fsync goes through here, so the fault hook sees each one.
bool Fsync(int fd, Step step, const std::filesystem::path& target) {
    if (Injected(step, target))
        return false;
    return !Durable() || ::fsync(fd) == 0;
}

// Makes a rename into the folder durable; the target's save has succeeded whatever this does.
void SyncFolder(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        Fsync(fd, Step::SyncFolder, target);
        ::close(fd);
    }
}

constexpr std::string_view kTemporaryInfix = ".tmp-";
constexpr size_t kTemporarySuffix = 6; // mkostemp's XXXXXX

// Opens without blocking (a pipe named like a data file must not stall the program) and keeps
// the descriptor only for a regular file; errno tells why not.
int OpenRegular(const std::filesystem::path& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    // Regular files ignore O_NONBLOCK; cleared anyway so the descriptor reads as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

mode_t NewFileMode(const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void SetFaultHook(FaultHook hook) {
    Hook() = std::move(hook);
}

void SetDurable(bool durable) {
    Durable() = durable;
}

FileBytes ReadFile(const std::filesystem::path& path, uint64_t maxBytes) {
    FileBytes result;
    int fd = OpenRegular(path, O_RDONLY);
    if (fd < 0) {
        result.state =
            (errno == ENOENT || errno == ENOTDIR) ? ReadState::Missing : ReadState::Unreadable;
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        result.state = ReadState::Unreadable;
        return result;
    }
    result.fileSize = static_cast<uint64_t>(st.st_size);
    uint64_t want = std::min<uint64_t>(result.fileSize, maxBytes);
    result.bytes.resize(static_cast<size_t>(want));
    size_t done = 0;
    while (done < result.bytes.size()) {
        ssize_t n = ::read(fd, result.bytes.data() + done, result.bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            result.bytes.clear();
            result.state = ReadState::Unreadable;
            return result;
        }
        if (n == 0)
            break; // the file shrank while we read it
        done += static_cast<size_t>(n);
    }
    result.bytes.resize(done);
    ::close(fd);
    result.state = ReadState::Ok;
    return result;
}

std::optional<uint64_t> FileSize(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

bool Exists(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

AtomicFile::AtomicFile(std::filesystem::path target) : m_target(std::move(target)) {}

AtomicFile::~AtomicFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
}

IoError AtomicFile::Fail(std::string what) const {
    return IoError{m_target, std::move(what)};
}

Status AtomicFile::Open() {
    if (m_fd >= 0)
        return Status::Ok();
    if (Injected(Step::Create, m_target))
        return Fail(Reason("create"));
    std::string pattern = (m_target.parent_path() / ("." + m_target.filename().string() +
                                                     std::string(kTemporaryInfix) + "XXXXXX"))
                              .string();
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(Reason("create"));
    m_fd = fd;
    m_temp = pattern;
    ::fchmod(m_fd, NewFileMode(m_target));
    return Status::Ok();
}

Status AtomicFile::Write(std::span<const uint8_t> data) {
    if (m_failed)
        return Fail("an earlier write failed");
    Status opened = Open();
    if (!opened) {
        m_failed = true;
        return opened;
    }
    if (!WriteAll(m_fd, data, m_target)) {
        m_failed = true;
        return Fail(Reason("write"));
    }
    return Status::Ok();
}

Status AtomicFile::Commit() {
    if (m_failed)
        return Fail("an earlier write failed");
    Status opened = Open();
    if (!opened)
        return opened;
    if (Injected(Step::Flush, m_target))
        return Fail(Reason("flush"));
    if (!Fsync(m_fd, Step::Sync, m_target))
        return Fail(Reason("sync"));
    int fd = m_fd;
    m_fd = -1;
    if (Injected(Step::Close, m_target)) {
        ::close(fd);
        return Fail(Reason("close"));
    }
    if (::close(fd) != 0)
        return Fail(Reason("close"));
    if (Injected(Step::Rename, m_target))
        return Fail(Reason("rename"));
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0)
        return Fail(Reason("rename"));
    m_temp.clear();
    SyncFolder(m_target);
    return Status::Ok();
}

bool IsTemporaryName(std::string_view name) {
    const size_t infix = name.rfind(kTemporaryInfix);
    if (name.size() < 2 || name.front() != '.' || infix == std::string_view::npos || infix < 2 ||
        name.size() != infix + kTemporaryInfix.size() + kTemporarySuffix)
        return false;
    return std::all_of(name.end() - kTemporarySuffix, name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

void RemoveTemporaryLeftovers(const std::filesystem::path& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        // Only regular files of our own naming; a link or folder so named is not ours.
        if (IsTemporaryName(it->path().filename().string()) && it->is_regular_file(ec) &&
            !it->is_symlink(ec))
            ::unlink(it->path().c_str());
    }
}

Status SaveFile(const std::filesystem::path& path, std::span<const uint8_t> data) {
    AtomicFile file(path);
    if (Status s = file.Write(data); !s)
        return s;
    return file.Commit();
}

Status WriteSlot(const std::filesystem::path& path, uint64_t offset,
                 std::span<const uint8_t> data) {
    auto fail = [&](const char* what) { return Status(IoError{path, Reason(what)}); };
    if (Injected(Step::Create, path))
        return fail("open");
    int fd = OpenRegular(path, O_WRONLY | O_CREAT);
    if (fd < 0)
        return fail("open");
    if (::lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0 || !WriteAll(fd, data, path)) {
        Status s = fail("write");
        ::close(fd);
        return s;
    }
    if (Injected(Step::Flush, path) || !Fsync(fd, Step::Sync, path)) {
        Status s = fail("sync");
        ::close(fd);
        return s;
    }
    if (Injected(Step::Close, path)) {
        ::close(fd);
        return fail("close");
    }
    if (::close(fd) != 0)
        return fail("close");
    return Status::Ok();
}

std::optional<std::vector<uint8_t>> ReadSlot(const std::filesystem::path& path, uint64_t offset,
                                             size_t size) {
    int fd = OpenRegular(path, O_RDONLY);
    if (fd < 0)
        return std::nullopt;
    std::vector<uint8_t> buf(size);
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, buf.data() + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    if (done != size)
        return std::nullopt;
    return buf;
}

} // namespace mivra::io
