#pragma once
// Frequency files for callers without the editor's File menu (the command line). A file
// is kept as its raw bytes, so that an operation changes exactly the image and the
// labels and every other byte (header, the spare byte, anything after the labels) stays
// as it was. Failures are told through the prompts as the editor tells them.

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "model/memory_image.h"

namespace zav {

class Document;
class FileSystem;
class Prompts;

struct FileBytes {
    std::vector<Byte> bytes;  // the whole file, at least a frequency file's size

    // The file's image and labels into the document, its groups rebuilt.
    void copyTo(Document& doc) const;
    // The document's image and labels into the file's bytes.
    void copyFrom(const Document& doc);
};

// A file system error on `path`, told as the File menu tells it.
void tellFileError(Prompts& prompts, std::error_code ec, const std::string& path);

// The default file, as a freshly started editor would save it.
FileBytes defaultFileBytes();

// The file's bytes; with createMissing, a missing file gives the default file. nullopt
// (after the message) when the file cannot be read or is no frequency file.
std::optional<FileBytes> loadFileBytes(FileSystem& files, Prompts& prompts, const std::string& path,
                                       bool createMissing);

// Replaces the file; false (after the message) when that failed, with the old file left
// intact.
bool saveFileBytes(FileSystem& files, Prompts& prompts, const std::string& path,
                   const FileBytes& file);

}  // namespace zav
