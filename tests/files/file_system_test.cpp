// What must not happen to a technician's files on any system: no cut file, no name too
// long for its temporary, no litter left by a failed save, nothing replaced that may not be
// written; and the classic error numbers the user is told. (What only POSIX systems have,
// FIFOs, links, descriptors and a save killed mid-way: file_system_posix_test.cpp.)

#include "files/file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <future>
#include <vector>

#include "files/default_file.h"
#include "files/file_error.h"
#include "files/file_open_save.h"
#include "ops/file_operations.h"
#include "support/history.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

const std::vector<Byte> kOld(300, 0x11);
const std::vector<Byte> kNew(4025, 0x22);

class DiskFiles : public ::testing::Test {
  protected:
    test::TempDir dir;
    DiskFileSystem disk;
};

TEST_F(DiskFiles, ReadRegularFilesOnlyAndTellWhetherMoreFollows) {
    const std::string path = dir.file("r.frq");
    const ReadResult folder = disk.readFile(dir.path(), 4025);
    EXPECT_EQ(folder.error, refusalError(FileRefusal::NotRegularFile));
    EXPECT_TRUE(folder.bytes.empty());
    test::writeBytes(path, kNew);
    const ReadResult part = disk.readFile(path, 100);
    EXPECT_EQ(std::tuple(part.bytes.size(), part.moreFollow), std::tuple(100u, true));
    EXPECT_FALSE(disk.readFile(path, kNew.size()).moreFollow);
    test::writeBytes(path, kOld);
    const ReadResult shortRead = disk.readFile(path, 4025);
    EXPECT_FALSE(shortRead.error || shortRead.moreFollow);
    EXPECT_EQ(shortRead.bytes, kOld);

    // A file of the read limit is still a frequency file (one byte longer is not, and a
    // missing one is told: file_open_save_test.cpp), and a missing one may be made anew.
    const auto valid = defaultFrequencyFile();
    std::vector<Byte> bytes(valid.begin(), valid.end());
    bytes.resize(kFrequencyFileReadLimit, 0x33);
    test::writeBytes(path, bytes);
    test::ScriptedPrompts prompts;
    EXPECT_EQ(loadFileBytes(disk, prompts, path, false)->bytes, bytes);
    EXPECT_TRUE(loadFileBytes(disk, prompts, dir.file("absent.frq"), true));
    EXPECT_TRUE(prompts.messages.empty());
}

// A failed step is told; the old file stays until the rename, and no temporary file is
// left behind. Names that cannot be written are told with nothing touched.
TEST_F(DiskFiles, ReplaceIsAllOrNothing) {
    const auto real = dir.file("sub/real.frq");
    fs::create_directory(dir.file("sub"));
    ASSERT_FALSE(disk.replaceFile(real, kNew));
    using test::SaveStep;
    const std::tuple<SaveStep, const std::vector<Byte>&, const std::vector<Byte>&> steps[] = {
        {SaveStep::Rename, kOld, kNew},  // step failing, bytes saved, bytes held after
        {SaveStep::FileSync, kOld, kNew},
        {SaveStep::None, kOld, kOld}};
    for (const auto& [step, saved, held] : steps) {
        test::FaultyDisk faulty;
        faulty.failing = step;
        const auto ec = faulty.replaceFile(real, saved);
        EXPECT_EQ(ec ? classicFileError(ec, real).number : 0, step == SaveStep::None ? 0 : 57);
        EXPECT_EQ(test::readBytes(real), held);
        EXPECT_EQ(test::entries(dir.file("sub")), 1);
    }
    // Under a plain file, in a missing folder, a folder, a read-only file, a name longer
    // than any folder takes.
    const auto readOnly = dir.file("sub/read-only.frq");
    test::writeBytes(readOnly, kOld);
    fs::permissions(readOnly,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    // The system's own say on the read-only file: a POSIX system lets its superuser write it.
    std::FILE* probe = std::fopen(readOnly.c_str(), "ab");
    const bool mayWrite = probe != nullptr && std::fclose(probe) == 0;
    for (const auto& [path, classic] : {std::pair{real + "/x.frq", 76},
                                        {dir.file("missing/x.frq"), 76},
                                        {dir.file("sub"), 75},
                                        {readOnly, mayWrite ? 0 : 75},
                                        {dir.file("sub/" + std::string(256, 'n')), 52}}) {
        const auto ec = disk.replaceFile(path, kNew);
        EXPECT_EQ(ec ? classicFileError(ec, path).number : 0, classic) << path;
    }
    EXPECT_EQ(std::tuple(test::readBytes(real), test::readBytes(readOnly),
                         test::entries(dir.file("sub"))),
              std::tuple(kOld, mayWrite ? kNew : kOld, std::ptrdiff_t{2}));
}

// Long names get a temporary that fits; a save clears what a killed save left behind.
TEST_F(DiskFiles, ASaveFitsItsTemporaryAndClearsAKilledSavesLeftovers) {
    const auto age = [&](const std::string& name, std::chrono::seconds by) {
        test::writeBytes(dir.file(name), kOld);
        fs::last_write_time(dir.file(name), fs::file_time_type::clock::now() - by);
    };
    age(".other.frq.0a1b2c.zavtmp", std::chrono::hours(1));    // a killed save's leftover
    age(".radio.frq.ffffff.zavtmp", std::chrono::seconds(1));  // a save still running
    age(".notes.0a1b2c.tmp", std::chrono::hours(1));           // not ours
    for (const std::size_t length : {240, 244, 255}) {
        const std::string path = dir.file(std::string(length - 4, 'r') + ".frq");
        EXPECT_FALSE(disk.replaceFile(path, kNew)) << length;
        EXPECT_EQ(test::readBytes(path), kNew);
    }
    EXPECT_FALSE(fs::exists(dir.file(".other.frq.0a1b2c.zavtmp")));
    EXPECT_TRUE(fs::exists(dir.file(".radio.frq.ffffff.zavtmp")));
    EXPECT_TRUE(fs::exists(dir.file(".notes.0a1b2c.tmp")));
    EXPECT_EQ(test::entries(dir.path()), 5);
}

TEST(FileError, SystemErrorsMapToClassicNumbersAndTexts) {
    const std::tuple<int, const char*> cases[] = {
        {EACCES, "75!\rPath/File access error"},
        {EINVAL, "75!\rPath/File access error"},
        {ENOTDIR, "76!\rPath not found"},
        {ENOSPC, "61!\rDisk full"},
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
