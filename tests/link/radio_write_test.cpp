// Whole-radio writes through the write program.

#include "link/radio_write.h"

#include <gtest/gtest.h>

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

// A group is written when the radio's and the image's status nibbles AND to exactly 8;
// the highest group goes first.
TEST(writeRadio, ChangesExactlyTheBytesAndGroupsItMay) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        for (const bool skipGlobal : {false, true}) {
            SCOPED_TRACE(seed + (skipGlobal ? 100 : 0));
            SimLink s;
            MemImage image{};
            test::fillRandom(s.radio.memory(), seed);
            test::fillRandom(image, seed + 100);
            const int choices[] = {0, 8, 9, 8, 0xC, 0xA, 1, 15};
            std::vector<int> blocks;
            test::Texts notes;
            for (int g = 15; g >= 1; --g) {
                test::setNibble(s.radio.memory(), g, choices[(g * seed) % 8]);
                test::setNibble(image, g, choices[(g + seed) % 8]);
                if ((nibble(s.radio.memory(), g) & nibble(image, g)) != 8) continue;
                blocks.push_back(g);
                notes.push_back("block " + std::to_string(g));
            }
            ASSERT_FALSE(blocks.empty());
            const sim::RadioMemory before = s.radio.memory();
            ASSERT_EQ(writeRadio(s.link, image, skipGlobal), RadioWrite::Written);
            test::drain(s);
            if (!skipGlobal) blocks.push_back(0);
            test::expectMaskedWrite(before, s.radio.memory(), image, blocks);
            EXPECT_EQ(test::hostNotes(s.radio, "block "), notes);
            EXPECT_TRUE(s.prompts.messages.empty());
            EXPECT_EQ(s.prompts.beeps, 1);
            EXPECT_FALSE(s.link.transport().isOpen());
            EXPECT_EQ(s.radio.programName(), "resident firmware");
        }
    }
}

TEST(writeRadio, AGroupGoesAsItsBlockCommandAndFifteenAcknowledgedRows) {
    SimLink s;
    MemImage image{};
    for (std::size_t i = 0; i < 128; ++i) image[384 + i] = static_cast<Byte>(i);
    test::setNibble(s.radio.memory(), 3, 8);
    test::setNibble(image, 3, 8);
    ASSERT_EQ(writeRadio(s.link, image, true), RadioWrite::Written);
    test::drain(s);
    Bytes expected{0x05};
    for (int row = 0; row < 16; ++row)
        for (int i = 0; row != 1 && i < 8; ++i) expected.push_back(static_cast<Byte>(8 * row + i));
    expected.push_back(0xFF);
    EXPECT_LT(test::find(s.sent(), expected), s.sent().size());
    for (const auto& e : s.radio.transcript().entries()) {  // at the faster speed
        if (e.note == "block 3") {
            EXPECT_EQ(e.senderBaud, 9600);
        }
    }
    EXPECT_EQ(test::hostNotes(s.radio, "block "), test::Texts{"block 3"});
}

// Faults of one write attempt: each fails it with the question, ends the program and
// stops writing at once.
TEST(writeRadio, AFailedAttemptStopsAtOnceAsksAndEndsTheProgram) {
    const std::pair<sim::SimFaults, int> cases[] = {
        // The rows of group 9's block sent before the end byte, -1: no block started.
        {test::fault(&sim::SimFaults::badAck, 3), 3},      // a row acknowledgement without bit 5
        {test::fault(&sim::SimFaults::badAck, 16), 15},    // the block's own, the last of the write
        {test::fault(&sim::SimFaults::stopAfter, 5), -1},  // a status word that does not come
    };
    for (const auto& [faults, rowsSent] : cases) {
        SimLink s(test::withFaults(faults));
        MemImage image{};
        image.fill(0xA5);
        test::setNibble(s.radio.memory(), 9, 8);
        test::setNibble(image, 9, 8);
        EXPECT_EQ(writeRadio(s.link, image, false), RadioWrite::Failed);
        test::drain(s);
        EXPECT_EQ(s.prompts.texts(), test::kWriteFailed);
        EXPECT_EQ(s.prompts.beeps, 1);
        EXPECT_EQ(s.radio.programName(), "resident firmware");
        EXPECT_FALSE(s.link.transport().isOpen());
        if (rowsSent < 0) {
            EXPECT_TRUE(test::hostNotes(s.radio, "write word").empty());
            EXPECT_TRUE(test::hostNotes(s.radio, "execute").empty());
            continue;
        }
        // The rows up to the refused one, then the end byte at once.
        const Bytes sent = s.sent();
        const std::size_t at = test::find(sent, {0x07, 0xAD, 0x00, 0x11});
        ASSERT_LT(at, sent.size());
        EXPECT_EQ(sent.at(at + 4 + 8 * static_cast<std::size_t>(rowsSent)), 0xFF);
    }
}

TEST(writeRadio, RetryStartsAFreshConnectionAndFinishes) {
    SimLink s(test::faulty(&sim::SimFaults::badAck, 5));
    MemImage image{};
    image.fill(0x3C);
    test::setNibble(s.radio.memory(), 6, 9);
    test::setNibble(image, 6, 8);
    s.prompts.queueAnswer(Answer::Retry);
    ASSERT_EQ(writeRadio(s.link, image, true), RadioWrite::Written);
    test::drain(s);
    EXPECT_EQ(s.prompts.texts(), test::kWriteFailed);
    EXPECT_EQ(test::hostNotes(s.radio, "block "), (test::Texts{"block 6", "block 6"}));
    EXPECT_EQ(s.radio.memory()[6 * 128 + 127], 0x3C);
    // Each attempt hooks twice: for the status and global words, then for the program.
    EXPECT_EQ(s.port.blockingSleeps(), (std::vector<sim::SimTime>{500ms, 200ms, 500ms, 200ms}));
}

}  // namespace
}  // namespace zav
