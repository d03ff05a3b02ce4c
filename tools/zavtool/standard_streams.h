#pragma once
// The file a command names "-": standard input where the command reads a file, standard
// output where it writes one, as terminal programs take it. Every other name is a file
// on the disk.

#include <iosfwd>

#include "files/file_system.h"

namespace zav::tool {

inline constexpr std::string_view kStandardStream = "-";

class StandardStreamFiles final : public FileSystem {
  public:
    StandardStreamFiles(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
    ReadResult readFile(const std::string& path, std::size_t maxBytes) override;
    std::error_code replaceFile(const std::string& path, std::span<const Byte> bytes) override;
    std::error_code createFolders(const std::string& path) override {
        return disk_.createFolders(path);
    }
    std::vector<std::string> fileNames(const std::string& folder, std::error_code& ec) override {
        return disk_.fileNames(folder, ec);
    }

  private:
    std::istream& in_;
    std::ostream& out_;
    DiskFileSystem disk_;
};

}  // namespace zav::tool
