// The DTMF deviation utility: the code in the image, its text, and the live write. (A
// write that cannot read the radio's byte: tests/ops.)

#include "link/dtmf_deviation.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "transfer_fixture.h"

namespace zav {
namespace {

using test::Bytes;
using test::SimLink;

// Everything the host sent from the read frame (E1 6E; the hook holds no such pair) on.
Bytes framesAfterHook(const SimLink& s) {
    const Bytes all = s.sent();
    return test::slice(all, test::find(all, {0xE1, 0x6E}), all.size());
}

TEST(writeDtmfDeviation, KeepsTheRadiosLowBitsAndItsOtherByte) {
    struct Case {
        Byte radio6E, radio6F;
        int code;
        Byte expected6F;
    };
    for (const Case c : {Case{0xA5, 0x05, 6, 0x35}, Case{0x00, 0xFF, 0, 0x07},
                         Case{0x12, 0x00, 31, 0xF8}, Case{0x3C, 0x83, 1, 0x0B}}) {
        SimLink s;
        test::fillPattern(s.radio.memory());
        s.radio.memory()[0x6E] = c.radio6E;
        s.radio.memory()[0x6F] = c.radio6F;
        auto expected = s.radio.memory();
        expected[0x6F] = c.expected6F;
        EXPECT_EQ(writeDtmfDeviation(s.link, c.code), DtmfWriteResult::Written);
        s.settle();
        EXPECT_EQ(s.radio.memory(), expected);
        // Read word, unmasked write word of the same pair, release.
        EXPECT_EQ(framesAfterHook(s),
                  (Bytes{0xE1, 0x6E, 0xE0, 0x6E, c.radio6E, c.expected6F, 0x01}));
        EXPECT_TRUE(s.prompts.messages.empty());
        EXPECT_FALSE(s.link.transport().isOpen());
        EXPECT_EQ(s.port.baud(), 4800);
    }
}

// A code outside the list is refused before anything is stored or sent.
TEST(DtmfDeviation, CodeLivesInTheTopFiveBitsOfByte0x6FAndOnlyListCodesAreTaken) {
    MemImage mem{};
    mem[0x6F] = 0xFD;
    EXPECT_EQ(dtmfDeviationCode(mem), 31);
    storeDtmfDeviation(mem, 6);
    EXPECT_EQ(mem[0x6F], 0x35);
    SimLink s;
    for (const int code : {32, -1}) {
        EXPECT_THROW(storeDtmfDeviation(mem, code), std::out_of_range);
        EXPECT_THROW(writeDtmfDeviation(s.link, code), std::out_of_range);
    }
    EXPECT_EQ(mem[0x6F], 0x35);
    EXPECT_EQ(s.port.opens(), 0);
    EXPECT_FALSE(s.link.busy());
}

TEST(dtmfCodeFromText, IndexOrListEntry) {
    // clang-format off
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"0", 0}, {" 31 ", 31}, {"32", std::nullopt}, {"-1", std::nullopt}, {"1125.0", 6},
        {" 187.5", 1}, {"5062.5", 27}, {"test 4", 31}, {"TEST 2", 29}, {"1125", std::nullopt},
        {"1125.00", std::nullopt}, {"", std::nullopt}, {"Test", std::nullopt},
        {"6x", std::nullopt}, {"0x10", std::nullopt}};
    // clang-format on
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(dtmfCodeFromText(text), expected) << "'" << text << "'";
}

}  // namespace
}  // namespace zav
