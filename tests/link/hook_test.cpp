// Hooking the radio and the speed switch.

#include <gtest/gtest.h>

#include <algorithm>

#include "link/port_devices.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::SimLink;

std::vector<Byte> hookAttempts(int n) {
    std::vector<Byte> attempt(10, 0x00);
    attempt.insert(attempt.end(), {0x0A, 0x14, 0x28});
    std::vector<Byte> all;
    for (int i = 0; i < n; ++i) all.insert(all.end(), attempt.begin(), attempt.end());
    return all;
}

// Replies 0x24..0x2F hook the radio; anything else is refused at once with the question.
// Every hook starts at 4800 baud, whatever the last connection left.
TEST(Hook, OneAttemptThenAcceptedOrRefused) {
    const std::pair<int, bool> cases[] = {{0x24, true},  {0x2F, true},  {0x2A, true}, {0x23, false},
                                          {0x30, false}, {0x14, false}, {0x00, false}};
    for (const auto& [reply, accepted] : cases) {
        sim::SimConfig config;
        config.hookReply = static_cast<Byte>(reply);
        SimLink s(config);
        ASSERT_TRUE(s.link.transport().setSettings(kSettings9600));
        EXPECT_EQ(s.link.hookRadio(LineSpeed::Baud4800), accepted) << reply;
        // Cancel leaves the port open for the caller's release.
        EXPECT_EQ(std::tuple(s.link.hookReply(), s.sent(), s.port.baud(),
                             s.link.transport().isOpen(), s.prompts.messages.empty()),
                  std::tuple(reply, hookAttempts(1), 4800, true, accepted))
            << reply;
        if (accepted) continue;
        ASSERT_EQ(s.prompts.texts(), std::vector<std::string>{"Error Hooking to Radio."});
        const Message& m = s.prompts.messages[0];
        EXPECT_EQ(
            std::tie(m.title, m.detail, m.buttons),
            std::tuple("COMM ERROR", "Device: " + defaultPortDevice(1), Buttons::RetryCancel));
    }
}

// Each question follows four attempts; Retry makes more on the port still open, and hooks
// a radio that has come back.
TEST(Hook, ASilentRadioGetsFourAttemptsThenTheQuestion) {
    for (const bool comesBack : {false, true}) {
        SimLink s({.faults = {.silent = true}});
        if (comesBack) s.prompts.queueAnswer(Answer::Retry);
        s.port.setOnYield([&] {
            if (comesBack && !s.prompts.messages.empty()) s.radio.config().faults.silent = false;
        });
        EXPECT_EQ(s.link.hookRadio(LineSpeed::Baud4800), comesBack);
        s.settle();
        EXPECT_EQ(
            std::tuple(s.sent(), s.link.hookReply(), s.prompts.messages.size(), s.port.opens()),
            std::tuple(hookAttempts(comesBack ? 5 : 4), comesBack ? 0x24 : 0, 1U, 1));
        // Four receives of 0.5 s each, plus the pass that notices the limit; before each
        // further attempt the line stays quiet for 0.1 s (a late answer would be dropped).
        if (!comesBack) EXPECT_EQ(s.now(), 4 * 501ms + 3 * 101ms + 50ms);
    }
}

// The switch moves both ends to 9600 baud and back, taking its pauses in order.
TEST(setBaud, HookWithSwitchMovesBothEndsTo9600AndBack) {
    SimLink s;
    ASSERT_TRUE(s.link.hookRadio(LineSpeed::Baud9600));
    EXPECT_EQ(std::tuple(s.port.baud(), s.radio.baud(), s.link.transport().settings(),
                         s.prompts.messages.size()),
              std::tuple(9600, 9600, kSettings9600, 0U));
    // The register write, then the probe at the new speed.
    const auto sent = s.sent();
    const std::vector<Byte> tail(sent.end() - 5, sent.end());
    EXPECT_EQ(tail, (std::vector<Byte>{0xD0, 0x00, 0x0D, 0x30, 0x28}));

    // Reads work at the new speed, and the switch back works too.
    Word w{};
    s.radio.memory()[0x10] = 0x99;
    EXPECT_TRUE(s.link.readWord(0x10, w));
    EXPECT_EQ(w[0], 0x99);
    EXPECT_TRUE(s.link.setBaud(LineSpeed::Baud4800));
    EXPECT_EQ(std::tuple(s.port.baud(), s.radio.baud()), std::tuple(4800, 4800));
    EXPECT_TRUE(s.link.readWord(0x10, w));
    EXPECT_EQ(w[0], 0x99);
    const auto start = s.now();
    ASSERT_TRUE(s.link.setBaud(LineSpeed::Baud9600));
    // 150 + 30 + 25 + 10 + 10 ms of delays (each 1 ms late), one 25 ms pause after the
    // garbled echo is drained, then the probe and its reply at 9600.
    const auto delays = 151ms + 31ms + 26ms + 11ms + 11ms + 26ms;
    EXPECT_EQ(s.now() - start, delays + 2 * sim::byteTime(9600));
}

}  // namespace
}  // namespace zav
