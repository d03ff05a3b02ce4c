// Alpha label transfers: bootstrap, frames, reversed order, retries, progress, Cancel.

#include <gtest/gtest.h>

#include "link/label_programs.h"
#include "link/label_transfer.h"
#include "sim/label_memory.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::SimLink;
using Bytes = std::vector<Byte>;

LabelImage randomLabels(unsigned seed) {
    LabelImage labels{};
    test::fillRandom(labels, seed);
    return labels;
}

// The progress of a label read and write (what travels: the operation table in tests/ops).
TEST(LabelTransfer, CountSlotsOnTheBarAndCloseTheWindow) {
    for (const auto& [groupIndex, maximum] : {std::pair{-1, 240}, {3, 16}}) {
        SimLink s;
        LabelImage labels = randomLabels(8);
        ASSERT_TRUE(readLabelsFromRadio(s.link, labels, groupIndex));
        EXPECT_EQ(s.progress.barCalls,
                  (std::vector<std::string>{"min 0", "max " + std::to_string(maximum)}));
        EXPECT_EQ(s.progress.values.back(), maximum);
        EXPECT_EQ(s.progress.shownText, "Please Wait - Reading Labels");
        EXPECT_FALSE(s.progress.shown);
        EXPECT_TRUE(s.progress.mainWindowEnabled);
        EXPECT_TRUE(s.prompts.messages.empty());
        s.progress.barCalls.clear();
        ASSERT_TRUE(writeLabelsToRadio(s.link, labels, groupIndex));
        EXPECT_EQ(s.progress.shownText, "Please Wait - Writing Labels");
        EXPECT_EQ(s.progress.enableCancelCalls, 1);  // the read's only
        EXPECT_EQ(s.progress.barCalls.back(), "max " + std::to_string(maximum));
        EXPECT_EQ(s.progress.values.back(), maximum);
    }
}

TEST(LabelTransfer, TheBootstrapPokesTheLoaderThenSendsTheProgramLastByteFirst) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    ASSERT_TRUE(startLabelTransfer(s.link));
    test::drain(s);
    const Bytes sent = s.sent();
    ASSERT_EQ(sent.size(), 25u * 4 + 3 + 2 + 152);
    for (std::size_t i = 0; i < 25; ++i)
        EXPECT_EQ((Bytes(sent.begin() + 4 * i, sent.begin() + 4 * i + 4)),
                  (Bytes{0xD0, 0x00, static_cast<Byte>(0xE0 + i), kLabelLoaderBlock[i + 1]}));
    EXPECT_EQ((Bytes(sent.begin() + 100, sent.begin() + 105)),
              (Bytes{0xF0, 0x00, 0xE0, 0x50, 0x98}));
    EXPECT_EQ(sent[105], 0x81);    // element 152
    EXPECT_EQ(sent.back(), 0xAE);  // element 1
    EXPECT_EQ(s.radio.programName(), "label program");
}

TEST(LabelTransfer, SlotOneIsWrittenReversedAndTheLastSlotUsesOffset1912) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    ASSERT_TRUE(startLabelTransfer(s.link));
    test::settleProgram(s);
    s.radio.transcript().clear();
    const LabelSlot slot{0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7};
    ASSERT_TRUE(writeLabel(s.link, 1, 1, slot));
    ASSERT_TRUE(writeLabel(s.link, 15, 16, slot));
    test::settleProgram(s);
    std::vector<std::string> expected;
    for (const int base : {0, 1912}) {
        for (int j = 0; j < 8; ++j) {
            char text[40];
            std::snprintf(text, sizeof text, "label write %03X = %02X", base + j, 0xB7 - j);
            expected.emplace_back(text);
        }
    }
    EXPECT_EQ(test::hostNotes(s.radio, "label write"), expected);
    const Bytes sent = s.sent();
    EXPECT_EQ((Bytes(sent.begin(), sent.begin() + 5)), (Bytes{0x03, 0x01, 0x68, 0x00, 0xB7}));
    EXPECT_LT(test::find(sent, {0x03, 0x01, 0x6F, 0x78, 0xB7}), sent.size());
    EXPECT_LT(test::find(sent, {0x03, 0x01, 0x6F, 0x7F, 0xB0}), sent.size());

    LabelSlot back{};
    s.radio.transcript().clear();
    ASSERT_TRUE(readLabel(s.link, 15, 16, back));
    EXPECT_EQ(back, slot);
    const Bytes readFrames = s.sent();
    EXPECT_EQ((Bytes(readFrames.begin(), readFrames.begin() + 4)), (Bytes{0x02, 0x01, 0x2F, 0x78}));
}

