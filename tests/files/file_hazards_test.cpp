// What must not happen to a technician's files whatever the path names: no hang on a
// FIFO, no cut file, no link replaced by a copy, no name too long for its temporary, no
// litter left by a killed save.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <vector>

#include "files/default_file.h"
#include "files/file_system.h"
#include "ops/file_operations.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

const std::vector<Byte> kContents(4025, 0x5A);

TEST(FileHazards, AnythingButARegularFileIsRefusedWithoutWaiting) {
    test::TempDir dir;
    const std::string fifo = dir.file("radio.frq");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    DiskFileSystem disk;
    for (const std::string& path : {fifo, std::string("/dev/null"), dir.path()}) {
        SCOPED_TRACE(path);
        const ReadResult read = disk.readFile(path, 4025);  // a FIFO would block forever here
        EXPECT_TRUE(read.error);
        EXPECT_TRUE(read.bytes.empty());
    }
    EXPECT_EQ(disk.readFile(fifo, 1).error, refusalError(FileRefusal::NotRegularFile));
    EXPECT_EQ(disk.replaceFile(fifo, kContents), refusalError(FileRefusal::NotRegularFile));
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(FileHazards, ALongerFileIsNoFrequencyFileAndStaysWhole) {
    test::TempDir dir;
    const std::string path = dir.file("big.frq");
    const auto valid = defaultFrequencyFile();
    std::vector<Byte> bytes(valid.begin(), valid.end());
    DiskFileSystem disk;
    for (const std::size_t size : {std::size_t{1} << 20, (std::size_t{1} << 20) + 1}) {
        bytes.resize(size, 0x33);
        test::writeBytes(path, bytes);
        test::ScriptedPrompts prompts;
        const auto loaded = loadFileBytes(disk, prompts, path, false);
        const bool fits = size == std::size_t{1} << 20;
        EXPECT_EQ(loaded.has_value(), fits) << size;
        if (loaded) {
            EXPECT_EQ(loaded->bytes.size(), size);
        }
        EXPECT_EQ(prompts.messages.size(), fits ? 0u : 1u);
        EXPECT_EQ(test::readBytes(path).size(), size);
    }
    EXPECT_TRUE(disk.readFile(path, 10).moreFollow);
    EXPECT_FALSE(disk.readFile(path, bytes.size()).moreFollow);
}

TEST(FileHazards, ALinkIsWrittenThroughEvenWhenItDangles) {
    test::TempDir dir;
    const fs::path target = fs::path(dir.path()) / "sub" / "radio.frq";
    fs::create_directory(target.parent_path());
    const std::string link = dir.file("link.frq");
    fs::create_symlink("sub/radio.frq", link);
    DiskFileSystem disk;
    ASSERT_FALSE(disk.replaceFile(link, kContents));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::readBytes(target.string()), kContents);

    fs::create_symlink("loop.frq", dir.file("loop.frq"));
    EXPECT_EQ(disk.replaceFile(dir.file("loop.frq"), kContents),
              std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

TEST(FileHazards, NamesUpToTheLimitCanBeSaved) {
    test::TempDir dir;
    DiskFileSystem disk;
    for (const std::size_t length : {240, 244, 255}) {
        const std::string path = dir.file(std::string(length - 4, 'r') + ".frq");
        EXPECT_FALSE(disk.replaceFile(path, kContents)) << length;
        EXPECT_EQ(test::readBytes(path), kContents);
    }
    EXPECT_EQ(dir.entryCount(), 3);
}

TEST(FileHazards, ASaveClearsWhatAKilledSaveLeftBehind) {
    test::TempDir dir;
    const auto age = [&](const std::string& name, std::chrono::seconds by) {
        test::writeBytes(dir.file(name), kContents);
        fs::last_write_time(dir.file(name), fs::file_time_type::clock::now() - by);
    };
    age(".other.frq.0a1b2c.zavtmp", std::chrono::hours(1));    // a killed save's leftover
    age(".radio.frq.ffffff.zavtmp", std::chrono::seconds(1));  // a save still running
    age(".notes.0a1b2c.tmp", std::chrono::hours(1));           // not ours
    DiskFileSystem disk;
    ASSERT_FALSE(disk.replaceFile(dir.file("radio.frq"), kContents));
    EXPECT_FALSE(fs::exists(dir.file(".other.frq.0a1b2c.zavtmp")));
    EXPECT_TRUE(fs::exists(dir.file(".radio.frq.ffffff.zavtmp")));
    EXPECT_TRUE(fs::exists(dir.file(".notes.0a1b2c.tmp")));
    EXPECT_EQ(dir.entryCount(), 3);
}

}  // namespace
}  // namespace zav
