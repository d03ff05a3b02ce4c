// Whole-radio writes through the write program, and group writes.

#include <gtest/gtest.h>

#include "link/global_transfer.h"
#include "link/radio_write.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::SimLink;
using Bytes = std::vector<Byte>;

// What the radio must hold after a whole write: the write masks as the radio relies on
// them, spelled out here rather than taken from the code under test.
sim::RadioMemory expectedAfterWrite(const sim::RadioMemory& radio, const MemImage& image,
                                    const std::vector<int>& groups, bool skipGlobal) {
    sim::RadioMemory out = radio;
    if (!skipGlobal) {
        for (const std::size_t a : {96u, 97u, 98u, 111u}) out[a] = image[a];
        out[119] = static_cast<Byte>((image[119] & 0xF9) | (radio[119] & 0x06));
    }
    for (const int g : groups)
        for (std::size_t i = 0; i < 128; ++i)
            if (i < 8 || i >= 16) out[128u * g + i] = image[128u * g + i];
    return out;
}

int nibble(std::span<const Byte> m, int g) {
    const Byte b = m[static_cast<std::size_t>(80 + g / 2)];
    return g % 2 == 0 ? b >> 4 : b & 0x0F;
}

class WriteRadioRandom : public ::testing::TestWithParam<std::tuple<unsigned, bool>> {};

TEST_P(WriteRadioRandom, ChangesExactlyTheBytesAndGroupsItMay) {
    const auto [seed, skipGlobal] = GetParam();
    std::mt19937 rng(seed);
    SimLink s;
    MemImage image{};
    test::fillRandom(s.radio.memory(), rng);
    test::fillRandom(image, rng);
    // Status nibbles from 0, 8, 9 and anything, on either side.
    const int choices[] = {0, 8, 9, 8, 8, 9, 1, 15};
    std::uniform_int_distribution<int> pick(0, 7);
    std::vector<int> chosen;
    for (int g = 1; g <= 15; ++g) {
        test::setNibble(s.radio.memory(), g, choices[pick(rng)]);
        test::setNibble(image, g, choices[pick(rng)]);
        if ((nibble(s.radio.memory(), g) & nibble(image, g)) == 8) chosen.push_back(g);
    }
    ASSERT_FALSE(chosen.empty());
    std::sort(chosen.rbegin(), chosen.rend());

    const sim::RadioMemory before = s.radio.memory();
    const MemImage imageBefore = image;
    ASSERT_TRUE(writeRadio(s.link, image, skipGlobal));
    test::drain(s);
    EXPECT_EQ(image, imageBefore);
    const auto expected = expectedAfterWrite(before, image, chosen, skipGlobal);
    for (std::size_t a = 0; a < expected.size(); ++a)
        ASSERT_EQ(s.radio.memory()[a], expected[a]) << "address " << a;

    std::vector<std::string> blocks;
    for (const int g : chosen) blocks.push_back("block " + std::to_string(g));
    EXPECT_EQ(test::hostNotes(s.radio, "block "), blocks);
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_EQ(s.prompts.beeps, 1);
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_EQ(s.radio.programName(), "resident firmware");
}

INSTANTIATE_TEST_SUITE_P(Seeds, WriteRadioRandom,
                         ::testing::Combine(::testing::Values(1u, 2u, 3u, 4u), ::testing::Bool()));

TEST(chooseGroups, TheCombinedNibbleMustBeExactly8) {
    struct Case {
        int radio;
        int image;
        bool chosen;
    };
    const Case cases[] = {{8, 8, true},  {9, 8, true},    {8, 9, true},     {9, 9, false},
                          {8, 0, false}, {0, 8, false},   {0xC, 0xA, true}, {0xF, 0xF, false},
                          {1, 8, false}, {0xE, 0x9, true}};
    for (const auto& c : cases) {
        for (const int g : {1, 2, 14, 15}) {
            MemImage radioImage{};
            MemImage image{};
            test::setNibble(radioImage, g, c.radio);
            test::setNibble(image, g, c.image);
            StatusBytes radio{};
            std::copy_n(radioImage.begin() + 80, 8, radio.begin());
            const auto groups = chooseGroups(radio, image);
            EXPECT_EQ(groups == std::vector<int>{g}, c.chosen)
                << "radio " << c.radio << " image " << c.image << " group " << g;
        }
    }
}

