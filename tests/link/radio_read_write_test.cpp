// Whole-radio reads through the read program, single-group reads, and writes through the
// write program: the conversation and the status nibbles.

#include <gtest/gtest.h>

#include <cstdlib>

#include "link/global_transfer.h"
#include "link/radio_read.h"
#include "link/radio_write.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using test::Bytes;
using test::SimLink;
using namespace std::chrono_literals;

// The bytes the host sent after the upload's closing 0x00, up to the release that ends
// the session: the read conversation.
Bytes conversation(SimLink& s) {
    test::drain(s);
    const Bytes sent = s.sent();
    // The chain ends with stage 3's first byte (0xAD) and the closing 0x00.
    const std::size_t end = test::find(sent, {0x07, 0xAD, 0x00});
    Bytes after = test::slice(sent, end + 3, sent.size());
    while (!after.empty() && after.back() == 0x01) after.pop_back();
    return after;
}

// The segments asked for are those whose status byte is set. A radio without any group
// gives group 1 (byte 80 = 8) and the warning. (A missing byte fails the whole read:
// tests/ops.)
TEST(readRadio, RequestsTheSegmentsInUse) {
    const std::pair<std::array<Byte, 8>, Bytes> cases[] = {
        // bytes 80..87, the requests
        {{0x08, 0, 0, 0, 0, 0, 0, 0}, {0x00}},
        {{0x08, 0, 0x80, 0, 0, 0, 0, 0x08}, {0x00, 0x04, 0x0E}},
        {{0x08, 0x01, 0, 0, 0, 0, 0, 0}, {0x00, 0x02}},
        {{0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88}, {0, 2, 4, 6, 8, 0x0A, 0x0C, 0x0E}},
        {{0x90, 0, 0, 0, 0, 0, 0, 0}, {0x00}},  // only the global block's own nibble
    };
    for (const auto& [status, requests] : cases) {
        SimLink s;
        test::fillPattern(s.radio.memory());
        std::copy(status.begin(), status.end(), s.radio.memory().begin() + 80);
        MemImage image{};
        image.fill(0x77);
        ASSERT_TRUE(readRadio(s.link, image));
        // The read program's conversation: 00, the segment requests, FF.
        Bytes expected{0x00};
        expected.insert(expected.end(), requests.begin(), requests.end());
        expected.push_back(0xFF);
        EXPECT_EQ(conversation(s), expected);
        const bool none = status[0] == 0x90;
        for (int seg = 0; seg < 8; ++seg) {
            const bool asked = std::ranges::count(requests, 2 * seg) > 0;
            for (int j = 0; j < 256; j += 51) {
                const auto a = static_cast<std::size_t>(256 * seg + j);
                EXPECT_EQ(image[a], asked ? s.radio.memory()[a] : 0x77) << a;
            }
        }
        EXPECT_EQ(image[80], none ? 0x08 : status[0]);
        EXPECT_EQ(s.prompts.texts(),
                  none ? test::Texts{"Warning: No valid channel groups"} : test::Texts{});
        if (none)
            EXPECT_EQ(std::tie(s.prompts.messages[0].title, s.prompts.messages[0].icon),
                      std::tuple("Read Memory", Icon::Information));
        EXPECT_EQ(std::pair(s.prompts.beeps, s.link.transport().isOpen()), std::pair(1, false));
    }
}

TEST(readGroup, ReadsOnlyAGroupTheRadioHas) {
    struct Case {
        int group;
        std::size_t statusByte;
        Byte status;  // the radio's status byte
        bool present;
    };
    const Case cases[] = {{5, 82, 0x08, true},   {5, 82, 0x80, false},  // group 5: low nibble
                          {4, 82, 0x80, true},   {4, 82, 0x7F, false}, {1, 80, 0x09, true},
                          {15, 87, 0xF7, false}, {15, 87, 0x08, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        SimLink s;
        test::fillPattern(s.radio.memory());
        s.radio.memory()[c.statusByte] = c.status;
        MemImage image{};
        image.fill(0x44);
        ASSERT_EQ(readGroup(s.link, image, c.group),
                  c.present ? GroupTransfer::Done : GroupTransfer::Absent);
        for (std::size_t a = 0; a < image.size(); ++a) {
            const bool inGroup = a >= 128u * c.group && a < 128u * (c.group + 1);
            ASSERT_EQ(image[a], inGroup && c.present ? s.radio.memory()[a] : 0x44) << a;
        }
        EXPECT_FALSE(s.link.transport().isOpen());
        if (c.present) {
            EXPECT_EQ(std::pair(s.prompts.messages.size(), s.prompts.beeps),
                      std::pair(std::size_t{0}, 1));
            continue;
        }
        ASSERT_EQ(s.prompts.texts(), test::Texts{"Requested group does not exist on radio."});
        EXPECT_EQ(std::tie(s.prompts.messages[0].title, s.prompts.messages[0].icon),
                  std::tuple("Read Group", Icon::Exclamation));
    }
    for (const int group : {0, 16}) {  // the global block, and past the memory's end
        SimLink s;
        MemImage image{};
        EXPECT_EQ(readGroup(s.link, image, group), GroupTransfer::Failed);
        EXPECT_EQ(s.port.opens(), 0);
    }
}

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
    SimLink s({.faults = {.badAck = 5}});
    MemImage image{};
    image.fill(0x3C);
    test::setNibble(s.radio.memory(), 6, 9);
    test::setNibble(image, 6, 8);
    s.prompts.queueAnswer(Answer::Retry);
    ASSERT_EQ(writeRadio(s.link, image, GlobalBlock::Skip), RadioWrite::Written);
    test::drain(s);
    EXPECT_EQ(std::tuple(s.prompts.texts(), test::hostNotes(s.radio, "block "),
                         s.radio.memory()[6 * 128 + 127]),
              std::tuple(test::kWriteFailed, test::Texts{"block 6", "block 6"}, 0x3C));
    // Each attempt hooks twice: for the status and global words, then (after releasing the
    // hooked radio) for the program.
    EXPECT_EQ(s.port.blockingSleeps(), (std::vector<sim::SimTime>{500ms, 200ms, 500ms, 200ms}));
    EXPECT_EQ(test::hostNotes(s.radio, "release").size(), 2U);
}

}  // namespace
}  // namespace zav
