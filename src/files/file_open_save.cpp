#include "files/file_open_save.h"

#include <algorithm>

#include "files/settings.h"
#include "iface/shown_text.h"

namespace zav {

ReadResult readFrequencyFile(FileSystem& files, const std::string& path) {
    return files.readFile(path, kFrequencyFileReadLimit);
}

std::optional<FrequencyFileContents> frequencyFileContents(const ReadResult& read) {
    if (read.error || read.moreFollow) return std::nullopt;
    return decodeFrequencyFile(read.bytes);
}

std::string notValidText(const std::string& path) {
    return "File " + path + " is not a valid ZAV frequency file.";
}

FileOpenSave::FileOpenSave(Prompts& prompts, SettingsStore& settings, FileSystem& files,
                           MemImage& image, LabelImage& labels, FileEditorHooks& editor)
    : prompts_(prompts),
      settings_(settings),
      files_(files),
      image_(image),
      labels_(labels),
      editor_(editor) {}

void FileOpenSave::openCommand() {
    if (chooseFile(FileDialogMode::Open)) openFile();
}

void FileOpenSave::saveCommand() {
    // The first Save after start-up asks for a name (pre-filled with the last file).
    if (names_.fileName.empty() || names_.prevFileName.empty()) {
        if (!chooseFile(FileDialogMode::Save)) return;
    }
    saveFile();
}

void FileOpenSave::saveAsCommand() {
    if (chooseFile(FileDialogMode::Save)) saveFile();
}

bool FileOpenSave::chooseFile(FileDialogMode mode) {
    prevBeforeDialog_ = names_.prevFileName;
    names_.prevFileName = names_.fileName;
    FileDialogRequest request;
    request.mode = mode;
    request.fileName = names_.fileName;
    request.filter = std::string(kFileFilter);
    request.filterIndex = 0;
    request.defaultPattern = std::string(kFileDefaultPattern);
    auto chosen = prompts_.chooseFile(request);
    if (!chosen) {
        abandon();
        return false;
    }
    names_.fileName = std::move(*chosen);
    return true;
}

bool FileOpenSave::openNamed(const std::string& path) {
    // As after the file dialog: a failed open goes back to the file held before.
    prevBeforeDialog_ = names_.prevFileName;
    names_.prevFileName = names_.fileName;
    names_.fileName = path;
    return openFile();
}

bool FileOpenSave::openFile() {
    const auto read = readFrequencyFile(files_, names_.fileName);
    if (read.error) {
        reportFileError(classicFileError(read.error, names_.fileName));
        return false;
    }
    // Decoded into a copy first: a file that is not valid (wrong header, too short to hold
    // both arrays, or too long) leaves the image and the labels as they were.
    auto contents = frequencyFileContents(read);
    if (!contents) {
        reportNotValid();
        return false;
    }
    image_ = contents->image;
    labels_ = contents->labels;
    file_ = read.bytes;
    editor_.afterOpen();
    showFileName();
    return true;
}

bool FileOpenSave::saveFile() {
    editor_.commitShownGroup();
    placeInFrequencyFile(file_, image_, labels_);
    if (auto ec = files_.replaceFile(names_.fileName, file_)) {
        reportFileError(classicFileError(ec, names_.fileName));
        return false;
    }
    showFileName();
    return true;
}

void FileOpenSave::showFileName() {
    prevBeforeDialog_.reset();
    editor_.setCaption(captionFor(names_.fileName));
    writeLastOpen(settings_, names_.fileName);
    rememberRecentFile(settings_, names_.fileName);
    names_.prevFileName = names_.fileName;
    names_.printFileName = names_.fileName;
}

void FileOpenSave::abandon() {
    names_.fileName = names_.prevFileName;
    // A name that was chosen but never opened or saved is not confirmed: going back to
    // the state before the dialog keeps the next Save from taking the remembered last
    // file as confirmed and overwriting it without asking.
    if (prevBeforeDialog_) names_.prevFileName = *prevBeforeDialog_;
    prevBeforeDialog_.reset();
}

void FileOpenSave::reportFileError(const FileError& error) {
    abandon();
    prompts_.ask(warning(fileErrorText(error), kFileErrorTitle, fileErrorDetail(error)));
    if (error.number == kErrFileNotFound)
        prompts_.ask(notice(shownText("Messages", "File Access Error!")));
}

void FileOpenSave::reportNotValid() {
    prompts_.ask(warning(notValidText(names_.fileName), kFileErrorTitle));
    abandon();
}

std::string FileOpenSave::captionFor(const std::string& fileName) {
    return std::string(kCaptionPrefix) + fileName + std::string(kCaptionTitleLine);
}

}  // namespace zav