TEST(LabelTransfer, AWriteFramePausesAsTheRadioNeeds) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    ASSERT_TRUE(s.link.setBaud(1));
    ASSERT_TRUE(startLabelTransfer(s.link));
    test::settleProgram(s);
    s.radio.transcript().clear();
    ASSERT_TRUE(writeLabel(s.link, 2, 3, LabelSlot{}));
    std::vector<sim::SimTime> times;
    for (const auto& e : s.radio.transcript().entries())
        if (e.direction == sim::Direction::HostToRadio) times.push_back(e.time);
    ASSERT_GE(times.size(), 10u);
    // 03 01 go out together; each pause ends 1 ms late (a timer's tick).
    const sim::SimTime byte = sim::byteTime(9600);
    EXPECT_EQ(times[1] - times[0], byte);
    EXPECT_EQ(times[2] - times[1], 5ms - byte);
    EXPECT_EQ(times[3] - times[2], 6ms);
    EXPECT_EQ(times[4] - times[3], 6ms);
    // The echo comes back, then 7 ms pass before the next frame.
    EXPECT_EQ(times[5] - times[4], 2 * byte + 8ms);
}

TEST(LabelTransfer, AByteThatNeedsRetriesWaits7ThenMoreMilliseconds) {
    sim::SimConfig config;
    config.faults.labelMissFrame = 3;
    config.faults.labelMisses = 2;
    SimLink s(config);
    s.radio.labels() = sim::labelMemoryFromImage(randomLabels(3));
    ASSERT_TRUE(s.hook());
    ASSERT_TRUE(startLabelTransfer(s.link));
    test::settleProgram(s);
    s.radio.transcript().clear();
    LabelSlot buffer{};
    ASSERT_TRUE(readLabel(s.link, 2, 1, buffer));
    const auto reads = test::hostNotes(s.radio, "label read");
    ASSERT_EQ(reads.size(), 10u);
    EXPECT_EQ(reads[2], "label read 082: not answered");
    EXPECT_EQ(reads[3], "label read 082: not answered");
    EXPECT_EQ(reads[4], "label read 082");
    // Frame starts: a miss costs the 0.5 s limit (plus a tick), then the pause (plus a tick).
    std::vector<sim::SimTime> starts;
    const auto& entries = s.radio.transcript().entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].direction == sim::Direction::HostToRadio && entries[i].sent == 0x02 &&
            (i == 0 || entries[i - 1].direction == sim::Direction::RadioToHost ||
             entries[i - 1].note.starts_with("label read")))
            starts.push_back(entries[i].time);
    ASSERT_GE(starts.size(), 5u);
    EXPECT_EQ(starts[3] - starts[2], 501ms + 7ms + 1ms);
    EXPECT_EQ(starts[4] - starts[3], 501ms + 8ms + 1ms);
    EXPECT_EQ(sim::labelImageFromMemory(s.radio.labels())[labelIndex(1, 0, 5)], buffer[5]);
}

