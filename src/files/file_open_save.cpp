#include "files/file_open_save.h"

#include <algorithm>

#include "files/frequency_file.h"
#include "files/settings.h"

namespace zav {

FileOpenSave::FileOpenSave(Prompts& prompts, SettingsStore& settings, FileSystem& files,
                           MemImage& image, LabelImage& labels, FileEditorHooks& editor)
    : prompts_(prompts),
      settings_(settings),
      files_(files),
      image_(image),
      labels_(labels),
      editor_(editor) {}

void FileOpenSave::OpenCommand() {
    if (ChooseFile(FileDialogMode::Open)) OpenFile();
    prevBeforeDialog_.reset();
}

void FileOpenSave::SaveCommand() {
    // The first Save after start-up asks for a name (pre-filled with the last file).
    if (names_.FileName.empty() || names_.PrevFileName.empty()) {
        if (!ChooseFile(FileDialogMode::Save)) return;
    }
    SaveFile();
    prevBeforeDialog_.reset();
}

void FileOpenSave::SaveAsCommand() {
    if (ChooseFile(FileDialogMode::Save)) SaveFile();
    prevBeforeDialog_.reset();
}

bool FileOpenSave::ChooseFile(FileDialogMode mode) {
    prevBeforeDialog_ = names_.PrevFileName;
    names_.PrevFileName = names_.FileName;
    FileDialogRequest request;
    request.mode = mode;
    request.fileName = names_.FileName;
    request.filter = std::string(kFileFilter);
    request.filterIndex = 0;
    request.defaultPattern = std::string(kFileDefaultPattern);
    auto chosen = prompts_.chooseFile(request);
    if (!chosen) {
        abandon();
        return false;
    }
    names_.FileName = std::move(*chosen);
    return true;
}

bool FileOpenSave::OpenFile() {
    auto read = files_.readFile(names_.FileName, kFrequencyFileSize);
    if (read.error) {
        ReportFileError(classicFileError(read.error, names_.FileName));
        return false;
    }
    // Decoded into a copy first: a file that is not valid (wrong header, or too short to
    // hold both arrays) leaves the image and the labels as they were.
    auto contents = decodeFrequencyFile(read.bytes);
    if (!contents) {
        reportNotValid();
        return false;
    }
    image_ = contents->image;
    labels_ = contents->labels;
    editor_.afterOpen();
    ShowFileName();
    return true;
}

bool FileOpenSave::SaveFile() {
    editor_.commitShownGroup();
    const auto bytes = encodeFrequencyFile(image_, labels_);
    if (auto ec = files_.replaceFile(names_.FileName, bytes)) {
        ReportFileError(classicFileError(ec, names_.FileName));
        return false;
    }
    ShowFileName();
    return true;
}

void FileOpenSave::ShowFileName() {
    prevBeforeDialog_.reset();
    editor_.setCaption(captionFor(names_.FileName));
    writeLastOpen(settings_, names_.FileName);
    names_.PrevFileName = names_.FileName;
    names_.PrintFileName = names_.FileName;
}

void FileOpenSave::abandon() {
    names_.FileName = names_.PrevFileName;
    // A name that was chosen but never opened or saved is not confirmed: going back to
    // the state before the dialog keeps the next Save from taking the remembered last
    // file as confirmed and overwriting it without asking.
    if (prevBeforeDialog_) names_.PrevFileName = *prevBeforeDialog_;
    prevBeforeDialog_.reset();
}

void FileOpenSave::ReportFileError(const FileError& error) {
    abandon();
    Message m;
    m.text = fileErrorText(error);
    m.title = std::string(kFileErrorTitle);
    m.icon = Icon::Exclamation;
    m.detail = error.systemReason;
    prompts_.ask(m);
    if (error.number == kErrFileNotFound) {
        Message access;
        access.text = "File Access Error!";
        prompts_.ask(access);
    }
}

void FileOpenSave::reportNotValid() {
    Message m;
    m.text = "File " + names_.FileName + " is not a valid ZAV frequency file.";
    m.title = std::string(kFileErrorTitle);
    m.icon = Icon::Exclamation;
    prompts_.ask(m);
    abandon();
}

std::string FileOpenSave::captionFor(const std::string& fileName) {
    return std::string(kCaptionPrefix) + fileName + std::string(kCaptionTitleLine);
}

}  // namespace zav
