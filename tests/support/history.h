#pragma once
// The radio history as the tests keep it: in a folder of the test's own, at a fixed time,
// on a disk whose saves can be made to fail; and what its files hold.

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "files/file_system.h"
#include "files/frequency_file.h"
#include "files/radio_history.h"
#include "support/temp_dir.h"

namespace zav::test {

struct FixedClock final : Clock {
    [[nodiscard]] LocalTime now() const override { return {2026, 12, 8, 9, 15, 2}; }
};

// The real disk, full while `full` is set (every save fails as it writes), every save's
// rename failing with `renameError` when set (as in a folder on a vanished device).
class FaultyDisk final : public DiskFileSystem {
  public:
    bool full = false;
    int renameError = 0;

  protected:
    std::error_code writeTemporary(int fd, std::span<const Byte> bytes) override {
        if (full) return {ENOSPC, std::generic_category()};
        return DiskFileSystem::writeTemporary(fd, bytes);
    }
    std::error_code moveOver(const std::filesystem::path& from,
                             const std::filesystem::path& to) override {
        if (renameError != 0) return {renameError, std::generic_category()};
        return DiskFileSystem::moveOver(from, to);
    }
};

struct History {
    TempDir dir;
    FixedClock clock;
    FaultyDisk disk;
    RadioHistory store{disk, clock, dir.path()};

    // What every file in the folder holds (anything that is no frequency file is a fault).
    [[nodiscard]] std::vector<FrequencyFileContents> kept() const {
        std::vector<FrequencyFileContents> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            files.push_back(decodeFrequencyFile(readBytes(entry.path().string()))
                                .value_or(FrequencyFileContents{}));
        return files;
    }
};

}  // namespace zav::test
