// Whole-radio writes through the write program.

#include <gtest/gtest.h>

#include "link/radio_write.h"
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

class WriteRadioRandom : public ::testing::TestWithParam<std::tuple<unsigned, bool>> {};

// A group is written when the radio's and the image's status nibbles AND to exactly 8.
TEST_P(WriteRadioRandom, ChangesExactlyTheBytesAndGroupsItMay) {
    const auto [seed, skipGlobal] = GetParam();
    SimLink s;
    MemImage image{};
    test::fillRandom(s.radio.memory(), seed);
    test::fillRandom(image, seed + 100);
    const int choices[] = {0, 8, 9, 8, 0xC, 0xA, 1, 15};
    std::vector<int> chosen;
    for (int g = 1; g <= 15; ++g) {
        test::setNibble(s.radio.memory(), g, choices[(g * seed) % 8]);
        test::setNibble(image, g, choices[(g + seed) % 8]);
        if ((nibble(s.radio.memory(), g) & nibble(image, g)) == 8) chosen.push_back(g);
    }
    ASSERT_FALSE(chosen.empty());
    const sim::RadioMemory before = s.radio.memory();
    ASSERT_TRUE(writeRadio(s.link, image, skipGlobal));
    test::drain(s);
    std::vector<int> blocks = chosen;
    if (!skipGlobal) blocks.push_back(0);
    test::expectMaskedWrite(before, s.radio.memory(), image, blocks);
    std::vector<std::string> notes;
    for (auto g = chosen.rbegin(); g != chosen.rend(); ++g)
        notes.push_back("block " + std::to_string(*g));
    EXPECT_EQ(test::hostNotes(s.radio, "block "), notes);  // highest group first
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_EQ(s.prompts.beeps, 1);
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_EQ(s.radio.programName(), "resident firmware");
}

INSTANTIATE_TEST_SUITE_P(Seeds, WriteRadioRandom,
                         ::testing::Combine(::testing::Values(1u, 2u, 3u), ::testing::Bool()));

TEST(writeRadio, AGroupGoesAsItsBlockCommandAndFifteenAcknowledgedRows) {
    SimLink s;
    MemImage image{};
    for (std::size_t i = 0; i < 128; ++i) image[384 + i] = static_cast<Byte>(i);
    test::setNibble(s.radio.memory(), 3, 8);
    test::setNibble(image, 3, 8);
    ASSERT_TRUE(writeRadio(s.link, image, true));
    test::drain(s);
    Bytes expected{0x05};
    for (int row = 0; row < 16; ++row)
        for (int i = 0; row != 1 && i < 8; ++i) expected.push_back(static_cast<Byte>(8 * row + i));
    expected.push_back(0xFF);
    EXPECT_LT(test::find(s.sent(), expected), s.sent().size());
}

// Faults of one write attempt: each fails it with the question, ends the program and
// stops writing at once.
struct WriteFault {
    sim::SimFaults faults;
    int rowsSent;  // of group 9's block before the end byte, -1: no block started
};

TEST(writeRadio, AFailedAttemptStopsAtOnceAsksAndEndsTheProgram) {
    const WriteFault cases[] = {
        {test::fault(&sim::SimFaults::badAck, 3), 3},      // a row acknowledgement without bit 5
        {test::fault(&sim::SimFaults::badAck, 16), 15},    // the block's own, the last of the write
        {test::fault(&sim::SimFaults::stopAfter, 5), -1},  // a status word that does not come
    };
    for (const auto& c : cases) {
        SimLink s(test::withFaults(c.faults));
        MemImage image{};
        image.fill(0xA5);
        test::setNibble(s.radio.memory(), 9, 8);
        test::setNibble(image, 9, 8);
        EXPECT_FALSE(writeRadio(s.link, image, false));
        test::drain(s);
        EXPECT_EQ(s.prompts.texts(), test::kWriteFailed);
        EXPECT_EQ(s.prompts.beeps, 1);
        EXPECT_EQ(s.radio.programName(), "resident firmware");
        EXPECT_FALSE(s.link.transport().isOpen());
        if (c.rowsSent < 0) {
            EXPECT_TRUE(test::hostNotes(s.radio, "write word").empty());
            EXPECT_TRUE(test::hostNotes(s.radio, "execute").empty());
            continue;
        }
        // The rows up to the refused one, then the end byte at once.
        const Bytes sent = s.sent();
        const std::size_t at = test::find(sent, {0x07, 0xAD, 0x00, 0x11});
        ASSERT_LT(at, sent.size());
        EXPECT_EQ(sent.at(at + 4 + 8 * static_cast<std::size_t>(c.rowsSent)), 0xFF);
    }
}

TEST(writeRadio, RetryStartsAFreshConnectionAndFinishes) {
    SimLink s(test::withFaults(test::fault(&sim::SimFaults::badAck, 5)));
    MemImage image{};
    image.fill(0x3C);
    test::setNibble(s.radio.memory(), 6, 9);
    test::setNibble(image, 6, 8);
    s.prompts.queueAnswer(Answer::Retry);
    ASSERT_TRUE(writeRadio(s.link, image, true));
    test::drain(s);
    EXPECT_EQ(s.prompts.texts(), test::kWriteFailed);
    EXPECT_EQ(test::hostNotes(s.radio, "block "), (std::vector<std::string>{"block 6", "block 6"}));
    EXPECT_EQ(s.radio.memory()[6 * 128 + 127], 0x3C);
    // Each attempt hooks twice: for the status and global words, then for the program.
    EXPECT_EQ(s.port.blockingSleeps(), (std::vector<sim::SimTime>{500ms, 200ms, 500ms, 200ms}));
}

TEST(writeRadio, NoChosenGroupStillUploadsThenAsksAboutTheFailure) {
    SimLink s;
    MemImage image{};
    test::setNibble(s.radio.memory(), 2, 8);  // on the radio only
    test::setNibble(image, 5, 8);             // in the image only
    EXPECT_FALSE(writeRadio(s.link, image, true));
    test::drain(s);
    EXPECT_LT(test::find(s.sent(), {0x07, 0xAD, 0x00, 0xFF}), s.sent().size());
    ASSERT_EQ(s.prompts.texts(), test::kWriteFailed);
    EXPECT_EQ(s.prompts.messages[0].title, "COMM ERROR");
    EXPECT_EQ(s.prompts.messages[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(s.prompts.messages[0].icon, Icon::Information);
}

}  // namespace
}  // namespace zav
