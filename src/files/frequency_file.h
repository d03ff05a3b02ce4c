#pragma once
// Encoding and decoding of a whole frequency file in memory. Reading and writing the
// bytes on disk is the file system's job (file_system.h).

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "files/file_header.h"

namespace zav {

using FrequencyFileBytes = std::array<Byte, kFrequencyFileSize>;

struct FrequencyFileContents {
    MemImage image{};
    LabelImage labels{};
};

// Header, image and labels in file order.
FrequencyFileBytes encodeFrequencyFile(const MemImage& image, const LabelImage& labels);

// The one save of an edited file, for the editor and the command line: puts the image
// and labels into the file's bytes and keeps every byte they do not own (the header's
// free bytes 50 to 55, anything after the labels). Bytes too short for a frequency file
// (no file opened yet) become a fresh one.
void placeInFrequencyFile(std::vector<Byte>& file, const MemImage& image, const LabelImage& labels);

// True when the bytes start with the magic text and the format byte.
bool headerMatches(std::span<const Byte> bytes);

// The image and labels of a file; nullopt when the header does not match or the file is
// too short to hold both arrays. Bytes after the label block are ignored.
std::optional<FrequencyFileContents> decodeFrequencyFile(std::span<const Byte> bytes);

}  // namespace zav
