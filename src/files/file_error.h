#pragma once
// File errors as the editor reports them: a classic error number and its description,
// worked out from the system's error.

#include <string>
#include <system_error>

namespace zav {

struct FileError {
    int number = 0;
    std::string description;   // the classic text shown after the number
    std::string systemReason;  // the system's own wording, shown as detail
    std::string path;          // the file the operation was on
};

// Numbers used by the editor's file reports.
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrFileAlreadyOpen = 55;
inline constexpr int kErrDeviceIO = 57;
inline constexpr int kErrDiskFull = 61;
inline constexpr int kErrTooManyFiles = 67;
inline constexpr int kErrDeviceUnavailable = 68;
inline constexpr int kErrPathFileAccess = 75;
inline constexpr int kErrPathNotFound = 76;

// The classic error for a failed operation on path. A missing file in an existing
// folder is "File not found"; a missing folder on the way is "Path not found".
FileError classicFileError(std::error_code ec, const std::string& path);

// "Error Number 53!" + carriage return + "File not found".
std::string fileErrorText(const FileError& error);

// The detail shown under the text: "File: PATH", a line feed and the system's reason, so
// that the user learns which of the files a command names failed.
std::string fileErrorDetail(const FileError& error);

}  // namespace zav
