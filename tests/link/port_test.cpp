// Opening the port, its error message, device names for port numbers, line settings, the
// trace; and the transport's wait loops on the virtual clock: exact times of the 0.5 s
// limits, the pass that runs past the limit, waits under a stream of other bytes. (Delay's
// times show in the speed switch and the label frames.)

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "link/port_devices.h"
#include "link/radio_read.h"
#include "link/trace_port.h"
#include "sim/resident_firmware.h"
#include "support/sim_link.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

using test::SimLink;
using namespace std::chrono_literals;
using sim::byteTime;

TEST(openPort, AnOpenPortIsNotReopenedAndKeepsItsSettings) {
    SimLink s;
    Transport& t = s.link.transport();
    ASSERT_TRUE(t.openPort());
    ASSERT_TRUE(t.setSettings(kSettings9600));
    EXPECT_FALSE(t.setSettings("9600"));  // a refused text keeps the current one
    EXPECT_TRUE(t.openPort());
    EXPECT_EQ(std::tuple(s.port.opens(), s.port.baud(), t.settings(), s.prompts.messages.size()),
              std::tuple(1, 9600, kSettings9600, 0U));
}

TEST(openPort, AFailedOpenShowsTheMessageWithDeviceAndReasonAndSetsPortError) {
    SimLink s({}, {.failingDevices = {{defaultPortDevice(2), "Permission denied"}}});
    Transport& t = s.link.transport();
    t.setPort("2");
    EXPECT_FALSE(t.openPort());
    EXPECT_TRUE(t.portError());
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    const Message& m = s.prompts.messages[0];
    EXPECT_EQ(std::tie(m.text, m.title, m.buttons, m.icon, m.detail),
              std::tuple("Unable to open Comm Port", "COMM ERROR", Buttons::Ok, Icon::None,
                         "Device: " + defaultPortDevice(2) + "\nPermission denied"));
    // The next open starts by clearing the flag.
    t.setPort("1");
    EXPECT_TRUE(t.openPort());
    EXPECT_FALSE(t.portError());
}

TEST(PortDevices, NumbersMapToDevicesAndPathsPassThrough) {
    MemorySettingsStore store;
    store.write("Comm", "Device3", "/dev/ttyUSB0");
    store.write("Comm", "Device2", "COM12");
    using enum PortNaming;
    // clang-format off
    const std::tuple<PortNaming, const char*, const char*> cases[] = {
        {Posix, "1", "/dev/ttyS0"}, {Posix, "3", "/dev/ttyUSB0"}, {Posix, "4", "/dev/ttyS3"},
        {Posix, "/dev/pts/7", "/dev/pts/7"}, {Posix, "0", "0"}, {Posix, "5", "5"},
        {Posix, "COM12", "COM12"}, {Windows, "1", "COM1"}, {Windows, "4", "COM4"},
        {Windows, "2", R"(\\.\COM12)"}, {Windows, "COM9", "COM9"},
        {Windows, "com10", R"(\\.\com10)"}, {Windows, R"(\\.\COM20)", R"(\\.\COM20)"},
        {Windows, "COM01x", "COM01x"}, {Windows, "COM010", "COM010"}};
    // clang-format on
    for (const auto& [naming, port, device] : cases)
        EXPECT_EQ(resolvePortDevice(port, &store, naming), device) << port;
    EXPECT_EQ(resolvePortDevice("4", nullptr, Posix), "/dev/ttyS3");  // without a store
    EXPECT_EQ(std::pair(portNumber("/dev/ttyS0"), portNumber("1")),
              std::pair(std::optional<int>{}, std::optional<int>{1}));
}

TEST(LineSettingsText, ParsesAndPrintsTheTwoRatesAndRefusesOtherTexts) {
    // A port not yet set up is at the rate every connection opens at.
    // clang-format off
    const std::pair<std::string_view, LineSettings> parsed[] = {{kSettings9600, {9600}},
        {kSettings4800, {}}, {"4800,o,8,1", {4800, Parity::Odd}},
        {"4800,O,7,2", {4800, Parity::Odd, 7, 2}}, {"2400,e,5,1", {2400, Parity::Even, 5}},
        {"4800,E,8,1", {4800, Parity::Even}}, {"4800,N,6,2", {4800, Parity::None, 6, 2}},
        {"4800,n,8,1", {}}};
    // clang-format on
    for (const auto& [text, settings] : parsed)
        EXPECT_EQ(parseLineSettings(text), settings) << text;
    EXPECT_EQ(lineSettingsText(LineSettings{9600}), kSettings9600);
    for (const char* bad : {"", "4800", "4800,n,8", "4800,x,8,1", "fast,n,8,1", "4800,n,9,1",
                            "4800,n,4,1", "4800,n,x,1", "4800,n,8,3", "4800,n,8,0", "4800,n,8,x",
                            "-1,n,8,1", "0,n,8,1", "4800,n,8,1,", "4800,n,8x,1"})
        EXPECT_FALSE(parseLineSettings(bad)) << bad;
}

