// Word reads and writes, the write masks, RAM writes, execute and release.

#include <gtest/gtest.h>

#include "support/sim_link.h"

namespace zav {
namespace {

using test::SimLink;
using Bytes = std::vector<Byte>;

struct ReadCase {
    int address;
    Bytes frame;
};

class ReadWordFrames : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadWordFrames, SendsTheSegmentCommandAndTheEvenLowByte) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    ASSERT_TRUE(s.hook());
    Word w{};
    ASSERT_TRUE(s.link.readWord(GetParam().address, w));
    EXPECT_EQ(s.sent(), GetParam().frame);
    const auto even = static_cast<std::size_t>(GetParam().address & 0x7FE);
    EXPECT_EQ(w[0], s.radio.memory()[even]);
    EXPECT_EQ(w[1], s.radio.memory()[even + 1]);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadWordFrames,
                         ::testing::Values(ReadCase{0x1A3, {0xE3, 0xA2}},
                                           ReadCase{0x000, {0xE1, 0x00}},
                                           ReadCase{0x0FF, {0xE1, 0xFE}},
                                           ReadCase{0x100, {0xE3, 0x00}},
                                           ReadCase{0x7FE, {0xEF, 0xFE}}));

TEST(ReadByte, TakesTheByteOfTheWordItAsksFor) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    ASSERT_TRUE(s.hook());
    Byte v = 0;
    ASSERT_TRUE(s.link.readByteAt(0x1A3, v));
    EXPECT_EQ(v, s.radio.memory()[0x1A3]);
    EXPECT_EQ(s.sent(), (Bytes{0xE3, 0xA2}));
    ASSERT_TRUE(s.link.readByteAt(0x1A2, v));
    EXPECT_EQ(v, s.radio.memory()[0x1A2]);
}

TEST(ReadByte, ASilentRadioFailsTheRead) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    s.radio.config().faults.silent = true;
    Byte v = 0x77;
    EXPECT_FALSE(s.link.readByteAt(0x10, v));
    Word w{};
    EXPECT_FALSE(s.link.readWord(0x10, w));
}

TEST(readWord, OnlyTheFirstByteComing) {
    sim::SimConfig c;
    c.faults.stopAfter = 2;  // the hook reply and one data byte
    SimLink s(c);
    ASSERT_TRUE(s.hook());
    Word w{0, 0};
    s.radio.memory()[0x40] = 0x31;
    s.radio.memory()[0x41] = 0x32;
    EXPECT_FALSE(s.link.readWord(0x40, w));
    EXPECT_EQ(w[0], 0x31);
    EXPECT_EQ(w[1], 0x00);
}

// Masked writes: what goes on the line and what the radio holds afterwards.
struct MaskCase {
    const char* name;
    int address;
    bool useMask;
    Bytes frames;  // with x = 0xA5, y = 0x5A and the radio holding 0xC3, 0x3C at a, a + 1
    Byte radio0;   // radio bytes afterwards
    Byte radio1;
};

constexpr Byte kX = 0xA5;
constexpr Byte kY = 0x5A;
constexpr Byte kOld0 = 0xC3;
constexpr Byte kOld1 = 0x3C;

class MaskedWrite : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskedWrite, FollowsTheMasks) {
    const MaskCase c = GetParam();
    SimLink s;
    const auto a = static_cast<std::size_t>(c.address & 0x7FE);
    s.radio.memory()[a] = kOld0;
    s.radio.memory()[a + 1] = kOld1;
    ASSERT_TRUE(s.hook());
    EXPECT_TRUE(s.link.writeWord(c.address, kX, kY, c.useMask));
    s.settle();
    EXPECT_EQ(s.sent(), c.frames);
    EXPECT_EQ(s.radio.memory()[a], c.radio0);
    EXPECT_EQ(s.radio.memory()[a + 1], c.radio1);
}

constexpr Byte kMerged119 = static_cast<Byte>((kY & 0xF9) | (kOld1 & 0x06));

