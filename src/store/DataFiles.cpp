#include "store/DataFiles.h"

#include "resources/StringTable.h"
#include "ui/Host.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivra {
namespace {

constexpr int kMsgWriteFailed = 1231;
constexpr int kMsgUnreadable = 60003;
constexpr int kMsgTooLarge = 60004;
constexpr int kMsgProtected = 60005;
constexpr int kMsgReadOnly = 60071;

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

namespace {

// Messages name files by their full path, even when the folder was given relative.
std::filesystem::path Absolute(std::filesystem::path folder) {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(folder, ec);
    return ec ? folder : full.lexically_normal();
}

} // namespace

DataFiles::DataFiles(std::filesystem::path folder, const StringTable& strings,
                     ui::MessageHost& host)
    : m_folder(Absolute(std::move(folder))), m_strings(strings), m_host(host) {}

std::filesystem::path DataFiles::Path(int id) const {
    return m_folder / m_strings.Get(id);
}

void DataFiles::Show(int messageId, const std::filesystem::path& path) {
    if (m_quiet)
        return;
    ui::MessageBox box;
    box.text = m_strings.Format(messageId, path.string());
    box.icon = ui::Icon::Warning;
    m_host.ShowMessage(box);
}

void DataFiles::Protect(int id, int messageId) {
    if (m_protected[id])
        return;
    m_protected[id] = true;
    Show(messageId, Path(id));
}

io::FileBytes DataFiles::Read(int id, uint64_t maxBytes, Tail tail) {
    io::FileBytes file = io::ReadFile(Path(id), maxBytes);
    if (file.state == io::ReadState::Unreadable)
        Protect(id, kMsgUnreadable);
    else if (file.state == io::ReadState::Ok && file.fileSize > maxBytes && tail == Tail::Protect)
        Protect(id, kMsgTooLarge);
    return file;
}

void DataFiles::ReportUnreadable(int id) {
    Protect(id, kMsgUnreadable);
}

io::ReadState DataFiles::Stream(int id, size_t recordSize,
                                const std::function<void(std::span<const uint8_t>)>& sink) {
    // O_NONBLOCK: a pipe in the place of the file must not stall the start; it is refused below.
    Fd fd(::open(Path(id).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (fd.get() < 0 && (errno == ENOENT || errno == ENOTDIR))
        return io::ReadState::Missing;
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        Protect(id, kMsgUnreadable);
        return io::ReadState::Unreadable;
    }
    std::vector<uint8_t> buffer(recordSize * 1024);
    size_t filled = 0;
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer.data() + filled, buffer.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            Protect(id, kMsgUnreadable);
            return io::ReadState::Unreadable;
        }
        filled += static_cast<size_t>(n);
        size_t whole = filled - filled % recordSize;
        if (n == 0 || whole == buffer.size()) {
            sink(std::span<const uint8_t>(buffer.data(), whole));
            std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(whole),
                      buffer.begin() + static_cast<std::ptrdiff_t>(filled), buffer.begin());
            filled -= whole;
        }
        if (n == 0)
            return io::ReadState::Ok; // a trailing partial record is ignored
    }
}

std::optional<std::vector<uint8_t>> DataFiles::ReadSlot(int id, uint64_t offset,
                                                        size_t size) const {
    return io::ReadSlot(Path(id), offset, size);
}

bool DataFiles::Exists(int id) const {
    return io::Exists(Path(id));
}

bool DataFiles::Protected(int id) const {
    auto it = m_protected.find(id);
    return it != m_protected.end() && it->second;
}

bool DataFiles::MayWrite(int id) {
    if (m_readOnly || Protected(id))
        ++m_failedWrites;
    if (m_readOnly) {
        if (!m_loading)
            Show(kMsgReadOnly, Path(id));
        return false;
    }
    if (!Protected(id))
        return true;
    Show(kMsgProtected, Path(id));
    return false;
}

bool DataFiles::Save(int id, std::span<const uint8_t> bytes) {
    if (!MayWrite(id))
        return false;
    return Finish(id, io::SaveFile(Path(id), bytes));
}

bool DataFiles::Finish(int id, const Status& status) {
    if (!status.ok())
        ReportWriteFailure(Path(id));
    return status.ok();
}

bool DataFiles::WriteSlot(int id, uint64_t offset, std::span<const uint8_t> bytes) {
    if (!MayWrite(id))
        return false;
    Status status = io::WriteSlot(Path(id), offset, bytes);
    if (!status.ok())
        ReportWriteFailure(status.error().path);
    return status.ok();
}

void DataFiles::ReportWriteFailure(const std::filesystem::path& path) {
    ++m_failedWrites;
    Show(kMsgWriteFailed, path);
}

void DataFiles::Reset() {
    m_protected.clear();
}

} // namespace mivra