TEST(writeRadio, SkipGlobalSendsNoResidentWritesBeforeTheUpload) {
    SimLink s;
    MemImage image{};
    test::setNibble(s.radio.memory(), 3, 8);
    test::setNibble(image, 3, 8);
    ASSERT_TRUE(writeRadio(s.link, image, true));
    test::drain(s);
    EXPECT_TRUE(test::hostNotes(s.radio, "write word").empty());

    SimLink t;
    test::setNibble(t.radio.memory(), 3, 8);
    ASSERT_TRUE(writeRadio(t.link, image, false));
    test::drain(t);
    EXPECT_EQ(test::hostNotes(t.radio, "write word"),
              (std::vector<std::string>{"write word 060 = 00 00", "write word 062 = 00 00",
                                        "write word 06E = 00 00", "write word 076 = 00 00"}));
}

TEST(writeRadio, WritingGroup3SendsItsBlockCommandAndFifteenRows) {
    SimLink s;
    MemImage image{};
    for (std::size_t i = 0; i < 128; ++i) image[384 + i] = static_cast<Byte>(i);
    test::setNibble(s.radio.memory(), 3, 8);
    test::setNibble(image, 3, 8);
    s.radio.transcript().clear();
    ASSERT_TRUE(writeRadio(s.link, image, true));
    test::drain(s);
    const Bytes sent = s.sent();
    Bytes expected{0x05};
    for (int row = 0; row < 16; ++row)
        if (row != 1)
            for (int i = 0; i < 8; ++i) expected.push_back(static_cast<Byte>(8 * row + i));
    expected.push_back(0xFF);
    const std::size_t at = test::find(sent, expected);
    EXPECT_LT(at, sent.size());
    // 15 row acknowledgements and the block's.
    int acks = 0;
    for (const auto& e : s.radio.transcript().entries())
        if (e.direction == sim::Direction::RadioToHost && e.note.ends_with("stored")) ++acks;
    EXPECT_EQ(acks, 16);
}

