// Block reads and writes: the frames, the progress bar, Cancel and the masks.

#include <gtest/gtest.h>

#include "support/sim_link.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::SimLink;
using Bytes = std::vector<Byte>;

TEST(readBlock, ReadsSixtyFourWordsIntoTheImage) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    ASSERT_TRUE(s.hook());
    MemImage image{};
    image.fill(0xEE);
    ASSERT_TRUE(s.link.readBlock(image, 0, 128));

    Bytes expected;
    for (int a = 0; a < 128; a += 2) expected.insert(expected.end(), {0xE1, static_cast<Byte>(a)});
    EXPECT_EQ(s.sent(), expected);
    for (std::size_t i = 0; i < 128; ++i) EXPECT_EQ(image[i], s.radio.memory()[i]) << i;
    EXPECT_EQ(image[128], 0xEE);

    EXPECT_EQ(s.progress.barCalls,
              (std::vector<std::string>{"min 0", "max 30000", "min 0", "max 128"}));
    EXPECT_EQ(s.progress.values.back(), 128);
    EXPECT_EQ(s.progress.values.size(), 64u);
    EXPECT_TRUE(s.progress.barVisible);
    EXPECT_EQ(s.progress.enableCancelCalls, 1);
    EXPECT_EQ(s.port.blockingSleeps(), std::vector<sim::SimTime>{500ms});
}

TEST(readBlock, AGroupBlockReadsItsOwnSegment) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    ASSERT_TRUE(s.hook());
    MemImage image{};
    ASSERT_TRUE(s.link.readBlock(image, 640, 128));
    const auto sent = s.sent();
    EXPECT_EQ((Bytes{sent[0], sent[1]}), (Bytes{0xE5, 0x80}));
    EXPECT_EQ((Bytes{sent[126], sent[127]}), (Bytes{0xE5, 0xFE}));
    EXPECT_EQ(image[767], s.radio.memory()[767]);
    EXPECT_EQ(image[639], 0);
    EXPECT_EQ(s.progress.barCalls[2], "min 640");
    EXPECT_EQ(s.progress.barCalls[3], "max 768");
}

TEST(readBlock, CancelStopsBeforeTheNextFrame) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    int passes = 0;
    s.port.setOnYield([&] {
        if (++passes == 21) s.progress.pressCancel();
    });
    MemImage image{};
    EXPECT_FALSE(s.link.readBlock(image, 0, 128));
    s.settle();
    // Each word takes two waits; the cancel comes during the eleventh word's first one.
    EXPECT_EQ(s.sent().size(), 2u * 11);
}

TEST(readBlock, AMissingByteEndsTheBlockAndKeepsWhatCame) {
    sim::SimConfig c;
    c.faults.stopAfter = 1 + 20;  // hook reply, then ten words
    SimLink s(c);
    test::fillPattern(s.radio.memory());
    ASSERT_TRUE(s.hook());
    MemImage image{};
    EXPECT_FALSE(s.link.readBlock(image, 0, 128));
    EXPECT_EQ(image[19], s.radio.memory()[19]);
    EXPECT_EQ(image[20], 0);
}

TEST(readBlock, ABlockOutsideTheRadioMemoryIsRefused) {
    SimLink s;
    MemImage image{};
    EXPECT_FALSE(s.link.readBlock(image, 2048 - 64, 128));
    EXPECT_FALSE(s.link.readBlock(image, -2, 4));
    EXPECT_EQ(s.port.opens(), 0);
}

TEST(writeBlock, TheGlobalBlockTouchesOnlyTheWritableBits) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    const auto before = s.radio.memory();
    ASSERT_TRUE(s.hook());
    MemImage image{};
    image.fill(0xAA);
    ASSERT_TRUE(s.link.writeBlock(image, 0, 128));
    s.settle();

    // Frames only for the words at 96, 98, 110 and 118; partial masks read first.
    const auto& m = before;
    const Bytes expected{
        0xE0, 0x60, 0xAA, 0xAA,                                                               // 96
        0xE1, 0x62, 0xE0, 0x62, 0xAA,   m[99],                                                // 98
        0xE1, 0x6E, 0xE0, 0x6E, m[110], 0xAA,                                                 // 110
        0xE1, 0x76, 0xE0, 0x76, m[118], static_cast<Byte>((0xAA & 0xF9) | (m[119] & 0x06))};  // 118
    EXPECT_EQ(s.sent(), expected);
    for (std::size_t i = 0; i < kRadioMemorySize; ++i) {
        const Byte mask = i < 128 ? RadioLink::masks().global[i] : 0;
        EXPECT_EQ(s.radio.memory()[i], static_cast<Byte>((0xAA & mask) | (before[i] & ~mask))) << i;
    }
    // Every word counts on the bar, written or not.
    EXPECT_EQ(s.progress.values.size(), 1u + 64);
    EXPECT_EQ(s.progress.values.front(), 0);
    EXPECT_EQ(s.progress.values.back(), 126);
}

TEST(writeBlock, AGroupBlockSkipsItsReservedBytes) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    const auto before = s.radio.memory();
    ASSERT_TRUE(s.hook());
    MemImage image{};
    image.fill(0x5C);
    ASSERT_TRUE(s.link.writeBlock(image, 3 * 128, 128));
    s.settle();
    EXPECT_EQ(s.sent().size(), 60u * 4);
    for (std::size_t i = 384; i < 512; ++i) {
        const bool reserved = (i & 127) >= 8 && (i & 127) < 16;
        EXPECT_EQ(s.radio.memory()[i], reserved ? before[i] : 0x5C) << i;
    }
    EXPECT_EQ(s.radio.memory()[383], before[383]);
    EXPECT_EQ(s.radio.memory()[512], before[512]);
}

TEST(writeBlock, CancelStopsBeforeTheNextWord) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    int passes = 0;
    s.port.setOnYield([&] {
        if (++passes == 3) s.progress.pressCancel();
    });
    MemImage image{};
    EXPECT_FALSE(s.link.writeBlock(image, 128, 128));
    s.settle();
    EXPECT_EQ(s.sent().size(), 2u * 4);  // the second word was the last one sent
}

}  // namespace
}  // namespace zav
