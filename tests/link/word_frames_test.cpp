// Word reads and writes, the kept bits' read, RAM writes, execute and release.

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

// Word writes.
constexpr Byte kX = 0xA5;
constexpr Byte kY = 0x5A;

TEST(writeWord, SendsTheWholeWordAndChecksItsEcho) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    EXPECT_TRUE(s.link.writeWord(0x289, kX, kY));  // an odd address writes its word
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0xE4, 0x88, kX, kY}));
    EXPECT_EQ(s.radio.memory()[0x288], kX);
    EXPECT_EQ(s.radio.memory()[0x289], kY);
    const sim::SimFaults faults[] = {
        test::fault(&sim::SimFaults::stopAfter, 1), test::fault(&sim::SimFaults::stopAfter, 2),
        test::fault(&sim::SimFaults::dropOutput, 3), test::fault(&sim::SimFaults::wrongEcho, 1),
        test::fault(&sim::SimFaults::wrongEcho, 2)};
    for (const auto& f : faults) {
        SimLink failing(test::withFaults(f));
        ASSERT_TRUE(failing.hook());
        EXPECT_FALSE(failing.link.writeWord(0x300, 1, 2));
    }
}

// A radio that stops answering fails the read of the kept bits. (Which words a masked
// write reads first and what it makes of them: writeBlock's frames in
// block_transfer_test.cpp, and the masks under random writes in radio_write_test.cpp.)
TEST(readKeptBits, FailsWhenTheRadioStopsAnswering) {
    SimLink s(test::faulty(&sim::SimFaults::stopAfter, 1));
    ASSERT_TRUE(s.hook());
    MemImage image{};
    EXPECT_FALSE(s.link.readKeptBits(image, 96, 32));
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
    // After an echo that came twice, the next write fails without sending anything.
    SimLink doubled(test::faulty(&sim::SimFaults::sentTwice, 2));
    ASSERT_TRUE(doubled.hook());
    EXPECT_TRUE(doubled.link.pokeRam(0x62, 0xAE));
    doubled.link.transport().delay(5);
    EXPECT_FALSE(doubled.link.pokeRam(0x63, 0xAF));
    doubled.settle();
    EXPECT_EQ(doubled.sent().size(), 4U);
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
