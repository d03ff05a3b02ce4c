#pragma once
// The File menu's Open, Save and Save As flows, the file dialog they share, the main
// window's caption, the remembered last file, and the one report for file errors.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/file_error.h"
#include "files/file_names.h"
#include "files/file_system.h"
#include "files/frequency_file.h"
#include "iface/prompts.h"
#include "iface/settings_store.h"
#include "iface/shown_text.h"
#include "model/memory_image.h"

namespace zav {

inline constexpr std::string_view kFileFilter =
    "Frequency (*.frq)|*.frq|RXT (*.rxt)|*.rxt|RXW (*.rxw)|*.rxw|All (*.*)|*.*";
inline constexpr std::string_view kFileDefaultPattern = "*.frq";
inline constexpr std::string_view kFileErrorTitle = shownText("Messages", "File Error");
inline constexpr std::string_view kCaptionPrefix = "UHF File - ";
// Follows the file name in the main window's caption.
inline constexpr std::string_view kCaptionTitleLine = " - ZAVPROG";

// More than any frequency file holds. The bytes after the label block (a tail, kept as
// they are on save) may fill a file up to this length; a longer one is refused whole,
// since saving only its start would cut it.
inline constexpr std::size_t kFrequencyFileReadLimit = std::size_t{1} << 20;

// The one read of a frequency file, for the File menu and the command line alike: the
// whole file up to the limit (moreFollow: it is longer).
ReadResult readFrequencyFile(FileSystem& files, const std::string& path);
// The image and labels of a file so read; nullopt when it is no frequency file (a file
// longer than the limit included).
std::optional<FrequencyFileContents> frequencyFileContents(const ReadResult& read);
// The message for a file that is no frequency file.
std::string notValidText(const std::string& path);

// What the flows need from the editor window.
class FileEditorHooks {
  public:
    virtual ~FileEditorHooks() = default;
    // Before a save: the shown group's pending edits and the global values reach the image.
    virtual void commitShownGroup() = 0;
    // After an open replaced the image: rebuild the groups from the page map, show the
    // current group and the global values.
    virtual void afterOpen() = 0;
    virtual void setCaption(const std::string& caption) = 0;
};

class FileOpenSave {
  public:
    FileOpenSave(Prompts& prompts, SettingsStore& settings, FileSystem& files, MemImage& image,
                 LabelImage& labels, FileEditorHooks& editor);

    // File menu commands.
    void openCommand();
    void saveCommand();
    void saveAsCommand();

    // Shows the open or save dialog pre-filled with fileName; true when a file was chosen.
    bool chooseFile(FileDialogMode mode);
    // Opens a file chosen outside the file dialog (a recent file, a dropped file) as if
    // the dialog had chosen it; false when nothing was loaded (already reported).
    bool openNamed(const std::string& path);
    // Load or store fileName; false when nothing was loaded or written (already reported).
    bool openFile();
    bool saveFile();
    // Caption, remembered last file and the name copies after a successful open or save.
    void showFileName();
    // Reports a failed open or save and goes back to the previous file name.
    void reportFileError(const FileError& error);

    [[nodiscard]] const FileNames& names() const { return names_; }
    // The start-up file name (see startupFile).
    void setNames(FileNames names) { names_ = std::move(names); }

    [[nodiscard]] static std::string captionFor(const std::string& fileName);

  private:
    void reportNotValid();
    // Back to the file name held before the abandoned open or save.
    void abandon();

    Prompts& prompts_;
    SettingsStore& settings_;
    FileSystem& files_;
    MemImage& image_;
    LabelImage& labels_;
    FileEditorHooks& editor_;
    FileNames names_;
    // The opened file's bytes; a save replaces only its image and labels in them.
    std::vector<Byte> file_;
    // prevFileName as it was before the last file dialog; cleared once the open or save
    // that followed it is done or abandoned.
    std::optional<std::string> prevBeforeDialog_;
};

}  // namespace zav
