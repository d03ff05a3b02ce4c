#pragma once
// The frequency file's layout: a 56-byte header, the whole memory image, then the
// whole label image, with no gaps, length fields or checksum.

#include <array>
#include <cstddef>
#include <string_view>

#include "model/memory_image.h"

namespace zav {

inline constexpr std::string_view kFileMagicText =
    "MARDEN/TOLE universal radio editor data file 0000";
inline constexpr Byte kFileFormatByte = 0x54;  // the letter T, right after the magic text

inline constexpr std::size_t kFileHeaderSize = 56;
// Only the magic text and the format byte identify a file; bytes 50 to 55 may hold anything.
inline constexpr std::size_t kFileHeaderCheckedSize = 50;
inline constexpr std::size_t kFileImageOffset = kFileHeaderSize;                          // 56
inline constexpr std::size_t kFileSpareByteOffset = kFileImageOffset + kRadioMemorySize;  // 2104
inline constexpr std::size_t kFileLabelOffset = kFileImageOffset + kMemImageSize;         // 2105
inline constexpr std::size_t kFrequencyFileSize = kFileLabelOffset + kLabelImageSize;     // 4025

using FileHeaderBytes = std::array<Byte, kFileHeaderSize>;

namespace detail {
constexpr FileHeaderBytes makeFileHeader() {
    FileHeaderBytes header{};
    for (std::size_t i = 0; i < kFileMagicText.size(); ++i)
        header[i] = static_cast<Byte>(kFileMagicText[i]);
    header[kFileMagicText.size()] = kFileFormatByte;
    return header;
}
}  // namespace detail

// Written at the start of every frequency file; never changes.
inline constexpr FileHeaderBytes kFileHeader = detail::makeFileHeader();

static_assert(kFileMagicText.size() + 1 == kFileHeaderCheckedSize);
static_assert(kFileSpareByteOffset == 2104);
static_assert(kFileLabelOffset == 2105);
static_assert(kFrequencyFileSize == 4025);

}  // namespace zav
