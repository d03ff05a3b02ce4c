#include "files/frequency_file.h"

#include <algorithm>

namespace zav {

FrequencyFileBytes encodeFrequencyFile(const MemImage& image, const LabelImage& labels) {
    FrequencyFileBytes out{};
    auto it = std::copy(kFileHeader.begin(), kFileHeader.end(), out.begin());
    it = std::copy(image.begin(), image.end(), it);
    std::copy(labels.begin(), labels.end(), it);
    return out;
}

bool headerMatches(std::span<const Byte> bytes) {
    if (bytes.size() < kFileHeaderCheckedSize) return false;
    return std::equal(kFileHeader.begin(), kFileHeader.begin() + kFileHeaderCheckedSize,
                      bytes.begin());
}

std::optional<FrequencyFileContents> decodeFrequencyFile(std::span<const Byte> bytes) {
    if (!headerMatches(bytes) || bytes.size() < kFrequencyFileSize) return std::nullopt;
    FrequencyFileContents contents;
    const auto image = bytes.subspan(kFileImageOffset, kMemImageSize);
    const auto labels = bytes.subspan(kFileLabelOffset, kLabelImageSize);
    std::copy(image.begin(), image.end(), contents.image.begin());
    std::copy(labels.begin(), labels.end(), contents.labels.begin());
    return contents;
}

}  // namespace zav
