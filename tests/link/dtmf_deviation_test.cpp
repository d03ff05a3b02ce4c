// The DTMF deviation utility's live write against the simulated radio.

#include "link/dtmf_deviation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "link/global_transfer.h"
#include "support/sim_link.h"

namespace zav {
namespace {

using test::SimLink;
using Bytes = std::vector<Byte>;

// Everything the host sent after the hook's reply: the frames of the write itself.
Bytes framesAfterHook(const SimLink& s) {
    const Bytes all = s.radio.transcript().hostBytes();
    // The read frame is the first E1 6E pair; the hook sequence holds no such pair.
    for (std::size_t i = 0; i + 1 < all.size(); ++i)
        if (all[i] == 0xE1 && all[i + 1] == 0x6E) return Bytes(all.begin() + i, all.end());
    return {};
}

struct MergeCase {
    Byte radio6E;
    Byte radio6F;
    int code;
    Byte expected6F;
};

class DtmfWrite : public ::testing::TestWithParam<MergeCase> {};

TEST_P(DtmfWrite, KeepsTheRadiosLowBitsAndItsOtherByte) {
    const MergeCase& c = GetParam();
    SimLink s;
    test::fillPattern(s.radio.memory());
    s.radio.memory()[0x6E] = c.radio6E;
    s.radio.memory()[0x6F] = c.radio6F;
    const auto before = s.radio.memory();

    EXPECT_EQ(writeDtmfDeviation(s.link, c.code), DtmfWriteResult::Written);
    s.settle();

    EXPECT_EQ(s.radio.memory()[0x6F], c.expected6F);
    EXPECT_EQ(s.radio.memory()[0x6E], c.radio6E);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i != 0x6F) {
            ASSERT_EQ(s.radio.memory()[i], before[i]) << i;
        }
    }
    // Read word, unmasked write word of the same pair, release.
    EXPECT_EQ(framesAfterHook(s), (Bytes{0xE1, 0x6E, 0xE0, 0x6E, c.radio6E, c.expected6F, 0x01}));
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_FALSE(s.link.busy());
    EXPECT_EQ(s.port.baud(), 4800);
}

INSTANTIATE_TEST_SUITE_P(Codes, DtmfWrite,
                         ::testing::Values(MergeCase{0xA5, 0x05, 6, 0x35},
                                           MergeCase{0x00, 0xFF, 0, 0x07},
                                           MergeCase{0x12, 0x00, 31, 0xF8},
                                           MergeCase{0xFF, 0xFA, 28, 0xE2},
                                           MergeCase{0x3C, 0x83, 1, 0x0B}));

TEST(DtmfWriteFailures, NoRadioShowsOnlyTheHookMessageAndFreesThePort) {
    sim::SimConfig c;
    c.faults.silent = true;
    SimLink s(c);
    s.radio.memory()[0x6F] = 0x44;
    EXPECT_EQ(writeDtmfDeviation(s.link, 9), DtmfWriteResult::HookFailed);
    // Four hook attempts of one 0.5 s receive each, 0.1 s of quiet line between them; the
    // release adds no wait.
    EXPECT_EQ(s.now(), 4 * std::chrono::milliseconds(501) + 3 * std::chrono::milliseconds(101));
    EXPECT_EQ(s.prompts.texts(), std::vector<std::string>{"Error Hooking to Radio."});
    EXPECT_EQ(s.radio.memory()[0x6F], 0x44);
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_FALSE(s.link.busy());
    // No read frame went out.
    EXPECT_TRUE(framesAfterHook(s).empty());
}

TEST(DtmfWriteFailures, APortThatDoesNotOpenIsReportedOnce) {
    sim::VirtualPortOptions options;
    options.failingDevices = {{"/dev/ttyS0", "Permission denied"}};
    SimLink s({}, options);
    EXPECT_EQ(writeDtmfDeviation(s.link, 3), DtmfWriteResult::HookFailed);
    EXPECT_EQ(s.prompts.texts(), std::vector<std::string>{"Unable to open Comm Port"});
    EXPECT_EQ(s.port.opens(), 0);
}

