// What must not happen to a technician's files whatever the path names: no hang on a
// FIFO, no cut file, no link replaced by a copy, no name too long for its temporary, no
// litter left by a failed or killed save; and the classic error numbers the user is told.

#include "files/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

    // A longer file is no frequency file, and stays whole.
    const auto valid = defaultFrequencyFile();
    std::vector<Byte> bytes(valid.begin(), valid.end());
    for (const std::size_t size : {std::size_t{1} << 20, (std::size_t{1} << 20) + 1}) {
        bytes.resize(size, 0x33);
        test::writeBytes(path, bytes);
        test::ScriptedPrompts prompts;
        const auto loaded = loadFileBytes(disk, prompts, path, false);
        const bool fits = size == std::size_t{1} << 20;
        EXPECT_EQ(loaded ? loaded->bytes.size() : 0, fits ? size : 0);
        EXPECT_EQ(prompts.messages.size(), fits ? 0u : 1u);
        EXPECT_EQ(test::readBytes(path).size(), size);
    }
    // A missing file is told, unless a new one is to be made in its place.
    for (const bool create : {false, true}) {
        test::ScriptedPrompts prompts;
        const auto loaded = loadFileBytes(disk, prompts, dir.file("absent.frq"), create);
        EXPECT_EQ(loaded.has_value(), create);
        EXPECT_EQ(prompts.messages.empty(), create);
    }
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
    test::FaultyDisk failing;  // a full disk for real: ASaveCutShortLeavesTheOldFile...
    failing.renameError = EIO;
    EXPECT_EQ(classicFileError(failing.replaceFile(link, kOld), real).number, 57);
    EXPECT_EQ(test::readBytes(real), kNew);
    // No temporary file left behind.
    EXPECT_EQ(entries(dir.file("sub")), 1);
    // A chain of as many links as the system follows is written through; one more is not.
    fs::create_symlink("sub/real.frq", dir.file("chain40.frq"));
    for (int i = 39; i >= 0; --i)
        fs::create_symlink("chain" + std::to_string(i + 1) + ".frq",
                           dir.file("chain" + std::to_string(i) + ".frq"));
    EXPECT_FALSE(disk.replaceFile(dir.file("chain1.frq"), kOld));  // 40 links
    EXPECT_EQ(test::readBytes(real), kOld);
    EXPECT_EQ(disk.replaceFile(dir.file("chain0.frq"), kNew),
              std::make_error_code(std::errc::too_many_symbolic_link_levels));
    fs::create_symlink("loop.frq", dir.file("loop.frq"));
    EXPECT_EQ(disk.replaceFile(dir.file("loop.frq"), kNew),
              std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

TEST_F(DiskFiles, UnwritableTargetsAreRefusedAndLeftAlone) {
    const auto plain = dir.file("plain");
    test::writeBytes(plain, kOld);
    fs::create_directory(dir.file("folder"));
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    ASSERT_EQ(::mknod(dir.file("null").c_str(), S_IFCHR | 0600, ::makedev(1, 3)), 0);
    const std::pair<std::string, int> cases[] = {{plain + "/x.frq", 76},
                                                 {dir.file("missing/x.frq"), 76},
                                                 {dir.file("folder"), 75},
                                                 {dir.file("fifo"), 75},
                                                 {dir.file("null"), 75}};
    for (const auto& [path, classic] : cases) {
        const auto ec = disk.replaceFile(path, kNew);
        EXPECT_EQ(classicFileError(ec, path).number, classic) << path << ": " << ec.message();
    }
    EXPECT_EQ(disk.replaceFile(dir.file("fifo"), kNew), refusalError(FileRefusal::NotRegularFile));
    EXPECT_EQ(test::readBytes(plain), kOld);
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
    EXPECT_TRUE(fs::is_fifo(dir.file("fifo")));
    EXPECT_TRUE(fs::is_character_file(dir.file("null")));
    EXPECT_EQ(entries(dir.path()), 4);
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

// A save in a child process that meets a file size limit (as on a full disk), or is killed
// (SIGKILL) at a random moment while it saves over and over: the old file stays, or a new
// one is there whole.
TEST_F(DiskFiles, ASaveCutShortLeavesTheOldFileOrTheNewOneWhole) {
    const std::string path = dir.file("radio.frq");
    const std::vector<Byte> big(1 << 20, 0x33);
    std::mt19937 rng(7);
    for (int round = 0; round < 12; ++round) {
        const bool full = round == 0;
        test::writeBytes(path, kOld);
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0 && full) {
            const rlimit limit{1000, 1000};
            ::signal(SIGXFSZ, SIG_IGN);
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::_exit(classicFileError(disk.replaceFile(path, kNew), path).number);
        }
        if (child == 0)
            for (unsigned i = 0;; ++i) (void)disk.replaceFile(path, i % 2 ? big : kNew);
        if (!full) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5 + rng() % 60));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const std::vector<Byte> now = test::readBytes(path);
        EXPECT_TRUE(full ? now == kOld : now == kOld || now == kNew || now == big) << now.size();
        EXPECT_EQ(full ? WEXITSTATUS(status) : 61, 61);  // "Disk full"
    }
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