TEST(writeRadio, NoChosenGroupStillUploadsThenAsksAboutTheFailure) {
    SimLink s;
    MemImage image{};
    test::setNibble(s.radio.memory(), 2, 8);  // on the radio only
    test::setNibble(image, 5, 8);             // in the image only
    s.prompts.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(writeRadio(s.link, image, true));
    test::drain(s);
    const Bytes sent = s.sent();
    EXPECT_LT(test::find(sent, {0xF0, 0x00, 0x60}), sent.size());
    EXPECT_LT(test::find(sent, {0x07, 0xAD, 0x00, 0xFF}), sent.size());
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_EQ(s.prompts.messages[0].text, "Write Failed. Cycle Radio Power before Retrying.");
    EXPECT_EQ(s.prompts.messages[0].title, "COMM ERROR");
    EXPECT_EQ(s.prompts.messages[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(s.prompts.messages[0].icon, Icon::Information);
    EXPECT_EQ(s.prompts.beeps, 1);
    EXPECT_FALSE(s.link.transport().isOpen());
}

TEST(writeRadio, AnAcknowledgementWithoutBit5StopsAtOnceAndStillEndsTheProgram) {
    sim::SimConfig config;
    config.faults.badAck = 3;  // the third row of the first block
    SimLink s(config);
    MemImage image{};
    image.fill(0xA5);
    for (const int g : {4, 9}) {
        test::setNibble(s.radio.memory(), g, 8);
        test::setNibble(image, g, 8);
    }
    const sim::RadioMemory before = s.radio.memory();
    EXPECT_FALSE(writeRadio(s.link, image, true));
    test::drain(s);
    EXPECT_EQ(test::hostNotes(s.radio, "block "), std::vector<std::string>{"block 9"});
    const Bytes sent = s.sent();
    // Three rows (24 bytes) after the block command, then the end byte.
    const std::size_t at = test::find(sent, {0x07, 0xAD, 0x00, 0x11});
    ASSERT_LT(at, sent.size());
    EXPECT_EQ(sent.at(at + 4 + 24), 0xFF);
    EXPECT_EQ(s.prompts.texts(),
              std::vector<std::string>{"Write Failed. Cycle Radio Power before Retrying."});
    // Rows 0 and 2 of block 9 reached the radio, nothing of block 4.
    EXPECT_EQ(s.radio.memory()[9 * 128], 0xA5);
    EXPECT_EQ(s.radio.memory()[9 * 128 + 16], 0xA5);
    EXPECT_EQ(s.radio.memory()[9 * 128 + 24], before[9 * 128 + 24]);
    EXPECT_EQ(s.radio.memory()[4 * 128], before[4 * 128]);
    EXPECT_EQ(s.radio.programName(), "resident firmware");
}

TEST(writeRadio, RetryStartsAFreshConnectionAndFinishes) {
    sim::SimConfig config;
    config.faults.badAck = 5;
    SimLink s(config);
    MemImage image{};
    image.fill(0x3C);
    test::setNibble(s.radio.memory(), 6, 9);
    test::setNibble(image, 6, 8);
    s.prompts.queueAnswer(Answer::Retry);
    ASSERT_TRUE(writeRadio(s.link, image, true));
    test::drain(s);
    EXPECT_EQ(s.prompts.texts(),
              std::vector<std::string>{"Write Failed. Cycle Radio Power before Retrying."});
    EXPECT_EQ(test::hostNotes(s.radio, "block "), (std::vector<std::string>{"block 6", "block 6"}));
    EXPECT_EQ(s.radio.memory()[6 * 128 + 127], 0x3C);
    // Each attempt hooks twice: for the status and global words, then for the program.
    EXPECT_EQ(test::hostNotes(s.radio, "hook").size(), 4u);
    EXPECT_EQ(s.port.blockingSleeps(), (std::vector<sim::SimTime>{500ms, 200ms, 500ms, 200ms}));
}

TEST(writeRadio, AStatusWordThatDoesNotComeFailsTheAttemptBeforeAnyWrite) {
    sim::SimConfig config;
    config.faults.stopAfter = 1 + 4;  // hook reply and two status words
    SimLink s(config);
    MemImage image{};
    test::setNibble(image, 1, 8);
    EXPECT_FALSE(writeRadio(s.link, image, false));
    test::drain(s);
    EXPECT_TRUE(test::hostNotes(s.radio, "write word").empty());
    EXPECT_TRUE(test::hostNotes(s.radio, "execute").empty());
    EXPECT_EQ(s.prompts.texts(),
              std::vector<std::string>{"Write Failed. Cycle Radio Power before Retrying."});
}

TEST(writeRadio, AnUnopenablePortEndsAtOnce) {
    sim::VirtualPortOptions options;
    options.failingDevices = {{"/dev/ttyS0", "No such file or directory"}};
    SimLink s({}, options);
    MemImage image{};
    EXPECT_FALSE(writeRadio(s.link, image, false));
    EXPECT_EQ(s.prompts.texts(), std::vector<std::string>{"Unable to open Comm Port"});
}

TEST(writeGroup, AGroupAbsentOnTheRadioIsReportedAndNotWritten) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    s.radio.memory()[83] = 0x80;  // group 6 present, group 7 not
    const sim::RadioMemory before = s.radio.memory();
    MemImage image{};
    ASSERT_EQ(writeGroup(s.link, image, 7), GroupTransfer::Absent);
    EXPECT_EQ(s.radio.memory(), before);
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_EQ(s.prompts.messages[0].text, "Requested group does not exist on radio.");
    EXPECT_EQ(s.prompts.messages[0].title, "Write Group");
    EXPECT_EQ(s.prompts.messages[0].icon, Icon::Exclamation);
}

TEST(writeGroup, APresentGroupKeepsItsProtectedHeaderBytes) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    s.radio.memory()[83] = 0x08;  // group 7
    const sim::RadioMemory before = s.radio.memory();
    MemImage image{};
    image.fill(0xC3);
    ASSERT_EQ(writeGroup(s.link, image, 7), GroupTransfer::Done);
    for (std::size_t a = 0; a < before.size(); ++a) {
        const std::size_t off = a - 7 * 128;
        const bool written = a >= 7 * 128 && a < 8 * 128 && (off < 8 || off >= 16);
        ASSERT_EQ(s.radio.memory()[a], written ? 0xC3 : before[a]) << a;
    }
}

}  // namespace
}  // namespace zav
