#include "files/file_error.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <string_view>

namespace zav {

namespace {

struct ClassicError {
    int number;
    std::string_view description;
};

struct ErrnoMapping {
    int errnoValue;
    ClassicError error;
};

constexpr ClassicError kFileNotFound{kErrFileNotFound, "File not found"};
constexpr ClassicError kPathNotFound{kErrPathNotFound, "Path not found"};
constexpr ClassicError kAccess{kErrPathFileAccess, "Path/File access error"};

// A disk quota used up is a full disk to the user. Windows has no number for it (its quota
// error arrives as ENOSPC already).
#ifdef EDQUOT
constexpr int kQuotaExceeded = EDQUOT;
#else
constexpr int kQuotaExceeded = ENOSPC;
#endif

constexpr std::array kErrnoMappings{
    ErrnoMapping{ENOTDIR, kPathNotFound},
    ErrnoMapping{ELOOP, kPathNotFound},
    ErrnoMapping{ENAMETOOLONG, {52, "Bad file name or number"}},
    ErrnoMapping{EACCES, kAccess},
    ErrnoMapping{EPERM, kAccess},
    ErrnoMapping{EROFS, kAccess},
    ErrnoMapping{EISDIR, kAccess},
    ErrnoMapping{EEXIST, kAccess},
    ErrnoMapping{ETXTBSY, {kErrFileAlreadyOpen, "File already open"}},
    ErrnoMapping{EBUSY, {kErrFileAlreadyOpen, "File already open"}},
    ErrnoMapping{ENOSPC, {kErrDiskFull, "Disk full"}},
    ErrnoMapping{kQuotaExceeded, {kErrDiskFull, "Disk full"}},
    ErrnoMapping{EFBIG, {kErrDiskFull, "Disk full"}},
    ErrnoMapping{EIO, {kErrDeviceIO, "Device I/O error"}},
    ErrnoMapping{EMFILE, {kErrTooManyFiles, "Too many files"}},
    ErrnoMapping{ENFILE, {kErrTooManyFiles, "Too many files"}},
    ErrnoMapping{ENXIO, {kErrDeviceUnavailable, "Device unavailable"}},
    ErrnoMapping{ENODEV, {kErrDeviceUnavailable, "Device unavailable"}},
};

bool folderExists(const std::string& path) {
    auto parent = std::filesystem::path(path).parent_path();
    if (parent.empty()) return true;  // the current folder
    std::error_code ec;
    return std::filesystem::is_directory(parent, ec);
}

ClassicError classify(std::error_code ec, const std::string& path) {
    const auto cond = ec.default_error_condition();
    if (cond.category() != std::generic_category()) return kAccess;
    if (cond.value() == ENOENT) return folderExists(path) ? kFileNotFound : kPathNotFound;
    for (const auto& m : kErrnoMappings)
        if (m.errnoValue == cond.value()) return m.error;
    return kAccess;
}

}  // namespace

FileError classicFileError(std::error_code ec, const std::string& path) {
    const ClassicError c = classify(ec, path);
    return FileError{c.number, std::string(c.description), ec.message(), path};
}

std::string fileErrorText(const FileError& error) {
    return "Error Number " + std::to_string(error.number) + "!\r" + error.description;
}

std::string fileErrorDetail(const FileError& error) {
    return "File: " + error.path + "\n" + error.systemReason;
}

}  // namespace zav
