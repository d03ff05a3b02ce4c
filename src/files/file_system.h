#pragma once
// The file operations the frequency-file flows need, behind an interface so tests can
// make any step fail. DiskFileSystem is the real one.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "model/memory_image.h"

namespace zav {

struct ReadResult {
    std::vector<Byte> bytes;  // at most the requested number
    std::error_code error;    // empty on success
    bool moreFollow = false;  // the file is longer than the requested number
};

// A file the system opened: a descriptor on POSIX systems, a handle on Windows; both fit,
// and neither system gives an open file the value kNoFile (-1, Windows's invalid handle).
using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

// Refusals of the file layer itself, beside the system's own errors.
enum class FileRefusal { NotRegularFile = 1 };
std::error_code refusalError(FileRefusal refusal);

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Reads the first maxBytes bytes of a file (fewer when the file is shorter). Anything
    // but a regular file (a folder, a FIFO, a device) is refused without waiting on it.
    virtual ReadResult readFile(const std::string& path, std::size_t maxBytes) = 0;
    // Replaces the file's whole contents. On failure the old file, if any, is untouched.
    virtual std::error_code replaceFile(const std::string& path, std::span<const Byte> bytes) = 0;
    // Makes the folder and every missing folder above it; nothing when it exists.
    virtual std::error_code createFolders(const std::string& path) = 0;
    // The names of the regular files in a folder (a missing folder has none).
    virtual std::vector<std::string> fileNames(const std::string& folder, std::error_code& ec) = 0;
};

// Writes go to a temporary file beside the target, which is flushed to disk and then
// renamed over the target: a failed save never leaves a half-written file behind. Where
// the folder's file system allows (Linux), the temporary file has no name until it is
// complete, so that a save killed while writing leaves nothing. A symbolic link is written
// through, dangling or not. Temporary files a killed save left in the folder are removed
// by the next save there. Paths are UTF-8 on every system. One implementation per system
// family: file_system_posix.cpp, file_system_windows.cpp (Win32 calls, wide paths, the
// rename written through to the disk instead of a folder sync).
class DiskFileSystem : public FileSystem {
  public:
    ReadResult readFile(const std::string& path, std::size_t maxBytes) override;
    std::error_code replaceFile(const std::string& path, std::span<const Byte> bytes) override;
    std::error_code createFolders(const std::string& path) override;
    std::vector<std::string> fileNames(const std::string& folder, std::error_code& ec) override;

  protected:
    // Single steps of replaceFile, virtual so a test can make one of them fail.
    virtual std::error_code writeTemporary(NativeFile file, std::span<const Byte> bytes);
    virtual std::error_code moveOver(const std::filesystem::path& from,
                                     const std::filesystem::path& to);
    // Flushes a file, or (POSIX) a folder's entries, to the disk.
    virtual std::error_code syncToDisk(NativeFile file);

  private:
    enum class Temporary { Unnamed, Named };
    std::error_code replaceVia(Temporary kind, const std::filesystem::path& target,
                               const std::filesystem::file_status& oldStatus,
                               std::span<const Byte> bytes);
};

// A file that grows at its end as things happen (a serial trace, a log), held to the
// saves' refusals: anything but a regular file is refused before it is opened (a FIFO
// would hang the open, a device would take the writes), links are followed, and the
// first write or sync error is kept, so that a trace or log cut short (a full disk) is
// reported rather than passing for complete.
class AppendFile {
  public:
    enum class Start { Append, Replace };  // Replace: the file starts empty

    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens the file (closing one open before); the reason when it cannot be written.
    std::error_code open(const std::string& path, Start start);
    [[nodiscard]] bool isOpen() const { return file_ != kNoFile; }
    // The file held nothing when it was opened.
    [[nodiscard]] bool startedEmpty() const { return startedEmpty_; }
    // Adds text; it reaches the file at flush(), or before when much is waiting.
    void write(std::string_view text);
    // Adds text at once, whole or not at all (a log's row).
    void writeWhole(std::string_view text);
    void flush();
    // Flushes, syncs and closes; the first error the file met since it was opened.
    std::error_code close();
    [[nodiscard]] std::error_code error() const { return error_; }

  private:
    NativeFile file_ = kNoFile;
    bool startedEmpty_ = false;
    std::string pending_;
    std::error_code error_;
};

}  // namespace zav
