#pragma once
// The file name the editor starts with: a file named on the command line, or the last
// file opened or saved.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_names.h"
#include "iface/settings_store.h"

namespace zav {

struct StartupFileResult {
    FileNames names;
    bool openAtStart{};  // names.fileName is to be opened once the main window exists
};

// A file named on the command line is opened; without one the remembered last file only
// becomes the default for the file dialog and Save, without being loaded.
StartupFileResult startupFile(std::string_view commandLine, const SettingsStore& settings);

// The program's arguments as one command-line text, joined by blanks.
std::string commandLineText(std::span<const std::string> arguments);

// The files the program's arguments name, one editor each. Several words are still one
// path with blanks when that path exists (an unquoted name, as the editor always took
// them); otherwise each word is a file of its own, as a file manager or a shell passes them.
std::vector<std::string> commandLineFiles(std::span<const std::string> arguments,
                                          const std::function<bool(const std::string&)>& exists);

}  // namespace zav