// The trace holds each direction's bytes in order with the line speed of their sender
// (the host) or receiver (the radio), and tracing changes nothing on the line.
TEST(TracePort, HoldsEveryByteOfAReadWithItsSpeedAndChangesNothing) {
    test::TempDir dir;
    SimLink plain, traced;
    TracePort trace(traced.port);
    RadioLink link(trace, traced.prompts, traced.progress, &traced.settings);
    test::writeBytes(dir.file("trace.txt"), std::vector<Byte>{'x'});  // replaced, byte and all
    const TraceHeader header{};
    ASSERT_TRUE(trace.startTrace(dir.file("first.txt"), header));
    ASSERT_TRUE(trace.startTrace(dir.file("trace.txt"), header));  // ends the first
    MemImage image{}, tracedImage{};
    ASSERT_TRUE(readRadio(plain.link, image));
    ASSERT_TRUE(readRadio(link, tracedImage));
    const std::vector<Byte> flushed = test::readBytes(dir.file("trace.txt"));  // by the close
    trace.stopTrace();
    EXPECT_EQ(test::readBytes(dir.file("trace.txt")), flushed);
    EXPECT_EQ(flushed.at(0), '#');
    plain.settle();
    traced.settle();
    EXPECT_EQ(plain.sent(), traced.sent());
    EXPECT_EQ(image, tracedImage);

    std::ostringstream sent, received, tracedSent, tracedReceived;
    for (const auto& e : traced.radio.transcript().entries()) {
        if (e.direction == sim::Direction::HostToRadio)
            sent << e.senderBaud << ' ' << int{e.sent} << '\n';
        else if (!e.lost)
            received << e.receiverBaud << ' ' << int{e.received} << '\n';
    }
    std::ifstream file(dir.file("trace.txt"));
    int speedNotes = 0, opened = 0, closed = 0;  // the read switches to 9600 baud once
    for (std::string line; std::getline(file, line);) {
        speedNotes += line.starts_with("# now 9600,") ? 1 : 0;
        opened += line.starts_with("# open ") ? 1 : 0;
        closed += line == "# closed" ? 1 : 0;
        std::istringstream fields(line);
        std::string seconds, direction;
        int baud = 0;
        unsigned value = 0;
        if (fields >> seconds >> direction >> baud >> std::hex >> value)  // not a note
            (direction == ">" ? tracedSent : tracedReceived) << baud << ' ' << value << '\n';
    }
    EXPECT_GT(sent.str().size(), 1000U);
    EXPECT_EQ(std::tuple(tracedSent.str(), tracedReceived.str(), speedNotes, closed, opened > 0),
              std::tuple(sent.str(), received.str(), 1, opened, true));
}

constexpr Byte kTrigger = 0x77;  // a test frame: the radio answers it with `reply`

// A hooked radio that answers the trigger byte with the given bytes, and a transport that
// has just sent it.
Transport& trigger(SimLink& s, std::vector<Byte> reply) {
    s.radio.returnToResident(true);
    s.radio.installFrame(kTrigger, 1, [reply](sim::SimRadio& r, std::span<const Byte>) {
        for (Byte b : reply) r.send(b);
    });
    Transport& t = s.link.transport();
    EXPECT_TRUE(t.openPort());
    t.sendByte(kTrigger);
    return t;
}

// The reply arrives `at` after the trigger was sent; the receive (or the wait for that
// byte) starts then too. A pass of the wait may end exactly at its deadline (no timer
// slack) and cost time of its own (the events handled at its start).
struct ArrivalCase {
    std::chrono::microseconds at;
    bool taken;
    std::chrono::microseconds returnsAt;
    std::chrono::microseconds slack = 1ms;
    std::chrono::microseconds passCost{0};
    bool waitFor = false;
};

