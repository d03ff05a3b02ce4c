// Whole-radio reads through the read program, and single-group reads: the conversation
// and the status nibbles.

#include <gtest/gtest.h>

#include "link/radio_read.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::SimLink;
using Bytes = std::vector<Byte>;

// The bytes the host sent after the upload's closing 0x00: the read conversation.
Bytes conversation(SimLink& s) {
    test::drain(s);
    const Bytes sent = s.sent();
    // The chain ends with stage 3's first byte (0xAD) and the closing 0x00.
    const std::size_t end = test::find(sent, {0x07, 0xAD, 0x00});
    if (end == sent.size()) return {};
    Bytes after(sent.begin() + static_cast<std::ptrdiff_t>(end + 3), sent.end());
    // Up to the release that ends the session.
    while (!after.empty() && after.back() == 0x01) after.pop_back();
    return after;
}

TEST(readRadio, RequestsOnlyTheSegmentsWhoseStatusByteIsSet) {
    struct Case {
        std::array<Byte, 7> status;  // bytes 81..87 on the radio
        Bytes requests;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0, 0, 0}, {0x00}},
        {{0, 0x80, 0, 0, 0, 0, 0x08}, {0x00, 0x04, 0x0E}},
        {{0x01, 0, 0, 0, 0, 0, 0}, {0x00, 0x02}},
    };
    for (const auto& c : cases) {
        SimLink s;
        test::fillPattern(s.radio.memory());
        s.radio.memory()[80] = 0x08;
        std::copy(c.status.begin(), c.status.end(), s.radio.memory().begin() + 81);
        MemImage image{};
        image.fill(0x77);
        s.radio.transcript().clear();
        ASSERT_TRUE(readRadio(s.link, image));
        // The read program's conversation: 00, the segment requests, FF.
        Bytes expected(c.requests.size() + 2, 0x00);
        std::copy(c.requests.begin(), c.requests.end(), expected.begin() + 1);
        expected.back() = 0xFF;
        EXPECT_EQ(conversation(s), expected);
        EXPECT_TRUE(s.prompts.messages.empty());  // group 1 is there
        for (int seg = 0; seg < 8; ++seg) {
            const bool asked =
                std::find(c.requests.begin(), c.requests.end(), 2 * seg) != c.requests.end();
            for (int j = 0; j < 256; j += 51) {
                const auto a = static_cast<std::size_t>(256 * seg + j);
                EXPECT_EQ(image[a], asked ? s.radio.memory()[a] : 0x77) << a;
            }
        }
    }
}

TEST(readRadio, NoGroupStatusSetMarksGroup1AndWarns) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    for (int i = 80; i < 88; ++i) s.radio.memory()[static_cast<std::size_t>(i)] = 0;
    s.radio.memory()[80] = 0x90;  // only the global block's own nibble
    MemImage image{};
    ASSERT_TRUE(readRadio(s.link, image));
    EXPECT_EQ(image[80], 0x08);
    EXPECT_EQ(image[81], 0x00);
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_EQ(s.prompts.messages[0].text, "Warning: No valid channel groups");
    EXPECT_EQ(s.prompts.messages[0].title, "Read Memory");
    EXPECT_EQ(s.prompts.messages[0].icon, Icon::Information);
    EXPECT_EQ(image[100], s.radio.memory()[100]);
}

// A missing byte fails the whole read, in the last segment too (only the last byte's
// outcome would call that a success); the other segments still come and the program ends.
TEST(readRadio, AMissingSegmentByteFailsTheWholeRead) {
    for (const int dropped : {300, 10}) {
        sim::SimConfig config;
        config.faults.dropSegmentByte = dropped;
        SimLink s(config);
        test::fillPattern(s.radio.memory());
        for (int i = 80; i < 88; ++i) s.radio.memory()[static_cast<std::size_t>(i)] = 0x88;
        if (dropped == 10) std::fill_n(s.radio.memory().begin() + 81, 7, 0x00);
        MemImage image{};
        image.fill(0x33);
        const MemImage before = image;
        s.radio.transcript().clear();
        EXPECT_FALSE(readRadio(s.link, image));
        EXPECT_EQ(image, before);
        ASSERT_EQ(s.prompts.texts(), std::vector<std::string>{"Error reading radio"});
        EXPECT_EQ(s.prompts.messages[0].title, "COMM ERROR");
        if (dropped == 300) {  // (a byte lost in segment 0 shifts the page map read)
            EXPECT_EQ(conversation(s),
                      (Bytes{0x00, 0x00, 0x02, 0x04, 0x06, 0x08, 0x0A, 0x0C, 0x0E, 0xFF}));
        }
        EXPECT_EQ(s.prompts.beeps, 1);
        EXPECT_FALSE(s.link.transport().isOpen());
    }
}

struct GroupCase {
    int group;
    std::size_t statusByte;
    Byte status;  // radio's status byte
    bool present;
};

class ReadGroupTest : public ::testing::TestWithParam<GroupCase> {};

TEST_P(ReadGroupTest, ReadsOnlyAGroupTheRadioHas) {
    const auto& c = GetParam();
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
    if (c.present) {
        EXPECT_TRUE(s.prompts.messages.empty());
        EXPECT_EQ(s.prompts.beeps, 1);
    } else {
        ASSERT_EQ(s.prompts.messages.size(), 1u);
        EXPECT_EQ(s.prompts.messages[0].text, "Requested group does not exist on radio.");
        EXPECT_EQ(s.prompts.messages[0].title, "Read Group");
        EXPECT_EQ(s.prompts.messages[0].icon, Icon::Exclamation);
    }
    EXPECT_FALSE(s.link.transport().isOpen());
}

INSTANTIATE_TEST_SUITE_P(groups, ReadGroupTest,
                         ::testing::Values(GroupCase{5, 82, 0x08, true},   // low nibble
                                           GroupCase{5, 82, 0x80, false},  // high is group 4's
                                           GroupCase{4, 82, 0x80, true},
                                           GroupCase{4, 82, 0x7F, false},
                                           GroupCase{1, 80, 0x09, true},
                                           GroupCase{15, 87, 0xF7, false},
                                           GroupCase{15, 87, 0x08, true}));

}  // namespace
}  // namespace zav
