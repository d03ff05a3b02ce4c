// Whole-radio reads through the read program, and single-group reads: the conversation
// and the status nibbles.

#include "link/radio_read.h"

#include <gtest/gtest.h>

#include "transfer_fixture.h"

namespace zav {
namespace {

using test::Bytes;
using test::SimLink;

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
        EXPECT_EQ(s.prompts.beeps, 1);
        EXPECT_FALSE(s.link.transport().isOpen());
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
            EXPECT_TRUE(s.prompts.messages.empty());
            EXPECT_EQ(s.prompts.beeps, 1);
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

}  // namespace
}  // namespace zav