TEST(TransportTiming, AByteInThePassThatPassesTheLimitIsStillTaken) {
    // From the third row on, the byte comes after the limit: the third and fourth before the
    // pass that passes it ends. The seventh: a pass that ends exactly at the limit has not
    // passed it, one more. The last waits for the byte.
    // clang-format off
    const ArrivalCase cases[] = {{10ms, true, 10ms}, {500ms, true, 500ms},
        {500500us, true, 500500us}, {501us * 1000, true, 501ms}, {501500us, false, 501ms},
        {10s, false, 501ms}, {500050us, true, 500100us, 0ms, 100us},
        {500ms, true, 500ms, 0ms, 0us, true}};
    // clang-format on
    for (const ArrivalCase& c : cases) {
        SCOPED_TRACE(c.at.count());
        SimLink s({}, {.timerSlack = c.slack});
        if (c.passCost.count() > 0)
            s.port.setOnYield([&] { s.port.advance(s.now() + c.passCost); });
        // Two byte times on the line (trigger and reply); the rest is the radio's delay.
        s.radio.config().faults.replyDelay = c.at - 2 * byteTime(4800);
        const auto start = s.now();
        Transport& t = trigger(s, {0xC3});
        Byte b = 0;
        EXPECT_EQ(c.waitFor ? t.waitForByte(0xC3) : t.receiveByte(b), c.taken);
        EXPECT_EQ(s.now() - start, c.returnsAt);
        if (c.taken && !c.waitFor) EXPECT_EQ(b, 0xC3);
    }
}

// A wait for a byte takes the first match after others and leaves what follows; under a
// stream of others (833 ms of 0x55 at 4800 baud) it gives up after the limit, every byte
// that arrived consumed, one per pass.
TEST(TransportTiming, WaitForByteSkipsOtherBytesUpToTheLimit) {
    for (const bool match : {true, false}) {
        SimLink s;
        const auto start = s.now();
        Transport& t = trigger(
            s, match ? std::vector<Byte>{0x55, 0x56, 0x41, 0x57} : std::vector<Byte>(400, 0x55));
        EXPECT_EQ(t.waitForByte(0x41), match);
        // The trigger, then three bytes back; or the limit.
        EXPECT_EQ(s.now() - start, match ? 4 * byteTime(4800) : 501ms);
        EXPECT_EQ(t.bytesWaiting(), 0);
        EXPECT_GE(s.port.yields(), match ? 0 : (501ms - byteTime(4800)) / byteTime(4800));
        Byte b = 0;
        EXPECT_TRUE(t.receiveByte(b));
        EXPECT_EQ(b, match ? 0x57 : 0x55);
    }
}

// On a timer that ends exactly at its deadline, a pause and a quiet check end there too;
// what came during the pause is dropped by a discard.
TEST(TransportTiming, PausesAndQuietChecksEndAtTheirTimeAndDiscardDropsTheInput) {
    SimLink s({}, {.timerSlack = 0ms});
    auto start = s.now();
    Transport& t = trigger(s, {1, 2, 3});
    t.delay(20);
    EXPECT_EQ(std::tuple(s.now() - start, t.bytesWaiting()), std::tuple(20ms, 3));
    const int yields = s.port.yields();
    t.delay(0);  // a pause already over still makes one pass of the wait
    EXPECT_EQ(s.port.yields(), yields + 1);
    t.discardInput();
    EXPECT_EQ(t.bytesWaiting(), 0);
    start = s.now();
    EXPECT_TRUE(t.staysQuiet(20ms));
    EXPECT_EQ(s.now() - start, 20ms);
}

// The quiet after an answer counts from the byte taken last: a wait in between shortens
// it. A byte that came during a blocking pause is seen by the check, though it was not
// yet waiting (an event-driven port takes it in only when a wait handles the port).
TEST(TransportTiming, TheQuietAfterAnAnswerCountsFromItsLastByte) {
    for (const auto& [twice, pause] : {std::pair{false, 5ms}, {true, 30ms}}) {
        SimLink s({}, {.timerSlack = 0ms});
        Transport& t = trigger(s, twice ? std::vector<Byte>{1, 1} : std::vector<Byte>{1});
        Byte b{};
        ASSERT_TRUE(t.receiveByte(b));
        const auto taken = s.now();
        t.pauseBlocking(pause);
        EXPECT_EQ(t.bytesWaiting(), 0);
        EXPECT_EQ(t.quietAfterLastByte(20ms), !twice);
        EXPECT_EQ(s.now() - taken, twice ? pause : 20ms);
    }
}

}  // namespace
}  // namespace zav
