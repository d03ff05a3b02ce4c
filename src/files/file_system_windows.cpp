// The disk on Windows: Win32 handles, wide paths from UTF-8 (long ones through "\\?\"),
// FlushFileBuffers, and the rename written through to the disk (MOVEFILE_WRITE_THROUGH),
// which stands in for the folder sync POSIX systems need. Win32 error numbers become the
// POSIX numbers the rest of the program tells the user about (file_error.h).

#include <windows.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "files/disk_names.h"
#include "files/file_system.h"

namespace zav {

namespace fs = std::filesystem;

namespace {

// NTFS, FAT and exFAT take names of up to 255 UTF-16 units; a UTF-8 name of at most 255
// bytes never holds more.
constexpr std::size_t kNameMax = 255;

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(FileHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle& operator=(FileHandle&&) = delete;
    ~FileHandle() { (void)close(); }
    [[nodiscard]] HANDLE get() const { return handle_; }
    [[nodiscard]] bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now; false when the close failed (GetLastError tells why).
    bool close() {
        return !isOpen() || CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
    }
    HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

  private:
    HANDLE handle_;
};

HANDLE handleOf(NativeFile file) {
    return reinterpret_cast<HANDLE>(file);  // NOLINT(performance-no-int-to-ptr)
}

NativeFile nativeOf(HANDLE handle) {
    return reinterpret_cast<NativeFile>(handle);
}

// The POSIX number for a Win32 error, as the C runtime maps them.
int posixNumber(DWORD error) {
    struct Mapping {
        DWORD win32;
        int posix;
    };
    static constexpr std::array kMappings = std::to_array<Mapping>({
        {ERROR_FILE_NOT_FOUND, ENOENT},
        {ERROR_PATH_NOT_FOUND, ENOENT},
        {ERROR_INVALID_DRIVE, ENOENT},
        {ERROR_BAD_NETPATH, ENOENT},
        {ERROR_BAD_PATHNAME, ENOENT},
        {ERROR_DIRECTORY, ENOTDIR},
        {ERROR_ACCESS_DENIED, EACCES},
        {ERROR_WRITE_PROTECT, EROFS},
        {ERROR_INVALID_ACCESS, EACCES},
        {ERROR_SHARING_VIOLATION, EBUSY},
        {ERROR_LOCK_VIOLATION, EBUSY},
        {ERROR_BUSY, EBUSY},
        {ERROR_DISK_FULL, ENOSPC},
        {ERROR_HANDLE_DISK_FULL, ENOSPC},
        {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
        {ERROR_INVALID_NAME, EINVAL},
        {ERROR_FILE_EXISTS, EEXIST},
        {ERROR_ALREADY_EXISTS, EEXIST},
        {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
        {ERROR_NOT_READY, ENODEV},
        {ERROR_DEV_NOT_EXIST, ENODEV},
        {ERROR_NOT_SAME_DEVICE, EXDEV},
        {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
        {ERROR_OUTOFMEMORY, ENOMEM},
        {ERROR_INVALID_PARAMETER, EINVAL},
    });
    for (const auto& m : kMappings)
        if (m.win32 == error) return m.posix;
    return EIO;
}

std::error_code lastError() {
    return {posixNumber(GetLastError()), std::generic_category()};
}

// A path the wide calls take at any length: absolute ones through "\\?\" (or "\\?\UNC\"),
// which lifts the 260-character limit.
std::wstring widePath(const fs::path& path) {
    std::error_code ec;
    fs::path full = fs::absolute(path, ec);
    if (ec) return path.wstring();
    std::wstring text = full.lexically_normal().make_preferred().wstring();
    if (text.starts_with(LR"(\\?\)")) return text;
    if (text.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + text.substr(2);
    return LR"(\\?\)" + text;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

FileHandle openExisting(const fs::path& path, DWORD access) {
    return FileHandle(CreateFileW(widePath(path).c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Only files on a disk: not the console, a printer, a pipe or a COM port.
bool onDisk(HANDLE handle) {
    return GetFileType(handle) == FILE_TYPE_DISK;
}

std::error_code writeAll(HANDLE handle, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        constexpr std::size_t kChunk = 1U << 30;
        DWORD written = 0;
        if (WriteFile(handle, bytes, static_cast<DWORD>(std::min(size, kChunk)), &written,
                      nullptr) == 0)
            return lastError();
        if (written == 0) return {EIO, std::generic_category()};
        bytes += written;
        size -= written;
    }
    return {};
}

// A new, empty file under a temporary name, which no one else has opened.
FileHandle createTemporary(const fs::path& target, fs::path& tempPath, std::error_code& ec) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = disk::temporaryName(target, disk::randomDigits(), kNameMax);
        FileHandle file(CreateFileW(widePath(tempPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.isOpen()) return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            ec = {posixNumber(error), std::generic_category()};
            return file;
        }
    }
    ec = std::make_error_code(std::errc::file_exists);
    return FileHandle(INVALID_HANDLE_VALUE);
}

std::optional<std::int64_t> fileSize(HANDLE handle) {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(handle, &size) == 0) return std::nullopt;
    return size.QuadPart;
}

bool cutTo(HANDLE handle, std::int64_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = size;
    return SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) != 0 && SetEndOfFile(handle) != 0;
}

bool toEnd(HANDLE handle) {
    return SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_END) != 0;
}

}  // namespace

ReadResult DiskFileSystem::readFile(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    const fs::path file = disk::fromUtf8(path);
    std::error_code ec;
    // A folder cannot be opened as a file on Windows at all: refused as on POSIX systems.
    if (fs::is_directory(file, ec)) {
        result.error = refusalError(FileRefusal::NotRegularFile);
        return result;
    }
    const FileHandle handle = openExisting(file, GENERIC_READ);
    if (!handle.isOpen()) {
        result.error = lastError();
        return result;
    }
    if (!onDisk(handle.get())) {
        result.error = refusalError(FileRefusal::NotRegularFile);
        return result;
    }
    // One byte more than asked tells whether the file goes on.
    result.bytes.resize(maxBytes + 1);
    std::size_t got = 0;
    while (got < result.bytes.size()) {
        DWORD n = 0;
        const auto wanted =
            static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - got, 1U << 30));
        if (ReadFile(handle.get(), result.bytes.data() + got, wanted, &n, nullptr) == 0) {
            result.error = lastError();
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        got += n;
    }
    result.moreFollow = got > maxBytes;
    result.bytes.resize(std::min(got, maxBytes));
    return result;
}

std::error_code DiskFileSystem::replaceFile(const std::string& path, std::span<const Byte> bytes) {
    fs::path target = disk::fromUtf8(path);
    if (auto ec = disk::resolveTarget(target)) return ec;

    // Told before the system would take the name for an invalid one.
    if (target.filename().wstring().size() > kNameMax)
        return std::make_error_code(std::errc::filename_too_long);
    std::error_code ec;
    const auto oldStatus = fs::status(target, ec);
    if (fs::is_directory(oldStatus)) return std::make_error_code(std::errc::is_a_directory);
    if (fs::exists(oldStatus) && !fs::is_regular_file(oldStatus))
        return refusalError(FileRefusal::NotRegularFile);
    // An existing file we may not write (read-only, locked) is refused as the system would
    // refuse writing it in place, rather than replaced behind its back.
    if (const FileHandle probe = openExisting(target, GENERIC_WRITE); !probe.isOpen()) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) return {posixNumber(error), std::generic_category()};
    } else if (!onDisk(probe.get())) {
        return refusalError(FileRefusal::NotRegularFile);
    }

