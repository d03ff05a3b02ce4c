#pragma once
// The editor's file-name state.

#include <string>

namespace zav {

struct FileNames {
    std::string fileName;       // the file Save writes and the caption shows; empty: none
    std::string prevFileName;   // the name held before the last file dialog
    std::string printFileName;  // the name the printout shows
};

}  // namespace zav
