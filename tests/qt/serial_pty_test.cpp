// The real serial port against the simulated radio served on a pseudo-terminal: whole
// connections end to end, the speed switch, exclusive opening and open failures.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <memory>
#include <thread>

#include "link/global_transfer.h"
#include "link/radio_link.h"
#include "link/radio_read.h"
#include "qt/qt_serial_port.h"
#include "sim/pty_server.h"
#include "support/recording_progress.h"
#include "support/scripted_prompts.h"
#include "support/sim_link.h"

namespace zav {
namespace {

using namespace std::chrono_literals;

// The port's waits need an application object: one for the whole run, made here unless
// another part of the test program already made one, and gone before Qt shuts down.
class CoreApplicationEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance() == nullptr)
            app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[8] = "test_qt";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

[[maybe_unused]] const ::testing::Environment* const kCoreApp =
    ::testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

// A paced simulated radio served on a pty from a second thread.
class PtyRadio : public ::testing::Test {
  protected:
    void SetUp() override {
        test::fillPattern(radio.memory());
        ASSERT_EQ(::pipe(stopPipe_), 0);
        server_ = std::make_unique<sim::PtyServer>(radio, true);
        thread_ = std::thread([this] { server_->serve(stopPipe_[0]); });
        link.transport().setPort(server_->devicePath());
    }
    void TearDown() override { stop(); }
    // Stops the server; afterwards the radio may be inspected.
    void stop() {
        if (!thread_.joinable()) return;
        const char c = 0;
        ASSERT_EQ(::write(stopPipe_[1], &c, 1), 1);
        thread_.join();
        ::close(stopPipe_[0]);
        ::close(stopPipe_[1]);
    }

    sim::SimRadio radio;
    QtSerialPort port;
    test::ScriptedPrompts prompts;
    test::RecordingProgress progress;
    RadioLink link{port, prompts, progress};

