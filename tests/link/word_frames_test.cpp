// Word reads and writes, the kept bits' read, RAM writes, release, loading the transfer
// programs through the loader chain (RAM writes, then execute), and the DTMF deviation
// utility: the code in the image, its text, and the live write (a read word and a write
// word; one that cannot read the radio's byte: tests/ops).

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "link/dtmf_deviation.h"
#include "link/label_programs.h"
#include "link/transfer_programs.h"
#include "link/upload_program.h"
#include "sim/ram_code.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using test::Bytes;
using test::SimLink;

// The segment command and the even low byte. (A byte that does not come: tests/ops.)
TEST(readWord, SendsTheSegmentCommandAndTheEvenLowByte) {
    const std::pair<int, Bytes> cases[] = {
        {0x1A3, {0xE3, 0xA2}}, {0x000, {0xE1, 0x00}}, {0x0FF, {0xE1, 0xFE}}, {0x7FE, {0xEF, 0xFE}}};
    for (const auto& [address, frame] : cases) {
        SimLink s;
        test::fillPattern(s.radio.memory());
        ASSERT_TRUE(s.hook());
        Byte v = 0;
        ASSERT_TRUE(s.link.readByteAt(address, v));
        EXPECT_EQ(s.sent(), frame);
        EXPECT_EQ(v, s.radio.memory()[static_cast<std::size_t>(address)]);
    }
}

// Word writes.
constexpr Byte kX = 0xA5;
constexpr Byte kY = 0x5A;

TEST(writeWord, SendsTheWholeWordAndChecksItsEcho) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    EXPECT_TRUE(s.link.writeWord(0x289, kX, kY));  // an odd address writes its word
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0xE4, 0x88, kX, kY}));
    EXPECT_EQ(std::pair(s.radio.memory()[0x288], s.radio.memory()[0x289]), std::pair(kX, kY));
    const sim::SimFaults faults[] = {
        {.stopAfter = 1}, {.stopAfter = 2}, {.dropOutput = 3}, {.wrongEcho = 1}, {.wrongEcho = 2}};
    for (const auto& f : faults) {
        SimLink failing({.faults = f});
        ASSERT_TRUE(failing.hook());
        EXPECT_FALSE(failing.link.writeWord(0x300, 1, 2));
    }
}

// A radio that stops answering fails the read of the kept bits. (Which words a masked
// write reads first and what it makes of them: writeBlock's frames in
// block_transfer_test.cpp, and the masks under random writes in radio_write_test.cpp.)
TEST(readKeptBits, FailsWhenTheRadioStopsAnswering) {
    SimLink s({.faults = {.stopAfter = 1}});
    ASSERT_TRUE(s.hook());
    MemImage image{};
    EXPECT_FALSE(s.link.readKeptBits(image, 96, 32));
}

TEST(pokeRam, WritesRamAndChecksEveryEcho) {
    SimLink s({.faults = {.wrongEcho = 3}});
    ASSERT_TRUE(s.hook());
    EXPECT_TRUE(s.link.pokeRam(0x62, 0xAE));
    EXPECT_EQ(s.sent(), (Bytes{0xD0, 0x00, 0x62, 0xAE}));
    EXPECT_EQ(s.radio.ram()[0x62], 0xAE);
    const Bytes block{0x10, 0x20, 0x30, 0x40};
    EXPECT_FALSE(s.link.pokeBlock(0x60, block));  // its second byte's echo is wrong
    s.settle();
    EXPECT_EQ(s.sent().size(), 4u + 8);
    EXPECT_TRUE(s.link.pokeBlock(0x70, block));
    EXPECT_EQ(s.radio.ram()[0x73], 0x40);
    s.radio.config().faults.silent = true;
    EXPECT_FALSE(s.link.pokeRam(0x60, 0x5A));
    // After an echo that came twice, the next write fails without sending anything.
    SimLink doubled({.faults = {.sentTwice = 2}});
    ASSERT_TRUE(doubled.hook());
    EXPECT_TRUE(doubled.link.pokeRam(0x62, 0xAE));
    doubled.link.transport().delay(5);
    EXPECT_FALSE(doubled.link.pokeRam(0x63, 0xAF));
    doubled.settle();
    EXPECT_EQ(doubled.sent().size(), 4U);
}

TEST(endSession, ReleasesTheRadioAndRestoresTheWindows) {
    SimLink s;
    s.link.releaseRadio();  // on a closed port: opens, sends, closes
    s.settle();
    EXPECT_EQ(std::pair(s.port.opens(), s.port.closes()), std::pair(1, 1));
    ASSERT_TRUE(s.hook());
    std::tie(s.progress.barVisible, s.progress.mainWindowEnabled) = std::pair(true, false);
    s.link.endSession();
    s.settle();
    EXPECT_EQ(std::tuple(s.sent(), s.link.transport().isOpen(), s.progress.mainWindowEnabled,
                         s.progress.barVisible),
              std::tuple(Bytes{0x01}, false, true, false));
    ASSERT_TRUE(s.link.transport().openPort());
    Word w{};
    EXPECT_FALSE(s.link.readWord(0, w));  // unhooked
}

