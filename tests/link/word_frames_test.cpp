// Word reads and writes, the write masks, RAM writes, execute and release.

#include <gtest/gtest.h>

#include "transfer_fixture.h"

namespace zav {
namespace {

using test::Bytes;
using test::SimLink;

// The segment command and the even low byte. (A byte that does not come: tests/ops.)
TEST(readWord, SendsTheSegmentCommandAndTheEvenLowByte) {
    const std::pair<int, Bytes> cases[] = {
        {0x1A3, {0xE3, 0xA2}}, {0x000, {0xE1, 0x00}}, {0x0FF, {0xE1, 0xFE}}, {0x7FE, {0xEF, 0xFE}}};
    for (const auto& [address, frame] : cases) {
        SimLink s;
        test::fillPattern(s.radio.memory());
        ASSERT_TRUE(s.hook());
        Byte v = 0;
        ASSERT_TRUE(s.link.readByteAt(address, v));
        EXPECT_EQ(s.sent(), frame);
        EXPECT_EQ(v, s.radio.memory()[static_cast<std::size_t>(address)]);
    }
}

// Masked writes: what goes on the line and what the radio holds afterwards.
constexpr Byte kX = 0xA5;
constexpr Byte kY = 0x5A;
constexpr Byte kOld0 = 0xC3;
constexpr Byte kOld1 = 0x3C;
constexpr Byte kMerged119 = static_cast<Byte>((kY & 0xF9) | (kOld1 & 0x06));

TEST(writeWord, FollowsTheMasks) {
    struct Case {
        int address;
        bool useMask;
        Bytes frames;
        Byte radio0;
        Byte radio1;
    };
    const Case cases[] = {
        {96, true, {0xE0, 0x60, kX, kY}, kX, kY},  // password: fully writable
        {100, true, {}, kOld0, kOld1},             // protected: nothing sent
        {119, true, {0xE1, 0x76, 0xE0, 0x76, kOld0, kMerged119}, kOld0, kMerged119},
        {110, true, {0xE1, 0x6E, 0xE0, 0x6E, kOld0, kY}, kOld0, kY},
        {0x28E, true, {}, kOld0, kOld1},  // a group's reserved header
        {0x286, true, {0xE4, 0x86, kX, kY}, kX, kY},
        {0x288, false, {0xE4, 0x88, kX, kY}, kX, kY},  // unmasked writes anything
    };
    for (const auto& c : cases) {
        SimLink s;
        const auto a = static_cast<std::size_t>(c.address & 0x7FE);
        s.radio.memory()[a] = kOld0;
        s.radio.memory()[a + 1] = kOld1;
        ASSERT_TRUE(s.hook());
        EXPECT_TRUE(s.link.writeWord(c.address, kX, kY, c.useMask));
        s.settle();
        EXPECT_EQ(s.sent(), c.frames) << c.address;
        EXPECT_EQ(s.radio.memory()[a], c.radio0) << c.address;
        EXPECT_EQ(s.radio.memory()[a + 1], c.radio1) << c.address;
    }
}

TEST(writeWord, AFailedReadOrEchoFailsTheWordWithoutUnmergedBytes) {
    const sim::SimFaults faults[] = {
        test::fault(&sim::SimFaults::stopAfter, 1), test::fault(&sim::SimFaults::stopAfter, 2),
        test::fault(&sim::SimFaults::dropOutput, 3), test::fault(&sim::SimFaults::wrongEcho, 1),
        test::fault(&sim::SimFaults::wrongEcho, 2)};
    for (const auto& f : faults) {
        SimLink s(test::withFaults(f));
        s.radio.memory()[0x300] = kOld0;
        ASSERT_TRUE(s.hook());
        EXPECT_FALSE(s.link.writeWord(0x300, 1, 2, true));
    }
    SimLink s(test::withFaults(test::fault(&sim::SimFaults::stopAfter, 1)));
    s.radio.memory()[119] = kOld1;
    ASSERT_TRUE(s.hook());
    EXPECT_FALSE(s.link.writeWord(118, kX, kY, true));
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0xE1, 0x76}));
    EXPECT_EQ(s.radio.memory()[119], kOld1);
}

TEST(writeByte, ReadsTheWordAndWritesItBackWithOneByteChanged) {
    SimLink s;
    s.radio.memory()[0x300] = 0x11;
    ASSERT_TRUE(s.hook());
    EXPECT_TRUE(s.link.writeByteAt(0x301, 0x99));
    EXPECT_TRUE(s.link.writeByteAt(98, 0x42));  // a partial mask reads the word twice
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0xE7, 0x00, 0xE6, 0x00, 0x11, 0x99, 0xE1, 0x62, 0xE1, 0x62, 0xE0,
                               0x62, 0x42, 0x00}));
    EXPECT_EQ(s.radio.memory()[0x301], 0x99);
    // A word read out of step (its last byte came twice) is not written back.
    SimLink doubled(test::withFaults(test::fault(&sim::SimFaults::sentTwice, 3)));
    ASSERT_TRUE(doubled.hook());
    EXPECT_FALSE(doubled.link.writeByteAt(0x301, 0x99));
    doubled.settle();
    EXPECT_EQ(doubled.sent(), (Bytes{0xE7, 0x00}));
}

TEST(pokeRam, WritesRamAndChecksEveryEcho) {
    SimLink s(test::faulty(&sim::SimFaults::wrongEcho, 3));
    ASSERT_TRUE(s.hook());
    EXPECT_TRUE(s.link.pokeRam(0x62, 0xAE));
    EXPECT_EQ(s.sent(), (Bytes{0xD0, 0x00, 0x62, 0xAE}));
    EXPECT_EQ(s.radio.ram()[0x62], 0xAE);
    const Bytes block{0x10, 0x20, 0x30, 0x40};
    EXPECT_FALSE(s.link.pokeBlock(0x60, block));  // its second byte's echo is wrong
    s.settle();
    EXPECT_EQ(s.sent().size(), 4u + 8);
    EXPECT_TRUE(s.link.pokeBlock(0x70, block));
    EXPECT_EQ(s.radio.ram()[0x73], 0x40);
    s.radio.config().faults.silent = true;
    EXPECT_FALSE(s.link.pokeRam(0x60, 0x5A));
}

TEST(executeAt, SendsTheFrameAndAwaitsNothing) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    const auto start = s.now();
    s.link.executeAt(0x60);
    EXPECT_EQ(s.now(), start);
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0xF0, 0x00, 0x60}));
    Word w{};
    EXPECT_FALSE(s.link.readWord(0, w));  // nothing was loaded there
}

TEST(endSession, ReleasesTheRadioAndRestoresTheWindows) {
    SimLink s;
    s.link.releaseRadio();  // on a closed port: opens, sends, closes
    s.settle();
    EXPECT_EQ(s.port.opens(), 1);
    EXPECT_EQ(s.port.closes(), 1);
    ASSERT_TRUE(s.hook());
    s.progress.barVisible = true;
    s.progress.mainWindowEnabled = false;
    s.link.endSession();
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0x01}));
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_TRUE(s.progress.mainWindowEnabled);
    EXPECT_FALSE(s.progress.barVisible);
    ASSERT_TRUE(s.link.transport().openPort());
    Word w{};
    EXPECT_FALSE(s.link.readWord(0, w));  // unhooked
}

}  // namespace
}  // namespace zav
