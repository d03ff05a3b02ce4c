// The real serial port against the simulated radio served on a pseudo-terminal: whole
// connections end to end, exclusive opening, open failures, the receive timeout, pauses
// that end no earlier than asked, a device that goes away in the middle of a transfer, and
// a lock file left empty.

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <fstream>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <optional>
#include <thread>

#include "link/global_transfer.h"
#include "link/radio_read.h"
#include "qt/qt_serial_port.h"
#include "sim/pty_server.h"
#include "support/sim_link.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

// A paced simulated radio served on a pty from a second thread; stop() ends it, after
// which the radio may be inspected, and unplug() takes the device away.
struct PtyRadio : ::testing::Test {
    void SetUp() override {
        test::fillPattern(radio.memory());
        ASSERT_EQ(::pipe(stopPipe.data()), 0);
        thread = std::thread([this] { server->serve(stopPipe[0]); });
        link.transport().setPort(server->devicePath());
    }
    void TearDown() override { stop(); }
    void stop() {
        if (!thread.joinable()) return;
        ASSERT_EQ(::write(stopPipe[1], "", 1), 1);
        thread.join();
        for (const int fd : stopPipe) ::close(fd);
    }
    void unplug() {
        stop();
        server.reset();
    }
    int argc = 1;
    char* argv[1] = {const_cast<char*>("test_qt")};
    QCoreApplication app{argc, argv};  // the port's waits need one
    sim::SimRadio radio;
    QtSerialPort port;
    test::ScriptedPrompts prompts;
    test::RecordingProgress progress;
    RadioLink link{port, prompts, progress};
    std::optional<sim::PtyServer> server{std::in_place, radio, true};
    std::thread thread;
    std::array<int, 2> stopPipe{-1, -1};
};

// The last bytes before a close count at the speed they were sent at, although closing
// restores the terminal's old speed at once: the read program at 9600 sees its closing
// byte, so the next connection hooks at its first try and a release at 9600 arrives.
TEST_F(PtyRadio, WholeConnectionsReadAndWriteTheRadio) {
    for (std::size_t i = 81; i < 88; ++i) radio.memory()[i] = 0;  // segment 0 only
    const auto before = radio.memory();
    MemImage image{};
    ASSERT_TRUE(readRadio(link, image));
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 128, image.begin()));
    image.fill(0xFF);
    ASSERT_TRUE(writeGlobal(link, image));
    ASSERT_TRUE(link.hookRadio(LineSpeed::Baud9600));
    link.endSession();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the release byte's line time
    stop();
    EXPECT_EQ(radio.memory()[96], 0xFF);  // which bytes a global write may change: the link's

    std::string lastRelease;  // how fast the last release went and arrived
    for (const auto& e : radio.transcript().entries())
        if (e.note == "release")
            lastRelease = std::to_string(e.senderBaud) + "/" + std::to_string(e.receiverBaud);
    EXPECT_EQ(lastRelease, "9600/9600");
    const std::vector<Byte> sent = radio.transcript().hostBytes(), hook{0x0A, 0x14, 0x28};
    int hooks = 0;
    for (auto it = sent.begin();
         (it = std::search(it, sent.end(), hook.begin(), hook.end())) != sent.end(); ++it)
        ++hooks;
    EXPECT_EQ(hooks, 3);  // each connection hooked at its first try
}

// A second open of the device is refused, a receive times out without spinning, and a
// failed open names the device and how to get access.
TEST_F(PtyRadio, OpenFailuresAndTheReceiveTimeout) {
    ASSERT_TRUE(link.transport().openPort());
    QtSerialPort other;
    test::ScriptedPrompts otherPrompts;
    RadioLink second(other, otherPrompts, progress);
    second.transport().setPort(link.transport().port());
    second.hookRadio(LineSpeed::Baud4800);
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu = std::clock();
    Byte b = 0;
    EXPECT_FALSE(link.transport().receiveByte(b));
    EXPECT_GE(wall.elapsed(), 500);
    EXPECT_LT(wall.elapsed(), 600);
    EXPECT_LT(static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, 0.1);
    second.transport().setPort("/dev/zav-no-such-port");
    second.hookRadio(LineSpeed::Baud4800);
    EXPECT_EQ(otherPrompts.texts(), std::vector<std::string>(2, "Unable to open Comm Port"));
    EXPECT_NE(otherPrompts.messages.at(1).detail.find("/dev/zav-no-such-port"), std::string::npos);
}

