// The disk on POSIX systems: descriptors, fsync, and on Linux unnamed temporary files.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>
#include <utility>

#include "files/disk_names.h"
#include "files/file_system.h"

namespace zav {

namespace fs = std::filesystem;

namespace {

// Longest file name most Linux file systems take; pathconf tells the folder's own.
constexpr long kDefaultNameMax = NAME_MAX;

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    ~FileDescriptor() { close(); }
    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool isOpen() const { return fd_ >= 0; }
    // Closes now; the close's own error matters after a write.
    int close() { return fd_ >= 0 ? ::close(std::exchange(fd_, -1)) : 0; }
    // Hands the descriptor over to the caller, who closes it.
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

std::error_code lastError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

std::size_t nameMax(const fs::path& dir) {
    const long limit = ::pathconf(dir.empty() ? "." : dir.c_str(), _PC_NAME_MAX);
    return static_cast<std::size_t>(limit > 0 ? limit : kDefaultNameMax);
}

// A new, empty file under a temporary name, which no one else has opened.
FileDescriptor createTemporary(const fs::path& target, fs::path& tempPath, std::error_code& ec) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = disk::temporaryName(target, disk::randomDigits(), nameMax(target.parent_path()));
        FileDescriptor fd(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.isOpen()) return fd;
        if (errno != EEXIST) break;
    }
    ec = errno == EEXIST ? std::make_error_code(std::errc::file_exists) : lastError();
    return FileDescriptor(-1);
}

// A file in the folder without a name; not every file system has them.
FileDescriptor createUnnamed(const fs::path& dir) {
    return FileDescriptor(
        ::open(dir.empty() ? "." : dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
}

// Gives the complete unnamed file a temporary name beside the target, for the rename.
std::error_code nameUnnamed(int fd, const fs::path& target, fs::path& tempPath) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = disk::temporaryName(target, disk::randomDigits(), nameMax(target.parent_path()));
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempPath.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return {};
        if (errno != EEXIST) break;
    }
    tempPath.clear();
    return lastError();
}

// Errors that say only that the unnamed route is not open here (an old kernel, a file
// system without unnamed files, no /proc): the save takes a named temporary instead.
bool routeUnavailable(const std::error_code& ec) {
    return ec == std::errc::operation_not_supported || ec == std::errc::is_a_directory ||
           ec == std::errc::invalid_argument || ec == std::errc::no_such_file_or_directory ||
           ec == std::errc::operation_not_permitted || ec == std::errc::permission_denied;
}

}  // namespace

ReadResult DiskFileSystem::readFile(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    // Opened without blocking: a FIFO without a writer would otherwise hang the open.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.isOpen()) {
        result.error = lastError();
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        result.error = lastError();
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = refusalError(FileRefusal::NotRegularFile);
        return result;
    }
    // One byte more than asked tells whether the file goes on.
    result.bytes.resize(maxBytes + 1);
    std::size_t got = 0;
    while (got < result.bytes.size()) {
        const ssize_t n = ::read(fd.get(), result.bytes.data() + got, result.bytes.size() - got);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = lastError();
            result.bytes.clear();
            return result;
        }
        got += static_cast<std::size_t>(n);
    }
    result.moreFollow = got > maxBytes;
    result.bytes.resize(std::min(got, maxBytes));
    return result;
}