// Every byte of the code the link loads into the radio, pinned by the length and CRC-32
// of the radio's own listings (the patched bytes as listed, 00), so that no edit of a
// table goes unnoticed even where the simulated radio only checks part of it.
TEST(radioCode, TablesHoldTheListedBytes) {
    // clang-format off
    const std::pair<std::span<const Byte>, sim::CodeId> cases[] = {
        {kLoaderStage1, {9, 0x409A687E}}, {kLoaderStage2, {30, 0x0EF3D944}},
        {kLoaderStage3, {9, 0xDA4229AD}}, {kReadProgram, {142, 0x27CA266F}},
        {kWriteProgram, {149, 0xCAA20FAC}}, {kLabelLoaderBlock, {27, 0xE56E1DEE}},
        {kLabelProgramBlock, {154, 0x91A07E9C}},
        {blockCode(kLabelProgramBlock), {152, 0xA7E2B9F6}}};
    // clang-format on
    for (const auto& [table, listed] : cases)
        EXPECT_EQ(sim::codeIdOf(table), listed) << listed.length;
    // The simulated radio knows the programs by the same listings.
    EXPECT_EQ(std::tuple(sim::kReadProgramCode, sim::kWriteProgramCode, sim::kLabelProgramCode),
              std::tuple(cases[3].second, cases[4].second, cases[7].second));
}

TEST(uploadProgram, PokesStage2ThenSendsTheChainLastByteFirst) {
    const std::tuple<std::span<const Byte>, Byte, const char*> cases[] = {
        {kReadProgram, 0xEF, "read program"}, {kWriteProgram, 0xF6, "write program"}};
    for (const auto& [program, index, runs] : cases) {
        SCOPED_TRACE(runs);
        SimLink s({.restartAddress = 0x1234});
        ASSERT_TRUE(s.hook());
        ASSERT_TRUE(uploadProgram(s.link, program));
        test::drain(s);
        const Bytes sent = s.sent();
        // 30 echoed RAM writes of stage 2, with byte 27 patched, then its execute.
        ASSERT_GE(sent.size(), 30u * 4 + 3);
        for (std::size_t i = 0; i < 30; ++i)
            EXPECT_EQ(test::slice(sent, 4 * i, 4), (Bytes{0xD0, 0x00, static_cast<Byte>(0x60 + i),
                                                          i == 26 ? index : kLoaderStage2[i]}));
        EXPECT_EQ(test::slice(sent, 120, 3), (Bytes{0xF0, 0x00, 0x60}));
        Bytes chain(kLoaderStage1.rbegin(), kLoaderStage1.rend());
        chain.insert(chain.end(), program.rbegin(), program.rend());
        // The restart address 0x1234 came low byte first: stage 3 bytes 9, 8 are 34, 12.
        chain.insert(chain.end(), {0x34, 0x12, 0xCC, 0x0D, 0xB7, 0x31, 0xA6, 0x07, 0xAD, 0x00});
        EXPECT_EQ(test::slice(sent, 123, sent.size()), chain);
        EXPECT_EQ(s.radio.programName(), runs);
    }
}

// Everything the host sent from the read frame (E1 6E; the hook holds no such pair) on.
Bytes framesAfterHook(const SimLink& s) {
    const Bytes all = s.sent();
    return test::slice(all, test::find(all, {0xE1, 0x6E}), all.size());
}

TEST(writeDtmfDeviation, KeepsTheRadiosLowBitsAndItsOtherByte) {
    // The radio's bytes 6E and 6F, the code written, the 6F it then holds.
    // clang-format off
    const std::tuple<Byte, Byte, int, Byte> cases[] = {
        {0xA5, 0x05, 6, 0x35}, {0x00, 0xFF, 0, 0x07}, {0x12, 0x00, 31, 0xF8}, {0x3C, 0x83, 1, 0x0B}};
    // clang-format on
    for (const auto& [radio6E, radio6F, code, expected6F] : cases) {
        SimLink s;
        test::fillPattern(s.radio.memory());
        std::tie(s.radio.memory()[0x6E], s.radio.memory()[0x6F]) = std::pair(radio6E, radio6F);
        auto expected = s.radio.memory();
        expected[0x6F] = expected6F;
        EXPECT_EQ(writeDtmfDeviation(s.link, code), DtmfWriteResult::Written);
        s.settle();
        EXPECT_EQ(s.radio.memory(), expected);
        // Read word, unmasked write word of the same pair, release.
        EXPECT_EQ(framesAfterHook(s), (Bytes{0xE1, 0x6E, 0xE0, 0x6E, radio6E, expected6F, 0x01}));
        EXPECT_EQ(std::tuple(s.prompts.messages.size(), s.link.transport().isOpen(), s.port.baud()),
                  std::tuple(0U, false, 4800));
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
    EXPECT_EQ(std::tuple(mem[0x6F], s.port.opens(), s.link.busy()), std::tuple(0x35, 0, false));
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
