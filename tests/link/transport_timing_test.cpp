// The transport's wait loops on the virtual clock: exact times of the 0.5 s limits, the
// pass that runs past the limit, waits under a stream of other bytes. (Delay's times show
// in the speed switch and the label frames.)

#include <gtest/gtest.h>

#include "sim/resident_firmware.h"
#include "support/sim_link.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using sim::byteTime;
using test::SimLink;

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

class ReceiveArrival : public ::testing::TestWithParam<ArrivalCase> {};

TEST_P(ReceiveArrival, ByteInThePassThatPassesTheLimitIsStillTaken) {
    const ArrivalCase c = GetParam();
    SimLink s({}, {.timerSlack = c.slack});
    if (c.passCost.count() > 0) s.port.setOnYield([&] { s.port.advance(s.now() + c.passCost); });
    // Two byte times on the line (trigger and reply); the rest is the radio's delay.
    s.radio.config().faults.replyDelay = c.at - 2 * byteTime(4800);
    const auto start = s.now();
    Transport& t = trigger(s, {0xC3});
    Byte b = 0;
    EXPECT_EQ(c.waitFor ? t.waitForByte(0xC3) : t.receiveByte(b), c.taken);
    EXPECT_EQ(s.now() - start, c.returnsAt);
    if (c.taken && !c.waitFor) {
        EXPECT_EQ(b, 0xC3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Times, ReceiveArrival,
    ::testing::Values(ArrivalCase{10ms, true, 10ms}, ArrivalCase{500ms, true, 500ms},
                      // Arrives after the limit but before the pass that passes it ends.
                      ArrivalCase{500500us, true, 500500us}, ArrivalCase{501us * 1000, true, 501ms},
                      ArrivalCase{501500us, false, 501ms}, ArrivalCase{10s, false, 501ms},
                      // A pass that ends exactly at the limit has not passed it: one more.
                      ArrivalCase{500050us, true, 500100us, 0ms, 100us},
                      ArrivalCase{500ms, true, 500ms, 0ms, 0us, true}));

TEST(TransportTiming, WaitForByteUnderAStreamOfOtherBytesGivesUpAfterTheLimit) {
    SimLink s;
    const auto start = s.now();
    Transport& t = trigger(s, std::vector<Byte>(400, 0x55));  // 833 ms of 0x55 at 4800 baud
    EXPECT_FALSE(t.waitForByte(0x41));
    EXPECT_EQ(s.now() - start, 501ms);
    // Every byte that arrived was consumed, one per pass.
    const auto arrived = (501ms - byteTime(4800)) / byteTime(4800);
    EXPECT_EQ(t.bytesWaiting(), 0);
    EXPECT_GE(s.port.yields(), arrived);
}

TEST(TransportTiming, WaitForByteTakesTheFirstMatchAfterOthers) {
    SimLink s;
    const auto start = s.now();
    Transport& t = trigger(s, {0x55, 0x56, 0x41, 0x57});
    EXPECT_TRUE(t.waitForByte(0x41));
    EXPECT_EQ(s.now() - start, 4 * byteTime(4800));  // trigger, then three bytes back
    Byte b = 0;
    EXPECT_TRUE(t.receiveByte(b));
    EXPECT_EQ(b, 0x57);
}

// On a timer that ends exactly at its deadline, a pause and a quiet check end there too;
// what came during the pause is dropped by a discard.
TEST(TransportTiming, PausesAndQuietChecksEndAtTheirTimeAndDiscardDropsTheInput) {
    SimLink s({}, {.timerSlack = 0ms});
    auto start = s.now();
    Transport& t = trigger(s, {1, 2, 3});
    t.delay(20);
    EXPECT_EQ(s.now() - start, 20ms);
    EXPECT_EQ(t.bytesWaiting(), 3);
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
