// Block reads and writes: the frames, the progress bar, Cancel, the masks and the range.

#include <gtest/gtest.h>

#include "transfer_fixture.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::SimLink;

TEST(readBlock, ReadsItsWordsIntoTheImageWithTheBar) {
    for (const int first : {0, 1920}) {  // the first block and the last
        SimLink s;
        test::fillPattern(s.radio.memory());
        ASSERT_TRUE(s.hook());
        MemImage image{};
        image.fill(0xEE);
        ASSERT_TRUE(s.link.readBlock(image, first, 128));
        Bytes expected;
        for (int a = first; a < first + 128; a += 2)
            expected.insert(expected.end(),
                            {static_cast<Byte>(0xE1 + 2 * (a >> 8)), static_cast<Byte>(a)});
        EXPECT_EQ(s.sent(), expected);
        for (std::size_t i = 0; i < image.size(); ++i) {
            const bool inBlock = i >= static_cast<std::size_t>(first) && i < first + 128u;
            ASSERT_EQ(image[i], inBlock ? s.radio.memory()[i] : 0xEE) << i;
        }
        // The bar over the block's addresses; a pause before the first word.
        const test::Texts bar{"min 0", "max 30000", "min " + std::to_string(first),
                              "max " + std::to_string(first + 128)};
        EXPECT_EQ(std::tuple(s.progress.barCalls, s.progress.values.back(),
                             s.progress.values.size(), s.progress.lastValueShown,
                             s.progress.enableCancelCalls, s.port.blockingSleeps()),
                  std::tuple(bar, first + 128, 64U, true, 1, std::vector<sim::SimTime>{500ms}));
    }
}

// A read word takes two waits; a write confirms the line quiet after its pause in one,
// then a written word (unmasked) takes one: Cancel during the eleventh read word's first
// wait, or the second written word's, ends the block after that word.
// (A missing byte fails the operation: tests/ops.)
TEST(Blocks, CancelStopsBeforeTheNextFrame) {
    for (const auto& [read, cancelAt, bytesSent] : {std::tuple{true, 21, 22u}, {false, 4, 8u}}) {
        SimLink s;
        ASSERT_TRUE(s.hook());
        int passes = 0;
        s.port.setOnYield([&, at = cancelAt] {
            if (++passes == at) s.progress.pressCancel();
        });
        MemImage image{};
        EXPECT_FALSE(read ? s.link.readBlock(image, 0, 128) : s.link.writeBlock(image, 128, 128));
        s.settle();
        EXPECT_EQ(s.sent().size(), bytesSent);
    }
}

// An empty block is no fault, even at the memory's end.
TEST(Blocks, OutsideTheRadioMemoryAreRefusedBeforeTheLine) {
    for (const auto& [first, n, ok] : {std::tuple{2048 - 64, 128, false},
                                       {2048 - 126, 128, false},
                                       {-2, 4, false},
                                       {0, -2, false},
                                       {2048, 0, true}}) {
        SimLink s;
        MemImage image{};
        EXPECT_EQ(s.link.readBlock(image, first, n), ok) << first;
        EXPECT_EQ(s.link.writeBlock(image, first, n), ok) << first;
        EXPECT_EQ(s.port.opens(), 0);
    }
}

TEST(writeBlock, SendsOnlyTheWritableWordsAndReadsPartialOnesFirst) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    const auto m = s.radio.memory();
    ASSERT_TRUE(s.hook());
    MemImage image{};
    image.fill(0xAA);
    ASSERT_TRUE(s.link.writeBlock(image, 0, 256));
    s.settle();
    // The words the masks split are read first, then every writable word is written.
    const Bytes global{0xE1, 0x62, 0xE1,   0x6E,
                       0xE1, 0x76,                 // reads
                       0xE0, 0x60, 0xAA,   0xAA,   // 96
                       0xE0, 0x62, 0xAA,   m[99],  // 98
                       0xE0, 0x6E, m[110], 0xAA,   // 110
                       0xE0, 0x76, m[118], static_cast<Byte>((0xAA & 0xF9) | (m[119] & 0x06))};
    const Bytes sent = s.sent();
    EXPECT_EQ(Bytes(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(global.size())),
              global);
    EXPECT_EQ(sent.size(), global.size() + 60u * 4);  // group 1 skips its four reserved words
    test::expectMaskedWrite(m, s.radio.memory(), image, {0, 1});
    // Every word counts on the bar, written or not.
    EXPECT_EQ(
        std::tuple(s.progress.values.size(), s.progress.values.back(), s.port.blockingSleeps()),
        std::tuple(1U + 128, 254, std::vector<sim::SimTime>{500ms}));  // before a word
}

}  // namespace
}  // namespace zav
