#pragma once
// The file name the editor starts with: a file named on the command line, or the last
// file opened or saved.

#include <span>
#include <string>
#include <string_view>

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

}  // namespace zav
