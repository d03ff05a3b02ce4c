// What must not happen to a technician's files where POSIX systems have more than names:
// no hang on a FIFO or a device, no link replaced by a copy, no temporary with a name while
// it is written, no descriptor mixed up, no cut file after a save killed mid-way.

#include "files/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "files/file_error.h"
#include "support/history.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

const std::vector<Byte> kOld(300, 0x11);
const std::vector<Byte> kNew(4025, 0x22);

class PosixDiskFiles : public ::testing::Test {
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

TEST_F(PosixDiskFiles, ReadRefusesFifosAndDevicesWithoutWaiting) {
    const std::string fifo = dir.file("radio.frq");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& other : {fifo, std::string("/dev/null")}) {
        const ReadResult read = disk.readFile(other, 4025);  // a FIFO would block forever here
        EXPECT_EQ(read.error, refusalError(FileRefusal::NotRegularFile)) << other;
        EXPECT_TRUE(read.bytes.empty());
    }
}

TEST_F(PosixDiskFiles, ReplaceWritesThroughLinksAllOrNothing) {
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
    // A failed step is told, and no temporary file has a name while the save writes (the
    // other steps: file_system_test.cpp).
    using test::SaveStep;
    const std::tuple<SaveStep, const std::vector<Byte>&, const std::vector<Byte>&> steps[] = {
        {SaveStep::FolderSync, kOld, kOld},  // after the rename: told, the new file there
        {SaveStep::None, kNew, kNew}};
    for (const auto& [step, saved, held] : steps) {
        test::FaultyDisk faulty;
        faulty.failing = step;
        faulty.watched = dir.file("sub");
        const auto ec = faulty.replaceFile(link, saved);
        EXPECT_EQ(ec ? classicFileError(ec, real).number : 0, step == SaveStep::None ? 0 : 57);
        EXPECT_EQ(test::readBytes(real), held);
        EXPECT_EQ(std::pair(faulty.namesWhileWriting, test::entries(dir.file("sub"))),
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
}

// Descriptor 0 free is taken by the files a save opens, and is none of the save's business.
TEST_F(PosixDiskFiles, ASaveWithDescriptorZeroFree) {
    ::close(0);
    EXPECT_FALSE(disk.replaceFile(dir.file("zero.frq"), kNew));
    EXPECT_EQ(test::readBytes(dir.file("zero.frq")), kNew);
    ASSERT_EQ(::open("/dev/null", O_RDONLY), 0);
}

// A save in a child process killed (SIGKILL) at a random moment while it saves over and
// over: the old file stays, or a new one is there whole. (A full disk: every output's, in
// tests/tools/zavtool_process_test.cpp.)
TEST_F(PosixDiskFiles, ASaveKilledLeavesTheOldFileOrTheNewOneWhole) {
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

}  // namespace
}  // namespace zav
