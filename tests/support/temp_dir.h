#pragma once
// A fresh folder for one test, removed with everything in it afterwards, and whole-file
// reads and writes of bytes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/memory_image.h"

namespace zav::test {

class TempDir {
  public:
    // A new folder of a random name that no one else has made (as mkdtemp makes them, on
    // every system).
    TempDir() {
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate = base / ("zav_test_" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, ec_)) path_ = candidate.string();
        }
        if (path_.empty()) throw std::runtime_error("no temporary folder");
    }
    ~TempDir() { std::filesystem::remove_all(path_, ec_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] std::string file(const std::string& name) const { return path_ + "/" + name; }
    [[nodiscard]] std::string path() const { return path_; }

  private:
    std::string path_;
    std::error_code ec_;
};

// How many entries a folder holds.
inline std::ptrdiff_t entries(const std::string& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

inline std::vector<Byte> readBytes(const std::string& path) {
    return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

inline std::string readText(const std::string& path) {
    const std::vector<Byte> bytes = readBytes(path);
    return {bytes.begin(), bytes.end()};
}

inline void writeBytes(const std::string& path, std::span<const Byte> bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zav::test
