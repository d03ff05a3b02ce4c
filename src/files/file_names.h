#pragma once
// The editor's file-name state.

#include <string>

namespace zav {

struct FileNames {
    std::string FileName;       // the file Save writes and the caption shows; empty: none
    std::string PrevFileName;   // the name held before the last file dialog
    std::string PrintFileName;  // the name the printout shows
};

}  // namespace zav
