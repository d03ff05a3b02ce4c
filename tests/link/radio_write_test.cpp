// Whole-radio writes through the write program.

#include "link/radio_write.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "link/global_transfer.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::SimLink;

int nibble(std::span<const Byte> m, int g) {
    const Byte b = m[static_cast<std::size_t>(80 + g / 2)];
    return g % 2 == 0 ? b >> 4 : b & 0x0F;
}

// Random images into radios of random contents, random status nibbles on both sides: whole
// writes with and without the global block, and group writes. A whole write takes the groups
// whose nibbles AND to exactly 8, highest first; a group write needs bit 3 of the radio's
// nibble. Exactly the bits the masks allow change. ZAV_RANDOM_WRITES sets the count.
TEST(Writes, OfRandomImagesChangeExactlyThePermittedBytes) {
    const char* count = std::getenv("ZAV_RANDOM_WRITES");
    std::mt19937 rng(19);
    for (int run = 0, runs = count != nullptr ? std::atoi(count) : 300; run < runs; ++run) {
        SCOPED_TRACE(run);
        SimLink s;
        MemImage image{};
        test::fillRandom(s.radio.memory(), static_cast<unsigned>(rng()));
        test::fillRandom(image, static_cast<unsigned>(rng()));
        for (int g = 1; g <= 15; ++g) {
            test::setNibble(s.radio.memory(), g, static_cast<int>(rng() % 16));
            test::setNibble(image, g, static_cast<int>(rng() % 16));
        }
        const sim::RadioMemory before = s.radio.memory();
        const int g = 1 + static_cast<int>(rng() % 15);
        std::vector<int> blocks;
        test::Texts notes;
        if (run % 3 == 2) {
            const bool present = (nibble(before, g) & 8) != 0;
            ASSERT_EQ(writeGroup(s.link, image, g),
                      present ? GroupTransfer::Done : GroupTransfer::Absent);
            if (present) blocks.push_back(g);
        } else {
            for (int b = 15; b >= 1; --b) {
                if ((nibble(before, b) & nibble(image, b)) != 8) continue;
                blocks.push_back(b);
                notes.push_back("block " + std::to_string(b));
            }
            ASSERT_EQ(
                writeRadio(s.link, image, run % 3 == 1 ? GlobalBlock::Skip : GlobalBlock::Write),
                blocks.empty() ? RadioWrite::NoGroupInCommon : RadioWrite::Written);
            if (run % 3 == 0) blocks.push_back(0);
            EXPECT_EQ(test::hostNotes(s.radio, "block "), notes);
        }
        test::drain(s);
        test::expectMaskedWrite(before, s.radio.memory(), image, blocks);
    }
}

TEST(writeRadio, AGroupGoesAsItsBlockCommandAndFifteenAcknowledgedRows) {
    SimLink s;
    MemImage image{};
    for (std::size_t i = 0; i < 128; ++i) image[384 + i] = static_cast<Byte>(i);
    test::setNibble(s.radio.memory(), 3, 8);
    test::setNibble(image, 3, 8);
    ASSERT_EQ(writeRadio(s.link, image, GlobalBlock::Skip), RadioWrite::Written);
    test::drain(s);
    Bytes expected{0x05};
    for (int row = 0; row < 16; ++row)
        for (int i = 0; row != 1 && i < 8; ++i) expected.push_back(static_cast<Byte>(8 * row + i));
    expected.push_back(0xFF);
    EXPECT_LT(test::find(s.sent(), expected), s.sent().size());
    EXPECT_TRUE(std::ranges::all_of(s.radio.transcript().entries(), [](const auto& e) {
        return e.note != "block 3" || e.senderBaud == 9600;  // at the faster speed
    }));
    EXPECT_EQ(test::hostNotes(s.radio, "block "), test::Texts{"block 3"});
}

TEST(writeRadio, RetryStartsAFreshConnectionAndFinishes) {
    SimLink s(test::faulty(&sim::SimFaults::badAck, 5));
    MemImage image{};
    image.fill(0x3C);
    test::setNibble(s.radio.memory(), 6, 9);
    test::setNibble(image, 6, 8);
    s.prompts.queueAnswer(Answer::Retry);
    ASSERT_EQ(writeRadio(s.link, image, GlobalBlock::Skip), RadioWrite::Written);
    test::drain(s);
    EXPECT_EQ(s.prompts.texts(), test::kWriteFailed);
    EXPECT_EQ(test::hostNotes(s.radio, "block "), (test::Texts{"block 6", "block 6"}));
    EXPECT_EQ(s.radio.memory()[6 * 128 + 127], 0x3C);
    // Each attempt hooks twice: for the status and global words, then (after releasing the
    // hooked radio) for the program.
    EXPECT_EQ(s.port.blockingSleeps(), (std::vector<sim::SimTime>{500ms, 200ms, 500ms, 200ms}));
    EXPECT_EQ(test::hostNotes(s.radio, "release").size(), 2U);
}

}  // namespace
}  // namespace zav
