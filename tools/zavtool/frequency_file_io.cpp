#include "frequency_file_io.h"

#include <iostream>

#include "files/default_file.h"
#include "files/file_error.h"
#include "files/file_system.h"

namespace zav::tool {

namespace {

void reportFileError(std::error_code ec, const std::string& path, std::string_view command) {
    const auto e = classicFileError(ec, path);
    std::cerr << "zavtool " << command << ": " << path << ": Error Number " << e.number << ": "
              << e.description << " (" << e.systemReason << ")\n";
}

}  // namespace

std::optional<FrequencyFileContents> loadFrequencyFile(const std::string& path,
                                                       std::string_view command,
                                                       bool createMissing) {
    DiskFileSystem disk;
    const ReadResult r = disk.readFile(path, kFrequencyFileSize);
    if (r.error == std::errc::no_such_file_or_directory && createMissing)
        return decodeFrequencyFile(defaultFrequencyFile());
    if (r.error) {
        reportFileError(r.error, path, command);
        return std::nullopt;
    }
    auto contents = decodeFrequencyFile(r.bytes);
    if (!contents)
        std::cerr << "zavtool " << command << ": " << path << " is not a frequency file\n";
    return contents;
}

bool saveFrequencyFile(const std::string& path, const FrequencyFileContents& contents,
                       std::string_view command) {
    DiskFileSystem disk;
    if (const auto ec =
            disk.replaceFile(path, encodeFrequencyFile(contents.image, contents.labels))) {
        reportFileError(ec, path, command);
        return false;
    }
    return true;
}

}  // namespace zav::tool