INSTANTIATE_TEST_SUITE_P(
    Table, MaskedWrite,
    ::testing::Values(
        MaskCase{"Password", 96, true, {0xE0, 0x60, kX, kY}, kX, kY},
        MaskCase{"Protected", 100, true, {}, kOld0, kOld1},
        MaskCase{
            "Partial", 118, true, {0xE1, 0x76, 0xE0, 0x76, kOld0, kMerged119}, kOld0, kMerged119},
        MaskCase{"OddAddress",
                 119,
                 true,
                 {0xE1, 0x76, 0xE0, 0x76, kOld0, kMerged119},
                 kOld0,
                 kMerged119},
        MaskCase{"DtmfByte", 110, true, {0xE1, 0x6E, 0xE0, 0x6E, kOld0, kY}, kOld0, kY},
        MaskCase{"GroupReserved", 0x288, true, {}, kOld0, kOld1},
        MaskCase{"GroupReservedEnd", 0x28E, true, {}, kOld0, kOld1},
        MaskCase{"GroupHeader", 0x286, true, {0xE4, 0x86, kX, kY}, kX, kY},
        MaskCase{"GroupChannel", 0x710, true, {0xEE, 0x10, kX, kY}, kX, kY},
        MaskCase{"UnmaskedProtected", 100, false, {0xE0, 0x64, kX, kY}, kX, kY},
        MaskCase{"UnmaskedReserved", 0x288, false, {0xE4, 0x88, kX, kY}, kX, kY}),
    [](const auto& p) { return std::string(p.param.name); });

// The whole tables, entry by entry: the global block may change only the password, the
// ANI/DTMF byte and the editor's bits of byte 119; a group block everything but its
// header bytes 8..15.
TEST(WriteMasks, AreTheRadiosTablesEntryByEntry) {
    const WriteMasks& masks = RadioLink::masks();
    for (std::size_t i = 0; i < kPageSize; ++i) {
        Byte global = 0x00;
        if (i == 96 || i == 97 || i == 98 || i == 111) global = 0xFF;
        if (i == 119) global = 0xF9;
        EXPECT_EQ(masks.global[i], global) << "global entry " << i;
        const Byte group = i >= 8 && i <= 15 ? 0x00 : 0xFF;
        EXPECT_EQ(masks.group[i], group) << "group entry " << i;
    }
}

TEST(MaskedWrite, AFailedReadGivesUpTheWordInsteadOfSendingUnmergedBytes) {
    sim::SimConfig c;
    c.faults.stopAfter = 1;  // answers the hook only
    SimLink s(c);
    s.radio.memory()[118] = kOld0;
    s.radio.memory()[119] = kOld1;
    ASSERT_TRUE(s.hook());
    EXPECT_FALSE(s.link.writeWord(118, kX, kY, true));
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0xE1, 0x76}));
    EXPECT_EQ(s.radio.memory()[119], kOld1);
}

struct EchoFault {
    const char* name;
    sim::SimFaults faults;
};

class WriteEcho : public ::testing::TestWithParam<EchoFault> {};

TEST_P(WriteEcho, AMissingOrWrongEchoFailsTheWrite) {
    sim::SimConfig c;
    c.faults = GetParam().faults;
    SimLink s(c);
    ASSERT_TRUE(s.hook());
    EXPECT_FALSE(s.link.writeWord(0x300, 1, 2, true));
}

sim::SimFaults onlyFirstEcho() {
    sim::SimFaults f;
    f.stopAfter = 2;  // hook reply, first echo
    return f;
}
sim::SimFaults wrongEcho(int n) {
    sim::SimFaults f;
    f.wrongEcho = n;
    return f;
}
sim::SimFaults secondEchoDropped() {
    sim::SimFaults f;
    f.dropOutput = 3;
    return f;
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteEcho,
                         ::testing::Values(EchoFault{"OnlyFirstEcho", onlyFirstEcho()},
                                           EchoFault{"SecondEchoDropped", secondEchoDropped()},
                                           EchoFault{"WrongFirstEcho", wrongEcho(1)},
                                           EchoFault{"WrongSecondEcho", wrongEcho(2)}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(WriteByte, ReadsTheWordAndWritesItBackWithOneByteChanged) {
    SimLink s;
    s.radio.memory()[0x300] = 0x11;
    s.radio.memory()[0x301] = 0x22;
    ASSERT_TRUE(s.hook());
    EXPECT_TRUE(s.link.writeByteAt(0x301, 0x99));
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0xE7, 0x00, 0xE6, 0x00, 0x11, 0x99}));
    EXPECT_EQ(s.radio.memory()[0x301], 0x99);
}

