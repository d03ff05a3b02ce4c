#include "ops/file_operations.h"

#include "files/default_file.h"
#include "files/file_error.h"
#include "files/file_open_save.h"
#include "files/file_system.h"
#include "files/frequency_file.h"
#include "iface/prompts.h"
#include "model/document.h"

namespace zav {

void tellFileError(Prompts& prompts, std::error_code ec, const std::string& path) {
    const FileError error = classicFileError(ec, path);
    Message m;
    m.text = fileErrorText(error);
    m.title = std::string(kFileErrorTitle);
    m.icon = Icon::Exclamation;
    m.detail = fileErrorDetail(error);
    prompts.ask(m);
}

void FileBytes::copyTo(Document& doc) const {
    const auto contents = decodeFrequencyFile(bytes);
    if (!contents) return;
    doc.mem = contents->image;
    doc.labels = contents->labels;
    doc.reloadGroups();
}

void FileBytes::copyFrom(const Document& doc) {
    placeInFrequencyFile(bytes, doc.mem, doc.labels);
}

FileBytes defaultFileBytes() {
    const auto bytes = defaultFrequencyFile();
    return FileBytes{{bytes.begin(), bytes.end()}};
}

std::optional<FileBytes> loadFileBytes(FileSystem& files, Prompts& prompts, const std::string& path,
                                       bool createMissing) {
    ReadResult r = readFrequencyFile(files, path);
    if (r.error == std::errc::no_such_file_or_directory && createMissing) return defaultFileBytes();
    if (r.error) {
        tellFileError(prompts, r.error, path);
        return std::nullopt;
    }
    if (!frequencyFileContents(r)) {
        Message m;
        m.text = notValidText(path);
        m.title = std::string(kFileErrorTitle);
        m.icon = Icon::Exclamation;
        prompts.ask(m);
        return std::nullopt;
    }
    return FileBytes{std::move(r.bytes)};
}

bool saveFileBytes(FileSystem& files, Prompts& prompts, const std::string& path,
                   const FileBytes& file) {
    if (const auto ec = files.replaceFile(path, file.bytes)) {
        tellFileError(prompts, ec, path);
        return false;
    }
    return true;
}

}  // namespace zav
