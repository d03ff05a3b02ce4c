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

void placeInFrequencyFile(std::vector<Byte>& file, const MemImage& image,
                          const LabelImage& labels) {
    if (file.size() < kFrequencyFileSize) {
        const auto fresh = encodeFrequencyFile(image, labels);
        file.assign(fresh.begin(), fresh.end());
        return;
    }
    const auto at = [&file](std::size_t offset) {
        return file.begin() + static_cast<std::ptrdiff_t>(offset);
    };
    std::copy(image.begin(), image.end(), at(kFileImageOffset));
    std::copy(labels.begin(), labels.end(), at(kFileLabelOffset));
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
