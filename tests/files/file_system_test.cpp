#include "files/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <future>
#include <vector>

#include "files/file_error.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

const std::vector<Byte> kOld(300, 0x11);
const std::vector<Byte> kNew(4025, 0x22);

// The real disk, with one step of a replace failing as a full disk or a vanished folder would.
class FailingDisk final : public DiskFileSystem {
  public:
    explicit FailingDisk(bool failWrite) : failWrite_(failWrite) {}

  protected:
    std::error_code writeTemporary(int file, std::span<const Byte> bytes) override {
        if (!failWrite_) return DiskFileSystem::writeTemporary(file, bytes);
        (void)DiskFileSystem::writeTemporary(file, bytes.first(bytes.size() / 2));
        return {ENOSPC, std::generic_category()};
    }
    std::error_code moveOver(const fs::path& from, const fs::path& to) override {
        if (failWrite_) return DiskFileSystem::moveOver(from, to);
        return {EIO, std::generic_category()};
    }

  private:
    bool failWrite_;
};

TEST(DiskFileSystem, ReplaceWritesAllOrNothing) {
    test::TempDir dir;
    DiskFileSystem disk;
    const auto real = dir.file("real.frq");
    const auto link = dir.file("link.frq");
    ASSERT_FALSE(disk.replaceFile(real, kOld));
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, link);
    ASSERT_FALSE(disk.replaceFile(link, kNew));  // through the link, keeping the permissions
    EXPECT_EQ(test::readBytes(real), kNew);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(dir.entryCount(), 2);  // no temporary file left behind
    for (const auto& [failWrite, classic] : {std::pair{true, 61}, {false, 57}}) {
        FailingDisk failing(failWrite);
        const auto ec = failing.replaceFile(real, kOld);
        EXPECT_EQ(classicFileError(ec, real).number, classic);
        EXPECT_EQ(test::readBytes(real), kNew);
        EXPECT_EQ(dir.entryCount(), 2);
    }
}

TEST(DiskFileSystem, UnwritableTargetsAreRefusedAndLeftAlone) {
    test::TempDir dir;
    DiskFileSystem disk;
    const auto plain = dir.file("plain");
    test::writeBytes(plain, kOld);
    fs::create_directory(dir.file("folder"));
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    const std::pair<std::string, int> cases[] = {{plain + "/x.frq", 76},
                                                 {dir.file("missing/x.frq"), 76},
                                                 {dir.file("folder"), 75},
                                                 {dir.file("fifo"), 75}};
    for (const auto& [path, classic] : cases) {
        const auto ec = disk.replaceFile(path, kNew);
        EXPECT_EQ(classicFileError(ec, path).number, classic) << path << ": " << ec.message();
    }
    EXPECT_EQ(test::readBytes(plain), kOld);
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
    EXPECT_TRUE(fs::is_fifo(dir.file("fifo")));
    EXPECT_EQ(dir.entryCount(), 3);
}

TEST(DiskFileSystem, Reads) {
    test::TempDir dir;
    DiskFileSystem disk;
    const auto path = dir.file("r.frq");
    test::writeBytes(path, kNew);
    EXPECT_EQ(disk.readFile(path, 100).bytes.size(), 100u);
    test::writeBytes(path, kOld);
    const auto shortRead = disk.readFile(path, 4025);
    EXPECT_FALSE(shortRead.error);
    EXPECT_EQ(shortRead.bytes, kOld);
    // Failed reads: see the open table in file_open_save_test.cpp.
}

TEST(FileError, SystemErrorsMapToClassicNumbersAndTexts) {
    const std::tuple<int, const char*> cases[] = {
        {EACCES, "75!\rPath/File access error"},
        {EROFS, "75!\rPath/File access error"},
        {EINVAL, "75!\rPath/File access error"},
        {ENOTDIR, "76!\rPath not found"},
        {ENOSPC, "61!\rDisk full"},
        {EDQUOT, "61!\rDisk full"},
        {EIO, "57!\rDevice I/O error"},
        {EBUSY, "55!\rFile already open"},
        {EMFILE, "67!\rToo many files"},
        {ENAMETOOLONG, "52!\rBad file name or number"},
        {ENODEV, "68!\rDevice unavailable"},
        {ENOENT, "53!\rFile not found"}};  // in a folder that exists
    for (const auto& [err, text] : cases) {
        const auto e = classicFileError({err, std::generic_category()}, "relative.frq");
        EXPECT_EQ(fileErrorText(e), "Error Number " + std::string(text));
        EXPECT_EQ(e.systemReason, std::generic_category().message(err));
    }
    // An error from outside the system's numbers is an access error, whatever its value.
    const auto foreign = std::make_error_code(std::future_errc::promise_already_satisfied);
    EXPECT_EQ(classicFileError(foreign, "relative.frq").number, 75);
}

}  // namespace
}  // namespace zav
