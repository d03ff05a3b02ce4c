#include <filesystem>
#include <iostream>

#include "commands.h"
#include "files/default_file.h"
#include "files/file_error.h"
#include "files/file_system.h"

namespace zav::tool {

int newCommand(const Args& args) {
    bool force = false;
    std::string path;
    for (const auto& a : args) {
        if (a == "--force") {
            force = true;
        } else if (path.empty() && !a.starts_with("--")) {
            path = a;
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty()) {
        std::cerr << "usage: zavtool new [--force] FILE.frq\n";
        return 2;
    }
    std::error_code ec;
    if (!force && std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
        std::cerr << "zavtool new: " << path << " exists (use --force to replace it)\n";
        return 1;
    }
    DiskFileSystem disk;
    if (auto err = disk.replaceFile(path, defaultFrequencyFile())) {
        const auto e = classicFileError(err, path);
        std::cerr << "zavtool new: " << path << ": Error Number " << e.number << ": "
                  << e.description << " (" << e.systemReason << ")\n";
        return 1;
    }
    std::cout << "wrote " << path << "\n";
    return 0;
}

}  // namespace zav::tool
