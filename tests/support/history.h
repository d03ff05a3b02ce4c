#pragma once
// The radio history as the tests keep it: in a folder of the test's own, at a fixed time,
// on a disk whose saves can be made to fail; and what its files hold.

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "files/frequency_file.h"
#include "files/radio_history.h"
#include "support/temp_dir.h"

namespace zav::test {

struct FixedClock final : Clock {
    [[nodiscard]] LocalTime now() const override { return {2026, 12, 8, 9, 15, 2}; }
};

// The real disk, full while `full` is set (every save fails as it writes), and with
// `failing` set that step of every save failing as on a vanished device; the names in the
// folder `watched` are counted while a save writes (what a save killed then leaves).
enum class SaveStep { None, FileSync, FolderSync, Rename };  // the syncs in their order
class FaultyDisk final : public DiskFileSystem {
  public:
    bool full = false;
    SaveStep failing = SaveStep::None;
    std::string watched;
    std::ptrdiff_t namesWhileWriting = -1;

  protected:
    std::error_code writeTemporary(NativeFile file, std::span<const Byte> bytes) override {
        if (!watched.empty()) namesWhileWriting = entries(watched);
        if (full) return {ENOSPC, std::generic_category()};
        return DiskFileSystem::writeTemporary(file, bytes);
    }
    std::error_code syncToDisk(NativeFile file) override {
        return ++syncs_ == static_cast<int>(failing) ? kEio : DiskFileSystem::syncToDisk(file);
    }
    std::error_code moveOver(const std::filesystem::path& from,
                             const std::filesystem::path& to) override {
        return failing == SaveStep::Rename ? kEio : DiskFileSystem::moveOver(from, to);
    }

  private:
    inline static const std::error_code kEio{EIO, std::generic_category()};
    int syncs_ = 0;
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