// A pause's last part is slept to its deadline, not for a time counted from when the sleep
// began: a pass that sleeps does not end before the deadline. A byte written before a pause
// (of the event loop or a blocking one) leaves when the pause begins, not after it, and one
// written before the link asks a question leaves while the question waits.
TEST_F(PtyRadio, APauseEndsNoEarlierThanItsDeadlineAndSendsWhatWasWritten) {
    using std::chrono::microseconds;
    for (const microseconds pause : {microseconds(300), microseconds(900), microseconds(1900)}) {
        const LinkTime end = port.now() + pause;
        port.waitUntil(end, false);
        EXPECT_GE(port.now(), end) << pause.count() << " us in one pass";
    }
    ASSERT_TRUE(link.transport().openPort());
    ASSERT_TRUE(port.writeByte(0x5A));
    port.waitUntil(port.now() + std::chrono::milliseconds(300), false);
    ASSERT_TRUE(port.writeByte(0xA5));
    port.sleepBlocking(std::chrono::milliseconds(300));
    ASSERT_TRUE(port.writeByte(0xC3));
    link.prompts().ask(information("Write Failed", "Comm Error"));  // no wait before it
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    stop();
    EXPECT_EQ(radio.transcript().hostBytes(), (std::vector<Byte>{0x5A, 0xA5, 0xC3}));
}

// The group a refused user should join is the device's own, when that group may open it;
// a port another program holds is told by its lock file's live process, not by a stale one.
// An empty lock file (a program stopped while taking the port) would refuse the port to
// everyone: named while it may still be being written, removed once a minute old.
TEST(PortAccess, TheHintNamesTheDevicesGroupAHolderIsALiveProcessAStaleEmptyLockGoes) {
    namespace fs = std::filesystem;
    constexpr auto npos = std::string::npos;
    test::TempDir dir;
    const std::string device = dir.file("ttyZ0"), folder = dir.path();
    const std::array<std::string_view, 1> folders{folder};
    test::writeBytes(device, std::vector<Byte>{});
    struct stat node {};
    ASSERT_EQ(::stat(device.c_str(), &node), 0);
    const group* own = ::getgrgid(node.st_gid);
    ASSERT_NE(own, nullptr);
    for (const auto& [mode, named] : {std::pair{0660, true}, {0600, false}}) {
        ::chmod(device.c_str(), static_cast<mode_t>(mode));
        const std::string hint = permissionHint(device);
        EXPECT_EQ(hint.find("-G " + std::string(own->gr_name) + " $USER") != npos, named) << hint;
        EXPECT_NE(hint.find(named ? "log out and in" : device), npos) << hint;
    }
    const int live = ::getppid(), gone = INT_MAX, self = ::getpid();
    for (const auto& [pid, held] : {std::pair{live, true}, {gone, false}, {self, false}}) {
        std::ofstream(dir.file(portLockName("/dev/ttyZ0"))) << "      " << pid << "\n";
        const auto holder = portHolder("/dev/ttyZ0", folders);
        EXPECT_EQ(holder ? holder->process : std::nullopt,
                  held ? std::optional(pid) : std::nullopt);
    }
    const std::string lock = dir.file("LCK..pts_7");
    // Contents, age in minutes: found (removed), or not.
    const std::tuple<std::string, int, std::optional<bool>> cases[] = {
        {"", 0, false}, {"", 2, true}, {"      4242\n", 2, std::nullopt}};
    for (const auto& [held, age, removed] : cases) {
        test::writeBytes(lock, std::vector<Byte>(held.begin(), held.end()));
        fs::last_write_time(lock, fs::file_time_type::clock::now() - std::chrono::minutes(age));
        const auto empty = clearEmptyLock("/dev/pts/7", folders);
        EXPECT_EQ(empty ? std::optional(std::pair(empty->path, empty->removed)) : std::nullopt,
                  removed ? std::optional(std::pair(lock, *removed)) : std::nullopt);
        EXPECT_EQ(fs::exists(lock), removed != true);
    }
}

// The device goes away in the middle of a read (an adapter pulled out): the read fails
// and says so once within a few seconds (the gone device is not opened again to release
// the radio), and the port is closed.
TEST_F(PtyRadio, ADeviceThatGoesAwayEndsTheReadCleanly) {
    QTimer::singleShot(400, [this] { unplug(); });
    QElapsedTimer wall;
    wall.start();
    MemImage image{};
    EXPECT_FALSE(readRadio(link, image));
    EXPECT_LT(wall.elapsed(), 3500);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Error reading radio"});
    EXPECT_EQ(std::tuple(port.deviceLost(), link.transport().isOpen(), link.busy()),
              std::tuple(true, false, false));
}

}  // namespace
}  // namespace zav