std::error_code DiskFileSystem::replaceFile(const std::string& path, std::span<const Byte> bytes) {
    fs::path target(path);
    if (auto ec = disk::resolveTarget(target)) return ec;

    std::error_code ec;
    const auto oldStatus = fs::status(target, ec);
    // Renaming over a device or a fifo would replace it with a plain file.
    if (fs::exists(oldStatus) && !fs::is_regular_file(oldStatus) && !fs::is_directory(oldStatus))
        return refusalError(FileRefusal::NotRegularFile);
    // An existing file we may not write (read-only, a folder) is refused as the system
    // would refuse writing it in place, rather than replaced behind its back.
    if (FileDescriptor probe(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
        !probe.isOpen() && errno != ENOENT)
        return lastError();

    disk::removeStaleTemporaries(target.parent_path());
    ec = replaceVia(Temporary::Unnamed, target, oldStatus, bytes);
    if (ec == std::errc::operation_canceled)
        ec = replaceVia(Temporary::Named, target, oldStatus, bytes);
    return ec;
}

// operation_canceled: the unnamed route is not open here, and nothing was changed.
std::error_code DiskFileSystem::replaceVia(Temporary kind, const fs::path& target,
                                           const fs::file_status& oldStatus,
                                           std::span<const Byte> bytes) {
    std::error_code ec;
    fs::path tempPath;
    FileDescriptor temp = kind == Temporary::Unnamed ? createUnnamed(target.parent_path())
                                                     : createTemporary(target, tempPath, ec);
    if (!temp.isOpen() && kind == Temporary::Unnamed) {
        ec = lastError();
        return routeUnavailable(ec) ? std::make_error_code(std::errc::operation_canceled) : ec;
    }
    if (!temp.isOpen()) return ec;

    ec = writeTemporary(temp.get(), bytes);
    // Keeping the old permissions is a courtesy, not a must.
    if (!ec && fs::exists(oldStatus))
        (void)::fchmod(temp.get(), static_cast<mode_t>(oldStatus.permissions() & fs::perms::mask));
    if (!ec) ec = syncToDisk(temp.get());
    if (!ec && kind == Temporary::Unnamed) {
        ec = nameUnnamed(temp.get(), target, tempPath);
        if (ec && routeUnavailable(ec)) return std::make_error_code(std::errc::operation_canceled);
    }
    if (temp.close() != 0 && !ec) ec = lastError();
    if (!ec) ec = moveOver(tempPath, target);
    if (ec) {
        std::error_code ignored;
        if (!tempPath.empty()) fs::remove(tempPath, ignored);
        return ec;
    }
    // The rename itself must survive a power cut too. A folder that cannot be opened for
    // it (no read permission) or synced at all (some file systems) fails no save.
    const fs::path dir = target.parent_path();
    FileDescriptor folder(
        ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isOpen()) return {};
    ec = syncToDisk(folder.get());
    return ec == std::errc::invalid_argument ? std::error_code{} : ec;
}

std::error_code DiskFileSystem::writeTemporary(NativeFile file, std::span<const Byte> bytes) {
    const int fd = static_cast<int>(file);
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return lastError();
        done += static_cast<std::size_t>(n);
    }
    return {};
}

std::error_code DiskFileSystem::syncToDisk(NativeFile file) {
    return ::fsync(static_cast<int>(file)) == 0 ? std::error_code{} : lastError();
}

std::error_code DiskFileSystem::moveOver(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return ec;
}

namespace {

std::error_code writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        errno = 0;
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return lastError();
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}
}  // namespace

std::error_code AppendFile::open(const std::string& path, Start start) {
    (void)close();
    error_.clear();
    std::error_code ec;
    // Looked at before opening: opening a device may already act on it.
    const auto status = fs::status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) return ec;
    if (fs::exists(status) && !fs::is_regular_file(status))
        return refusalError(FileRefusal::NotRegularFile);
    FileDescriptor fd(::open(
        path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (!fd.isOpen()) return lastError();
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return lastError();
    // Something else may have taken the name since it was looked at.
    if (!S_ISREG(info.st_mode)) return refusalError(FileRefusal::NotRegularFile);
    if (start == Start::Replace && info.st_size > 0 && ::ftruncate(fd.get(), 0) != 0)
        return lastError();
    startedEmpty_ = start == Start::Replace || info.st_size == 0;
    file_ = fd.release();
    return {};
}

void AppendFile::writeWhole(std::string_view text) {
    flush();
    if (!isOpen() || error_) return;
    struct stat info {};
    const int fd = static_cast<int>(file_);
    const bool sized = ::fstat(fd, &info) == 0;
    error_ = writeAll(fd, text);
    // A row cut short would be read as a wrong one: the file goes back to what it held.
    if (error_ && sized) (void)::ftruncate(fd, info.st_size);
}

void AppendFile::flush() {
    if (!isOpen() || error_ || pending_.empty()) return;
    error_ = writeAll(static_cast<int>(file_), pending_);
    pending_.clear();
}

std::error_code AppendFile::close() {
    if (!isOpen()) return error_;
    flush();
    const int fd = static_cast<int>(std::exchange(file_, kNoFile));
    if (!error_ && ::fsync(fd) != 0) error_ = lastError();
    if (::close(fd) != 0 && !error_) error_ = lastError();
    pending_.clear();
    return error_;
}

}  // namespace zav