TEST(WriteByte, APartialMaskReadsTheWordTwice) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    EXPECT_TRUE(s.link.writeByteAt(98, 0x42));
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0xE1, 0x62, 0xE1, 0x62, 0xE0, 0x62, 0x42, 0x00}));
}

class PokeWithoutEcho : public ::testing::TestWithParam<int> {};

TEST_P(PokeWithoutEcho, Fails) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    s.radio.config().faults.silent = true;
    EXPECT_FALSE(s.link.pokeRam(0x60, static_cast<Byte>(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(values, PokeWithoutEcho, ::testing::Values(0x00, 0x5A, 0xFF));

TEST(Poke, WritesRamAndChecksTheEcho) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    EXPECT_TRUE(s.link.pokeRam(0x61, 0x00));
    EXPECT_TRUE(s.link.pokeRam(0x62, 0xAE));
    EXPECT_EQ(s.sent(), (Bytes{0xD0, 0x00, 0x61, 0x00, 0xD0, 0x00, 0x62, 0xAE}));
    EXPECT_EQ(s.radio.ram()[0x62], 0xAE);
}

TEST(Poke, ABlockStopsAtTheFirstByteNotEchoed) {
    sim::SimConfig c;
    c.faults.wrongEcho = 2;
    SimLink s(c);
    ASSERT_TRUE(s.hook());
    const Bytes block{0x10, 0x20, 0x30, 0x40};
    EXPECT_FALSE(s.link.pokeBlock(0x60, block));
    s.settle();
    EXPECT_EQ(s.sent().size(), 8u);  // two RAM writes
    EXPECT_TRUE(s.link.pokeBlock(0x70, block));
    EXPECT_EQ(s.radio.ram()[0x73], 0x40);
}

TEST(Execute, SendsTheFrameAndAwaitsNothing) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    const auto start = s.now();
    s.link.executeAt(0x60);
    EXPECT_EQ(s.now(), start);
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0xF0, 0x00, 0x60}));
    // Nothing was loaded there: the radio no longer answers.
    Word w{};
    EXPECT_FALSE(s.link.readWord(0, w));
}

TEST(Release, OnAClosedPortOpensSendsTheByteAndCloses) {
    SimLink s;
    s.link.releaseRadio();
    s.settle();
    EXPECT_EQ(s.port.opens(), 1);
    EXPECT_EQ(s.port.closes(), 1);
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_EQ(s.sent(), (Bytes{0x01}));
}

TEST(Release, EndSessionReleasesAndRestoresTheWindows) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    s.progress.barVisible = true;
    s.progress.mainWindowEnabled = false;
    s.link.endSession();
    s.settle();
    EXPECT_EQ(s.sent(), (Bytes{0x01}));
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_TRUE(s.progress.mainWindowEnabled);
    EXPECT_FALSE(s.progress.barVisible);
    // The radio is unhooked: a read now goes unanswered.
    ASSERT_TRUE(s.link.transport().openPort());
    Word w{};
    EXPECT_FALSE(s.link.readWord(0, w));
}

TEST(Release, EndSessionAfterAPortThatWouldNotOpenDoesNotAskAgain) {
    sim::VirtualPortOptions options;
    options.failingDevices = {{"/dev/ttyS0", "No such file or directory"}};
    SimLink s({}, options);
    EXPECT_FALSE(s.link.hookRadio(false));
    s.link.endSession();
    EXPECT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_TRUE(s.progress.mainWindowEnabled);
}

}  // namespace
}  // namespace zav
