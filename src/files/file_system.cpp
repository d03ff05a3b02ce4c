#include "files/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <random>
#include <regex>
#include <utility>

namespace zav {

namespace fs = std::filesystem;

namespace {

// Longest file name most Linux file systems take; pathconf tells the folder's own.
constexpr long kDefaultNameMax = NAME_MAX;
// How a temporary file of this program is named: ".NAME.xxxxxx.zavtmp".
constexpr std::string_view kTempEnding = ".zavtmp";
// A temporary file this old belongs to no save still running.
constexpr auto kStaleAfter = std::chrono::minutes(1);
// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

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

  private:
    int fd_;
};

std::error_code lastError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

class RefusalCategory final : public std::error_category {
  public:
    [[nodiscard]] const char* name() const noexcept override { return "file"; }
    [[nodiscard]] std::string message(int /*value*/) const override { return "not a regular file"; }
};

// The file a name finally refers to, following links even when the last one dangles,
// so that a save writes through the link instead of replacing it.
std::error_code resolveTarget(fs::path& target) {
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) return {};
        if (hops == kMaxLinkHops)
            return std::make_error_code(std::errc::too_many_symbolic_link_levels);
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return ec;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

std::size_t nameMax(const fs::path& dir) {
    const long limit = ::pathconf(dir.empty() ? "." : dir.c_str(), _PC_NAME_MAX);
    return static_cast<std::size_t>(limit > 0 ? limit : kDefaultNameMax);
}

bool isStaleTemporary(const fs::directory_entry& entry) {
    static const std::regex kPattern(R"(\..*\.[0-9a-f]{6}\.zavtmp)");
    std::error_code ec;
    if (!entry.is_regular_file(ec) || !std::regex_match(entry.path().filename().string(), kPattern))
        return false;
    const auto written = entry.last_write_time(ec);
    return !ec && fs::file_time_type::clock::now() - written > kStaleAfter;
}

// Removes what killed saves left in the folder; failing that is no reason to stop a save.
void removeStaleTemporaries(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code ignored;
        if (isStaleTemporary(*it)) fs::remove(it->path(), ignored);
    }
}

// A new, empty file beside the target that no one else has opened; its name fits the
// folder's name limit however long the target's name is.
FileDescriptor createTemporary(const fs::path& target, fs::path& tempPath, std::error_code& ec) {
    std::random_device seed;
    std::mt19937 gen(seed());
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    const fs::path dir = target.parent_path();
    const std::string name = "." + target.filename().string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::array<char, sizeof ".ffffff"> suffix{};
        std::snprintf(suffix.data(), suffix.size(), ".%06x", digits(gen));
        const std::string ending = suffix.data() + std::string(kTempEnding);
        tempPath = dir / (name.substr(0, nameMax(dir) - ending.size()) + ending);
        FileDescriptor fd(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.isOpen()) return fd;
        if (errno != EEXIST) break;
    }
    ec = errno == EEXIST ? std::make_error_code(std::errc::file_exists) : lastError();
    return FileDescriptor(-1);
}

// Makes the rename itself survive a power cut.
void syncFolder(const fs::path& dir) {
    FileDescriptor fd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.isOpen()) (void)::fsync(fd.get());
}

}  // namespace

std::error_code refusalError(FileRefusal refusal) {
    static const RefusalCategory kCategory;
    return {static_cast<int>(refusal), kCategory};
}

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
    if (auto ec = resolveTarget(target)) return ec;

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

    removeStaleTemporaries(target.parent_path());
    fs::path tempPath;
    FileDescriptor temp = createTemporary(target, tempPath, ec);
    if (!temp.isOpen()) return ec;

    ec = writeTemporary(temp.get(), bytes);
    if (!ec && ::fsync(temp.get()) != 0) ec = lastError();
    if (temp.close() != 0 && !ec) ec = lastError();
    if (!ec && fs::exists(oldStatus)) {
        std::error_code ignored;  // keeping the old permissions is a courtesy, not a must
        fs::permissions(tempPath, oldStatus.permissions(), ignored);
    }
    if (!ec) ec = moveOver(tempPath, target);
    if (ec) {
        std::error_code ignored;
        fs::remove(tempPath, ignored);
        return ec;
    }
    syncFolder(target.parent_path());
    return {};
}

std::error_code DiskFileSystem::createFolders(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return ec;
}

std::vector<std::string> DiskFileSystem::fileNames(const std::string& folder, std::error_code& ec) {
    std::vector<std::string> names;
    ec.clear();
    if (!fs::exists(folder, ec)) return names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (it->is_regular_file(ignored)) names.push_back(it->path().filename().string());
    }
    return names;
}

std::error_code DiskFileSystem::writeTemporary(int fd, std::span<const Byte> bytes) {
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

std::error_code DiskFileSystem::moveOver(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return ec;
}

}  // namespace zav