    disk::removeStaleTemporaries(target.parent_path());
    return replaceVia(Temporary::Named, target, oldStatus, bytes);
}

// Windows has no unnamed files: every save takes a named temporary.
std::error_code DiskFileSystem::replaceVia(Temporary /*kind*/, const fs::path& target,
                                           const fs::file_status& /*oldStatus*/,
                                           std::span<const Byte> bytes) {
    std::error_code ec;
    fs::path tempPath;
    FileHandle temp = createTemporary(target, tempPath, ec);
    if (!temp.isOpen()) return ec;
    ec = writeTemporary(nativeOf(temp.get()), bytes);
    if (!ec) ec = syncToDisk(nativeOf(temp.get()));
    if (!temp.close() && !ec) ec = lastError();
    if (!ec) ec = moveOver(tempPath, target);
    if (ec) {
        std::error_code ignored;
        fs::remove(tempPath, ignored);
    }
    return ec;
}

std::error_code DiskFileSystem::writeTemporary(NativeFile file, std::span<const Byte> bytes) {
    return writeAll(handleOf(file), bytes.data(), bytes.size());
}

std::error_code DiskFileSystem::syncToDisk(NativeFile file) {
    return FlushFileBuffers(handleOf(file)) != 0 ? std::error_code{} : lastError();
}

std::error_code DiskFileSystem::moveOver(const fs::path& from, const fs::path& to) {
    return MoveFileExW(widePath(from).c_str(), widePath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0
               ? std::error_code{}
               : lastError();
}

std::error_code AppendFile::open(const std::string& path, Start start) {
    (void)close();
    error_.clear();
    const fs::path file = disk::fromUtf8(path);
    std::error_code ec;
    // Looked at before opening: opening a device may already act on it.
    const auto status = fs::status(file, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) return ec;
    if (fs::exists(status) && !fs::is_regular_file(status))
        return refusalError(FileRefusal::NotRegularFile);
    FileHandle handle(CreateFileW(widePath(file).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.isOpen()) return lastError();
    // Something else may have taken the name since it was looked at.
    if (!onDisk(handle.get())) return refusalError(FileRefusal::NotRegularFile);
    const auto size = fileSize(handle.get());
    if (!size) return lastError();
    if (start == Start::Replace && *size > 0 && !cutTo(handle.get(), 0)) return lastError();
    startedEmpty_ = start == Start::Replace || *size == 0;
    file_ = nativeOf(handle.release());
    return {};
}

void AppendFile::writeWhole(std::string_view text) {
    flush();
    if (!isOpen() || error_) return;
    const HANDLE handle = handleOf(file_);
    const auto size = fileSize(handle);
    error_ = toEnd(handle) ? writeAll(handle, text.data(), text.size()) : lastError();
    // A row cut short would be read as a wrong one: the file goes back to what it held.
    if (error_ && size) (void)cutTo(handle, *size);
}

void AppendFile::flush() {
    if (!isOpen() || error_ || pending_.empty()) return;
    const HANDLE handle = handleOf(file_);
    error_ = toEnd(handle) ? writeAll(handle, pending_.data(), pending_.size()) : lastError();
    pending_.clear();
}

std::error_code AppendFile::close() {
    if (!isOpen()) return error_;
    flush();
    const HANDLE handle = handleOf(std::exchange(file_, kNoFile));
    if (!error_ && FlushFileBuffers(handle) == 0) error_ = lastError();
    if (CloseHandle(handle) == 0 && !error_) error_ = lastError();
    pending_.clear();
    return error_;
}

}  // namespace zav