TEST(DtmfWriteFailures, AFailedReadWritesNothingButStillReleases) {
    sim::SimConfig c;
    c.faults.dropOutput = 2;  // the first byte of the read word's reply (1 is the hook reply)
    SimLink s(c);
    s.radio.memory()[0x6F] = 0x44;
    EXPECT_EQ(writeDtmfDeviation(s.link, 9), DtmfWriteResult::ReadFailed);
    s.settle();
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_EQ(s.radio.memory()[0x6F], 0x44);
    const Bytes frames = framesAfterHook(s);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back(), 0x01);
    EXPECT_EQ(std::count(frames.begin(), frames.end(), Byte{0xE0}), 0);
    EXPECT_FALSE(s.link.transport().isOpen());
}

TEST(DtmfWriteFailures, AWrongEchoIsAFailedWriteWithoutAMessage) {
    sim::SimConfig c;
    c.faults.wrongEcho = 0;
    SimLink s(c);
    EXPECT_EQ(writeDtmfDeviation(s.link, 9), DtmfWriteResult::WriteFailed);
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_FALSE(s.link.transport().isOpen());
}

TEST(DtmfWriteFailures, RefusedWhileAnotherOperationRuns) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    const Byte before = s.radio.memory()[0x6F];
    std::optional<DtmfWriteResult> inner;
    s.port.setOnYield([&] {
        if (!inner && s.progress.values.size() == 3) inner = writeDtmfDeviation(s.link, 17);
    });
    MemImage image{};
    EXPECT_TRUE(readGlobal(s.link, image));
    ASSERT_TRUE(inner.has_value());
    EXPECT_EQ(*inner, DtmfWriteResult::Busy);
    EXPECT_EQ(s.prompts.texts(),
              std::vector<std::string>{"Another radio operation is in progress."});
    // The read went on undisturbed and nothing was written.
    EXPECT_EQ(image[127], s.radio.memory()[127]);
    EXPECT_EQ(s.radio.memory()[0x6F], before);
}

TEST(DtmfWriteFailures, ACodeOutsideTheListIsRefusedBeforeAnythingIsSent) {
    SimLink s;
    EXPECT_THROW(writeDtmfDeviation(s.link, 32), std::out_of_range);
    EXPECT_THROW(writeDtmfDeviation(s.link, -1), std::out_of_range);
    EXPECT_EQ(s.port.opens(), 0);
    EXPECT_FALSE(s.link.busy());
}

TEST(DtmfImage, CodeLivesInTheTopFiveBitsOfByte0x6F) {
    MemImage mem{};
    mem[0x6F] = 0xFD;
    EXPECT_EQ(dtmfDeviationCode(mem), 31);
    storeDtmfDeviation(mem, 1);
    EXPECT_EQ(mem[0x6F], 0x0D);
    storeDtmfDeviation(mem, 6);
    EXPECT_EQ(mem[0x6F], 0x35);
    EXPECT_THROW(storeDtmfDeviation(mem, 32), std::out_of_range);
    EXPECT_EQ(mem[0x6F], 0x35);
    for (int code = 0; code < kDtmfDeviationCodes; ++code) {
        for (int low = 0; low < 8; ++low) {
            const Byte b = mergeDtmfDeviation(static_cast<Byte>(low), code);
            ASSERT_EQ(b >> 3, code);
            ASSERT_EQ(b & 7, low);
        }
    }
}

TEST(DtmfCodeText, IndexOrListEntry) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases{{"0", 0},
                                                                        {"6", 6},
                                                                        {" 31 ", 31},
                                                                        {"32", std::nullopt},
                                                                        {"-1", std::nullopt},
                                                                        {"1125.0", 6},
                                                                        {"187.5", 1},
                                                                        {" 187.5", 1},
                                                                        {"5062.5", 27},
                                                                        {"Test 1", 28},
                                                                        {"test 4", 31},
                                                                        {"TEST 2", 29},
                                                                        {"1125", std::nullopt},
                                                                        {"1125.00", std::nullopt},
                                                                        {"", std::nullopt},
                                                                        {"Test", std::nullopt},
                                                                        {"6x", std::nullopt},
                                                                        {"0x10", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(dtmfCodeFromText(text), expected) << "'" << text << "'";
}

}  // namespace
}  // namespace zav