  private:
    std::unique_ptr<sim::PtyServer> server_;
    std::thread thread_;
    int stopPipe_[2] = {-1, -1};
};

TEST_F(PtyRadio, ReadsTheGlobalBlock) {
    MemImage image{};
    image.fill(0xEE);
    ASSERT_TRUE(readGlobal(link, image));
    EXPECT_TRUE(prompts.messages.empty());
    stop();
    for (std::size_t i = 0; i < 128; ++i) ASSERT_EQ(image[i], radio.memory()[i]) << i;
    EXPECT_EQ(image[128], 0xEE);
}

TEST_F(PtyRadio, WritesOnlyTheWritableGlobalBytes) {
    const auto before = radio.memory();
    MemImage image{};
    image.fill(0xFF);
    ASSERT_TRUE(writeGlobal(link, image));
    EXPECT_TRUE(prompts.messages.empty());
    stop();
    for (std::size_t i = 0; i < kRadioMemorySize; ++i) {
        Byte expected = before[i];
        if (i == 96 || i == 97 || i == 98 || i == 111) expected = 0xFF;
        if (i == 119) expected = static_cast<Byte>(0xF9 | (before[i] & 0x06));
        ASSERT_EQ(radio.memory()[i], expected) << i;
    }
}

TEST_F(PtyRadio, SwitchesTo9600AndBack) {
    ASSERT_TRUE(link.hookRadio(true));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(link.transport().settings(), kSettings9600);
    Word w{};
    ASSERT_TRUE(link.readWord(0x1A2, w));
    EXPECT_EQ(w[0], radio.memory()[0x1A2]);
    ASSERT_TRUE(link.setBaud(0));
    ASSERT_TRUE(link.readWord(0x1A2, w));
    EXPECT_EQ(w[1], radio.memory()[0x1A3]);
    link.endSession();
    stop();
    EXPECT_EQ(radio.baud(), 4800);
    // The radio saw the probe at 9600, then the switch back.
    bool probeAt9600 = false;
    for (const auto& e : radio.transcript().entries())
        if (e.note == "probe" && e.senderBaud == 9600 && e.receiverBaud == 9600) probeAt9600 = true;
    EXPECT_TRUE(probeAt9600);
}

// Closing the port restores the terminal's old speed at once, usually before the server
// has taken the last bytes; they must still count at the speed they were sent at. So the
// read program at 9600 sees its closing 0xFF and the next connection hooks at its first
// try, and a release at 9600 reaches a radio at 9600.
TEST_F(PtyRadio, TheLastBytesBeforeCloseKeepTheirSpeed) {
    for (std::size_t i = 81; i < 88; ++i) radio.memory()[i] = 0;  // segment 0 only
    MemImage image{};
    ASSERT_TRUE(readRadio(link, image));
    ASSERT_TRUE(readGlobal(link, image));
    ASSERT_TRUE(link.hookRadio(true));
    link.endSession();
    EXPECT_TRUE(prompts.messages.empty());
    std::this_thread::sleep_for(50ms);  // the release byte's line time
    stop();

    bool programEnded = false;
    bool releasedAt9600 = false;
    const std::vector<Byte> sent = radio.transcript().hostBytes();
    for (const auto& e : radio.transcript().entries()) {
        if (e.direction != sim::Direction::HostToRadio) continue;
        if (e.note == "end of read program" && e.senderBaud == 9600) programEnded = true;
        releasedAt9600 = e.note == "release" && e.senderBaud == 9600 && e.receiverBaud == 9600;
    }
    EXPECT_TRUE(programEnded);
    EXPECT_TRUE(releasedAt9600);
    const std::vector<Byte> hook{0x0A, 0x14, 0x28};
    int hookAttempts = 0;
    for (auto it = sent.begin();
         (it = std::search(it, sent.end(), hook.begin(), hook.end())) != sent.end(); ++it)
        ++hookAttempts;
    EXPECT_EQ(hookAttempts, 3);
}

TEST_F(PtyRadio, AReceiveTimesOutAfterHalfASecondWithoutSpinning) {
    ASSERT_TRUE(link.transport().openPort());
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpuStart = std::clock();
    Byte b = 0;
    EXPECT_FALSE(link.transport().receiveByte(b));
    const auto elapsed = std::chrono::milliseconds(wall.elapsed());
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    EXPECT_GE(elapsed, 500ms);
    EXPECT_LT(elapsed, 600ms);
    EXPECT_LT(cpuSeconds, 0.1);

    wall.restart();
    link.transport().delay(30);
    EXPECT_GE(wall.nsecsElapsed(), 30'000'000);
    EXPECT_LT(wall.nsecsElapsed(), 45'000'000);
}

TEST_F(PtyRadio, ASecondOpenOfTheSameDeviceIsRefused) {
    ASSERT_TRUE(link.transport().openPort());
    QtSerialPort other;
    test::ScriptedPrompts otherPrompts;
    test::RecordingProgress otherProgress;
    RadioLink second(other, otherPrompts, otherProgress);
    second.transport().setPort(link.transport().port());
    EXPECT_FALSE(second.hookRadio(false));
    EXPECT_EQ(otherPrompts.texts(), std::vector<std::string>{"Unable to open Comm Port"});
    // The first connection is unaffected.
    ASSERT_TRUE(link.hookRadio(false));
    link.endSession();
}

TEST(QtSerialPortOpen, AMissingDeviceNamesTheDeviceAndTheReason) {
    QtSerialPort port;
    test::ScriptedPrompts prompts;
    test::RecordingProgress progress;
    RadioLink link(port, prompts, progress);
    link.transport().setPort("/dev/zav-no-such-port");
    EXPECT_FALSE(link.hookRadio(false));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].title, "COMM ERROR");
    EXPECT_NE(prompts.messages[0].detail.find("/dev/zav-no-such-port"), std::string::npos);
    EXPECT_TRUE(link.transport().portError());
}

TEST(QtSerialPortOpen, APermissionProblemExplainsTheSerialPortGroup) {
    const auto text = openFailureReason("/dev/zav-no-such-port", QSerialPort::PermissionError,
                                        "Permission denied");
    EXPECT_NE(text.find("Permission denied"), std::string::npos);
    EXPECT_NE(text.find("dialout"), std::string::npos);
    // A device the user can open but another program holds needs no hint.
    EXPECT_EQ(openFailureReason("/dev/null", QSerialPort::PermissionError, "locked"), "locked");
}

}  // namespace
}  // namespace zav
