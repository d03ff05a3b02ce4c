#pragma once
// A frequency file kept as its raw bytes, so that a command changes exactly the part it
// read from the radio and every other byte of the file (header, other blocks, the spare
// byte, labels, anything after them) stays as it was.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/frequency_file.h"

namespace zav::tool {

struct FileBytes {
    std::vector<Byte> bytes;  // the whole file
    MemImage image{};         // decoded from it
    LabelImage labels{};
};

// The default file, as a freshly started editor would save it.
FileBytes defaultFileBytes();

// The file's bytes; with createMissing, a missing file gives the default file. nullopt
// (after a message on stderr) when the file cannot be read or is no frequency file.
std::optional<FileBytes> loadFileBytes(const std::string& path, std::string_view command,
                                       bool createMissing);

// Puts image bytes first..first + count - 1 into the file.
void patchImage(FileBytes& file, const MemImage& image, int first, int count);
// Puts the whole label image into the file.
void patchLabels(FileBytes& file, const LabelImage& labels);

// Replaces the file on disk; false (after a message) when that failed, with the old file
// left intact.
bool saveFileBytes(const std::string& path, const FileBytes& file, std::string_view command);

}  // namespace zav::tool
