// Opening the port, its error message, device names for port numbers, line settings.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "link/port_devices.h"
#include "link/radio_read.h"
#include "link/trace_port.h"
#include "support/sim_link.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

using test::SimLink;

TEST(openPort, AnOpenPortIsNotReopenedAndKeepsItsSettings) {
    SimLink s;
    Transport& t = s.link.transport();
    ASSERT_TRUE(t.openPort());
    ASSERT_TRUE(t.setSettings(kSettings9600));
    EXPECT_FALSE(t.setSettings("9600"));  // a refused text keeps the current one
    EXPECT_TRUE(t.openPort());
    EXPECT_EQ(std::tuple(s.port.opens(), s.port.baud()), std::tuple(1, 9600));
    EXPECT_EQ(t.settings(), kSettings9600);
    EXPECT_TRUE(s.prompts.messages.empty());
}

TEST(openPort, AFailedOpenShowsTheMessageWithDeviceAndReasonAndSetsPortError) {
    SimLink s({}, {.failingDevices = {{"/dev/ttyS1", "Permission denied"}}});
    Transport& t = s.link.transport();
    t.setPort("2");
    EXPECT_FALSE(t.openPort());
    EXPECT_TRUE(t.portError());
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    const Message& m = s.prompts.messages[0];
    EXPECT_EQ(std::tie(m.text, m.title, m.buttons, m.icon),
              std::tuple("Unable to open Comm Port", "COMM ERROR", Buttons::Ok, Icon::None));
    EXPECT_EQ(m.detail, "Device: /dev/ttyS1\nPermission denied");
    // The next open starts by clearing the flag.
    t.setPort("1");
    EXPECT_TRUE(t.openPort());
    EXPECT_FALSE(t.portError());
}

TEST(PortDevices, NumbersMapToDevicesAndPathsPassThrough) {
    MemorySettingsStore store;
    store.write("Comm", "Device3", "/dev/ttyUSB0");
    const std::pair<const char*, const char*> cases[] = {
        {"1", "/dev/ttyS0"}, {"3", "/dev/ttyUSB0"},
        {"4", "/dev/ttyS3"}, {"/dev/pts/7", "/dev/pts/7"},
        {"0", "0"},          {"5", "5"}};
    for (const auto& [port, device] : cases) EXPECT_EQ(resolvePortDevice(port, &store), device);
    EXPECT_EQ(resolvePortDevice("4", nullptr), "/dev/ttyS3");  // without a store, the defaults
    EXPECT_FALSE(portNumber("/dev/ttyS0"));
    EXPECT_EQ(portNumber("1"), 1);
}

TEST(LineSettingsText, ParsesAndPrintsTheTwoRatesAndRefusesOtherTexts) {
    const auto fast = parseLineSettings(kSettings9600);
    ASSERT_TRUE(fast);
    EXPECT_EQ(std::tuple(fast->baud, fast->parity), std::tuple(9600, Parity::None));
    EXPECT_EQ(lineSettingsText(*fast), kSettings9600);
    // A port not yet set up is at the rate every connection opens at.
    EXPECT_EQ(parseLineSettings(kSettings4800), LineSettings{});
    const std::pair<const char*, Parity> parities[] = {
        {"4800,o,8,1", Parity::Odd},  {"4800,O,7,2", Parity::Odd},  {"2400,e,5,1", Parity::Even},
        {"4800,E,8,1", Parity::Even}, {"4800,N,6,2", Parity::None}, {"4800,n,8,1", Parity::None}};
    for (const auto& [text, parity] : parities) {
        const auto settings = parseLineSettings(text);
        ASSERT_TRUE(settings) << text;
        EXPECT_EQ(settings->parity, parity) << text;
    }
    for (const char* bad : {"", "4800", "4800,n,8", "4800,x,8,1", "fast,n,8,1", "4800,n,9,1",
                            "4800,n,4,1", "4800,n,x,1", "4800,n,8,3", "4800,n,8,0", "4800,n,8,x",
                            "-1,n,8,1", "0,n,8,1", "4800,n,8,1,"})
        EXPECT_FALSE(parseLineSettings(bad)) << bad;
}

// The trace holds each direction's bytes in order with the line speed of their sender
// (the host) or receiver (the radio), and tracing changes nothing on the line.
TEST(TracePort, HoldsEveryByteOfAReadWithItsSpeedAndChangesNothing) {
    test::TempDir dir;
    SimLink plain, traced;
    TracePort trace(traced.port);
    RadioLink link(trace, traced.prompts, traced.progress, &traced.settings);
    ASSERT_TRUE(trace.startTrace(dir.file("first.txt")));
    ASSERT_TRUE(trace.startTrace(dir.file("trace.txt")));  // ends the first
    MemImage image{}, tracedImage{};
    ASSERT_TRUE(readRadio(plain.link, image));
    ASSERT_TRUE(readRadio(link, tracedImage));
    trace.stopTrace();
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
    EXPECT_EQ(tracedSent.str(), sent.str());
    EXPECT_EQ(tracedReceived.str(), received.str());
    EXPECT_EQ(speedNotes, 1);
    EXPECT_GT(opened, 0);
    EXPECT_EQ(closed, opened);
}

}  // namespace
}  // namespace zav
