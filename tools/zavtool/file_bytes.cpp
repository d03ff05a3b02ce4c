#include "file_bytes.h"

#include <algorithm>
#include <iostream>

#include "files/default_file.h"
#include "files/file_error.h"
#include "files/file_system.h"

namespace zav::tool {

namespace {

// More than any frequency file holds; bytes past the label block are kept as they are.
constexpr std::size_t kReadLimit = std::size_t{1} << 20;

void report(std::error_code ec, const std::string& path, std::string_view command) {
    const auto e = classicFileError(ec, path);
    std::cerr << "zavtool " << command << ": " << path << ": Error Number " << e.number << ": "
              << e.description << " (" << e.systemReason << ")\n";
}

std::optional<FileBytes> decode(std::vector<Byte> bytes) {
    const auto contents = decodeFrequencyFile(bytes);
    if (!contents) return std::nullopt;
    return FileBytes{std::move(bytes), contents->image, contents->labels};
}

}  // namespace

FileBytes defaultFileBytes() {
    const auto bytes = defaultFrequencyFile();
    return *decode(std::vector<Byte>(bytes.begin(), bytes.end()));
}

std::optional<FileBytes> loadFileBytes(const std::string& path, std::string_view command,
                                       bool createMissing) {
    DiskFileSystem disk;
    ReadResult r = disk.readFile(path, kReadLimit);
    if (r.error == std::errc::no_such_file_or_directory && createMissing) return defaultFileBytes();
    if (r.error) {
        report(r.error, path, command);
        return std::nullopt;
    }
    auto file = decode(std::move(r.bytes));
    if (!file) std::cerr << "zavtool " << command << ": " << path << " is not a frequency file\n";
    return file;
}

void patchImage(FileBytes& file, const MemImage& image, int first, int count) {
    const auto from = image.begin() + first;
    std::copy(from, from + count,
              file.bytes.begin() + static_cast<std::ptrdiff_t>(kFileImageOffset) + first);
    std::copy(from, from + count, file.image.begin() + first);
}

void patchLabels(FileBytes& file, const LabelImage& labels) {
    std::copy(labels.begin(), labels.end(),
              file.bytes.begin() + static_cast<std::ptrdiff_t>(kFileLabelOffset));
    file.labels = labels;
}

bool saveFileBytes(const std::string& path, const FileBytes& file, std::string_view command) {
    DiskFileSystem disk;
    if (const auto ec = disk.replaceFile(path, file.bytes)) {
        report(ec, path, command);
        return false;
    }
    return true;
}

}  // namespace zav::tool
