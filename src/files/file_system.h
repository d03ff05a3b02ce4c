#pragma once
// The file operations the frequency-file flows need, behind an interface so tests can
// make any step fail. DiskFileSystem is the real one.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "model/memory_image.h"

namespace zav {

struct ReadResult {
    std::vector<Byte> bytes;  // at most the requested number
    std::error_code error;    // empty on success
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Reads the first maxBytes bytes of a file (fewer when the file is shorter).
    virtual ReadResult readFile(const std::string& path, std::size_t maxBytes) = 0;
    // Replaces the file's whole contents. On failure the old file, if any, is untouched.
    virtual std::error_code replaceFile(const std::string& path, std::span<const Byte> bytes) = 0;
};

// Writes go to a temporary file beside the target, which is flushed to disk and then
// renamed over the target: a failed save never leaves a half-written file behind.
class DiskFileSystem : public FileSystem {
  public:
    ReadResult readFile(const std::string& path, std::size_t maxBytes) override;
    std::error_code replaceFile(const std::string& path, std::span<const Byte> bytes) override;

  protected:
    // Single steps of replaceFile, virtual so a test can make one of them fail.
    virtual std::error_code writeTemporary(std::FILE* file, std::span<const Byte> bytes);
    virtual std::error_code moveOver(const std::filesystem::path& from,
                                     const std::filesystem::path& to);
};

}  // namespace zav