TEST(LabelTransfer, FourMissesOfOneByteFailTheRead) {
    sim::SimConfig config;
    config.faults.labelMissFrame = 20;
    config.faults.labelMisses = 4;
    SimLink s(config);
    LabelImage labels{};
    EXPECT_FALSE(readLabelsFromRadio(s.link, labels, 0));
    EXPECT_EQ(labels, LabelImage{});
    EXPECT_EQ(s.prompts.texts(), std::vector<std::string>{"Unable to upload data from radio"});
    test::drain(s);
    // The closing steps still ran: read mode cleared, the program ended, the radio released.
    EXPECT_EQ(test::hostNotes(s.radio, "register"),
              (std::vector<std::string>{"register F6 = 00", "register FE = 44", "register FF = 10",
                                        "register F6 = 80", "register FE = 45"}));
    EXPECT_EQ(s.radio.programName(), "resident firmware");
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_FALSE(s.progress.barVisible);
}

TEST(LabelTransfer, CancelDuringAReadStopsBeforeTheNextFrameWithoutAMessage) {
    SimLink s;
    s.radio.labels() = sim::labelMemoryFromImage(randomLabels(5));
    s.port.setOnYield([&] {
        if (s.progress.values.size() == 3) s.progress.pressCancel();
    });
    LabelImage labels{};
    EXPECT_FALSE(readLabelsFromRadio(s.link, labels, -1));
    EXPECT_EQ(labels, LabelImage{});  // nothing of the slots read before the cancel
    EXPECT_TRUE(s.prompts.messages.empty());
    test::drain(s);
    // Three slots and at most the first byte of the fourth.
    EXPECT_LE(test::hostNotes(s.radio, "label read").size(), 3u * 8 + 1);
    EXPECT_EQ(test::hostNotes(s.radio, "register").size(), 5u);
    EXPECT_EQ(s.radio.programName(), "resident firmware");
    EXPECT_FALSE(s.progress.shown);
}

TEST(LabelTransfer, CancelIsEnabledOnlyAfterTheBootstrapOfARead) {
    SimLink s;
    bool enabledDuringBootstrap = false;
    s.port.setOnYield([&] {
        if (s.radio.programName() != "label program" && s.progress.cancelEnabled)
            enabledDuringBootstrap = true;
    });
    LabelImage labels{};
    ASSERT_TRUE(readLabelsFromRadio(s.link, labels, 2));
    EXPECT_FALSE(enabledDuringBootstrap);
    EXPECT_EQ(s.progress.enableCancelCalls, 1);
}

TEST(LabelTransfer, ALoaderByteNotEchoedEndsBeforeAnyLabelFrame) {
    for (const bool read : {true, false}) {
        sim::SimConfig config;
        config.faults.noRamEcho = 2;  // the baud register write is the first
        SimLink s(config);
        LabelImage labels{};
        EXPECT_FALSE(read ? readLabelsFromRadio(s.link, labels, -1)
                          : writeLabelsToRadio(s.link, labels, -1));
        EXPECT_EQ(s.prompts.texts(), std::vector<std::string>{"Transfer initialization error"});
        test::drain(s);
        EXPECT_TRUE(test::hostNotes(s.radio, "label").empty());
        EXPECT_TRUE(test::hostNotes(s.radio, "register").empty());
        // The line went back to 4800 baud before the message.
        EXPECT_EQ(test::hostNotes(s.radio, "RAM write 0D = 31").size(), 1u);
        EXPECT_FALSE(s.link.transport().isOpen());
        EXPECT_FALSE(s.progress.shown);
    }
}

TEST(LabelTransfer, AGroupAbove15IsRefusedBeforeAnyFrame) {
    SimLink s;
    LabelImage labels{};
    EXPECT_FALSE(readLabelsFromRadio(s.link, labels, 15));
    EXPECT_EQ(s.prompts.texts(), (std::vector<std::string>{"Requested bank is invalid",
                                                           "Unable to upload data from radio"}));
    s.prompts.messages.clear();
    EXPECT_FALSE(writeLabelsToRadio(s.link, labels, 15));
    EXPECT_EQ(s.prompts.texts(), (std::vector<std::string>{"Requested bank is invalid",
                                                           "Unable to upload data to radio"}));
    test::drain(s);
    EXPECT_TRUE(test::hostNotes(s.radio, "label").empty());
}

}  // namespace
}  // namespace zav
