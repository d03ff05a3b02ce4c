// What must not happen to a technician's files whatever the path names: no hang on a
// FIFO, no cut file, no link replaced by a copy, no name too long for its temporary, no
// litter left by a failed or killed save; and the classic error numbers the user is told.

#include "files/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <random>
#include <thread>
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

std::ptrdiff_t entries(const std::string& folder) {
    return std::distance(fs::directory_iterator(folder), {});
}

class DiskFiles : public ::testing::Test {
  protected:
    // Descriptor 0 is open, so that closing a descriptor the disk never opened shows.
    void SetUp() override {
        if (::fcntl(0, F_GETFD) == -1) {
            ASSERT_EQ(::open("/dev/null", O_RDONLY), 0);
        }
    }
    void TearDown() override { EXPECT_NE(::fcntl(0, F_GETFD), -1) << "descriptor 0 closed"; }
    test::TempDir dir;
    DiskFileSystem disk;
};

TEST_F(DiskFiles, ReadRegularFilesOnlyAndTellWhetherMoreFollows) {
    const std::string fifo = dir.file("radio.frq"), path = dir.file("r.frq");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& other : {fifo, std::string("/dev/null"), dir.path()}) {
        const ReadResult read = disk.readFile(other, 4025);  // a FIFO would block forever here
        EXPECT_EQ(read.error, refusalError(FileRefusal::NotRegularFile)) << other;
        EXPECT_TRUE(read.bytes.empty());
    }
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

TEST_F(DiskFiles, ReplaceWritesThroughLinksAllOrNothing) {
    const auto real = dir.file("sub/real.frq");
    const auto link = dir.file("link.frq");
    fs::create_directory(dir.file("sub"));
    fs::create_symlink("sub/real.frq", link);  // dangling, and relative to its folder
    ASSERT_FALSE(disk.replaceFile(link, kOld));
    EXPECT_EQ(test::readBytes(real), kOld);
    constexpr auto kPerms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, kPerms);
    ASSERT_FALSE(disk.replaceFile(link, kNew));  // keeping the permissions
    EXPECT_EQ(test::readBytes(real), kNew);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(real).permissions(), kPerms);
    // A failed step is told; the old file stays until the rename, and no temporary file
    // is left behind, nor has one a name while the save writes.
    using test::SaveStep;
    const std::tuple<SaveStep, const std::vector<Byte>&, const std::vector<Byte>&> steps[] = {
        {SaveStep::Rename, kOld, kNew},  // step failing, bytes saved, bytes held after
        {SaveStep::FileSync, kOld, kNew},
        {SaveStep::FolderSync, kOld, kOld},  // after the rename: told, the new file there
        {SaveStep::None, kNew, kNew}};
    for (const auto& [step, saved, held] : steps) {
        test::FaultyDisk faulty;
        faulty.failing = step;
        faulty.watched = dir.file("sub");
        const auto ec = faulty.replaceFile(link, saved);
        EXPECT_EQ(ec ? classicFileError(ec, real).number : 0, step == SaveStep::None ? 0 : 57);
        EXPECT_EQ(test::readBytes(real), held);
        EXPECT_EQ(std::pair(faulty.namesWhileWriting, entries(dir.file("sub"))),
                  std::pair(std::ptrdiff_t{1}, std::ptrdiff_t{1}));
    }
    // A chain of as many links as the system follows is written through; one more is not.
    fs::create_symlink("sub/real.frq", dir.file("chain40.frq"));
    for (int i = 39; i >= 0; --i)
        fs::create_symlink("chain" + std::to_string(i + 1) + ".frq",
                           dir.file("chain" + std::to_string(i) + ".frq"));
    EXPECT_FALSE(disk.replaceFile(dir.file("chain1.frq"), kOld));  // 40 links
    EXPECT_EQ(test::readBytes(real), kOld);
    EXPECT_EQ(disk.replaceFile(dir.file("chain0.frq"), kNew),
              std::make_error_code(std::errc::too_many_symbolic_link_levels));
    // Names under a plain file, in a missing folder, of a folder: told, nothing touched.
    // (FIFOs, devices and link loops: every output's, in tests/tools/zavtool_process_test.cpp.)
    for (const auto& [path, classic] :
         {std::pair{real + "/x.frq", 76}, {dir.file("missing/x.frq"), 76}, {dir.file("sub"), 75}})
        EXPECT_EQ(classicFileError(disk.replaceFile(path, kNew), path).number, classic) << path;
    EXPECT_EQ(std::pair(test::readBytes(real), entries(dir.file("sub"))),
              std::pair(kOld, std::ptrdiff_t{1}));
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
    EXPECT_EQ(entries(dir.path()), 5);
    ::close(0);  // descriptor 0 is free for the files a save opens
    EXPECT_FALSE(disk.replaceFile(dir.file("zero.frq"), kNew));
    EXPECT_EQ(test::readBytes(dir.file("zero.frq")), kNew);
    ASSERT_EQ(::open("/dev/null", O_RDONLY), 0);
}

// A save in a child process killed (SIGKILL) at a random moment while it saves over and
// over: the old file stays, or a new one is there whole. (A full disk: every output's, in
// tests/tools/zavtool_process_test.cpp.)
TEST_F(DiskFiles, ASaveKilledLeavesTheOldFileOrTheNewOneWhole) {
    const std::string path = dir.file("radio.frq");
    const std::vector<Byte> big(1 << 20, 0x33);
    std::mt19937 rng(7);
    for (int round = 0; round < 11; ++round) {
        test::writeBytes(path, kOld);
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0)
            for (unsigned i = 0;; ++i) (void)disk.replaceFile(path, i % 2 ? big : kNew);
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + rng() % 60));
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        const std::vector<Byte> now = test::readBytes(path);
        EXPECT_TRUE(now == kOld || now == kNew || now == big) << now.size();
    }
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
