#include "files/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "files/file_error.h"
#include "temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

const std::vector<Byte> kOld(300, 0x11);
const std::vector<Byte> kNew(4025, 0x22);

// Real disk, with one step made to fail the way a full disk or a vanished folder would.
class FailingDisk final : public DiskFileSystem {
  public:
    enum class Fail { Write, Rename };
    explicit FailingDisk(Fail f) : fail_(f) {}

  protected:
    std::error_code writeTemporary(std::FILE* file, std::span<const Byte> bytes) override {
        if (fail_ != Fail::Write) return DiskFileSystem::writeTemporary(file, bytes);
        // Half the data reaches the disk before it fills up.
        (void)DiskFileSystem::writeTemporary(file, bytes.first(bytes.size() / 2));
        return {ENOSPC, std::generic_category()};
    }
    std::error_code moveOver(const fs::path& from, const fs::path& to) override {
        if (fail_ != Fail::Rename) return DiskFileSystem::moveOver(from, to);
        return {EIO, std::generic_category()};
    }

  private:
    Fail fail_;
};

TEST(DiskFileSystemTest, ReplaceWritesExactBytesAndLeavesNoTemporary) {
    test::TempDir dir;
    DiskFileSystem disk;
    const auto path = dir.file("a.frq");
    ASSERT_FALSE(disk.replaceFile(path, kOld));
    EXPECT_EQ(test::readBytes(path), kOld);
    ASSERT_FALSE(disk.replaceFile(path, kNew));
    EXPECT_EQ(test::readBytes(path), kNew);
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(DiskFileSystemTest, FailedStepKeepsOldFileAndRemovesTemporary) {
    struct Case {
        FailingDisk::Fail fail;
        int classic;
    };
    for (const auto& c :
         {Case{FailingDisk::Fail::Write, 61}, Case{FailingDisk::Fail::Rename, 57}}) {
        test::TempDir dir;
        const auto path = dir.file("keep.frq");
        test::writeBytes(path, kOld);
        FailingDisk disk(c.fail);
        const auto ec = disk.replaceFile(path, kNew);
        ASSERT_TRUE(ec);
        EXPECT_EQ(classicFileError(ec, path).number, c.classic);
        EXPECT_EQ(test::readBytes(path), kOld);
        EXPECT_EQ(dir.entryCount(), 1u) << "temporary file left behind";
    }
}

TEST(DiskFileSystemTest, UnwritableTargetsAreRefusedAndLeftAlone) {
    test::TempDir dir;
    DiskFileSystem disk;
    // A path through a plain file, a missing folder, a folder, and a fifo.
    const auto plain = dir.file("plain");
    test::writeBytes(plain, kOld);
    const auto folder = dir.file("folder");
    fs::create_directory(folder);
    const auto fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    struct Case {
        std::string path;
        int classic;
    };
    for (const auto& c : {Case{plain + "/x.frq", 76}, Case{dir.file("missing/x.frq"), 76},
                          Case{folder, 75}, Case{fifo, 75}}) {
        const auto ec = disk.replaceFile(c.path, kNew);
        ASSERT_TRUE(ec) << c.path;
        EXPECT_EQ(classicFileError(ec, c.path).number, c.classic) << c.path << ": " << ec.message();
    }
    EXPECT_EQ(test::readBytes(plain), kOld);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(dir.entryCount(), 3u);
}

TEST(DiskFileSystemTest, ReplaceKeepsPermissionsAndLinks) {
    test::TempDir dir;
    DiskFileSystem disk;
    const auto real = dir.file("real.frq");
    const auto link = dir.file("link.frq");
    test::writeBytes(real, kOld);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, link);

    ASSERT_FALSE(disk.replaceFile(link, kNew));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::readBytes(real), kNew);
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(dir.entryCount(), 2u);
}

TEST(DiskFileSystemTest, ReadGivesAtMostTheRequestedBytes) {
    test::TempDir dir;
    DiskFileSystem disk;
    const auto path = dir.file("r.frq");
    test::writeBytes(path, kNew);
    EXPECT_EQ(disk.readFile(path, 100).bytes.size(), 100u);
    test::writeBytes(path, kOld);
    const auto shortRead = disk.readFile(path, 4025);
    EXPECT_FALSE(shortRead.error);
    EXPECT_EQ(shortRead.bytes, kOld);
}

TEST(DiskFileSystemTest, ReadErrorsMapToClassicNumbers) {
    test::TempDir dir;
    DiskFileSystem disk;
    struct Case {
        std::string path;
        int classic;
    };
    for (const auto& c : {Case{dir.file("none.frq"), 53}, Case{dir.file("no/none.frq"), 76},
                          Case{dir.path().string(), 75}}) {
        const auto r = disk.readFile(c.path, 4025);
        ASSERT_TRUE(r.error) << c.path;
        EXPECT_TRUE(r.bytes.empty());
        EXPECT_EQ(classicFileError(r.error, c.path).number, c.classic) << c.path;
    }
}

}  // namespace
}  // namespace zav
