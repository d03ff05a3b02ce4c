// Reading and writing the global block as whole connections, and the busy guard.

#include <gtest/gtest.h>

#include "link/global_transfer.h"
#include "support/sim_link.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::SimLink;

TEST(readGlobal, FillsTheGlobalBlockAndEndsTheSession) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    MemImage image{};
    image.fill(0x11);
    ASSERT_TRUE(readGlobal(s.link, image));
    for (std::size_t i = 0; i < 128; ++i) ASSERT_EQ(image[i], s.radio.memory()[i]) << i;
    EXPECT_EQ(image[128], 0x11);
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_EQ(s.prompts.beeps, 1);
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_TRUE(s.progress.mainWindowEnabled);
    EXPECT_FALSE(s.progress.barVisible);
    s.settle();
    EXPECT_EQ(s.radio.transcript().hostBytes().back(), 0x01);
}

TEST(readGlobal, ASilentRadioFailsAfterTheHookQuestionWithoutAMessageOfItsOwn) {
    sim::SimConfig c;
    c.faults.silent = true;
    SimLink s(c);
    MemImage image{};
    image.fill(0x11);
    EXPECT_FALSE(readGlobal(s.link, image));
    EXPECT_EQ(s.prompts.texts(), std::vector<std::string>{"Error Hooking to Radio."});
    EXPECT_EQ(image[0], 0x11);
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_EQ(s.prompts.beeps, 0);
}

TEST(readGlobal, CancelEndsItWithoutAMessage) {
    SimLink s;
    s.port.setOnYield([&] {
        if (s.progress.values.size() == 5) s.progress.pressCancel();
    });
    MemImage image{};
    EXPECT_FALSE(readGlobal(s.link, image));
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_FALSE(s.link.transport().isOpen());
}

TEST(readGlobal, ASecondOperationDuringAWaitIsRefusedNotInterleaved) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    MemImage inner{};
    bool innerResult = true;
    bool tried = false;
    s.port.setOnYield([&] {
        if (!tried && s.progress.values.size() == 3) {
            tried = true;
            innerResult = readGlobal(s.link, inner);
        }
    });
    MemImage image{};
    EXPECT_TRUE(readGlobal(s.link, image));
    EXPECT_TRUE(tried);
    EXPECT_FALSE(innerResult);
    EXPECT_EQ(s.prompts.texts(),
              std::vector<std::string>{"Another radio operation is in progress."});
    EXPECT_EQ(image[127], s.radio.memory()[127]);
    // The link is free again afterwards.
    EXPECT_FALSE(s.link.busy());
    s.prompts.messages.clear();
    EXPECT_TRUE(readGlobal(s.link, inner));
}

TEST(readGlobal, TwoLinksShareNothing) {
    SimLink a;
    SimLink b;
    test::fillPattern(b.radio.memory());
    bool nested = false;
    MemImage fromB{};
    a.port.setOnYield([&] {
        if (!nested) {
            nested = true;
            EXPECT_TRUE(readGlobal(b.link, fromB));
        }
    });
    MemImage fromA{};
    EXPECT_TRUE(readGlobal(a.link, fromA));
    EXPECT_EQ(fromA[5], 0);
    EXPECT_EQ(fromB[5], b.radio.memory()[5]);
}

TEST(writeGlobal, ChangesOnlyTheWritableBytesWhateverTheImageHolds) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    const auto before = s.radio.memory();
    MemImage image{};
    image.fill(0xFF);
    ASSERT_TRUE(writeGlobal(s.link, image));
    for (std::size_t i = 0; i < kRadioMemorySize; ++i) {
        Byte expected = before[i];
        if (i == 96 || i == 97 || i == 98 || i == 111) expected = 0xFF;
        if (i == 119) expected = static_cast<Byte>(0xF9 | (before[i] & 0x06));
        ASSERT_EQ(s.radio.memory()[i], expected) << i;
    }
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_EQ(s.prompts.beeps, 1);
    EXPECT_FALSE(s.link.transport().isOpen());
    // Released twice, paused, then hooked.
    EXPECT_EQ(s.port.blockingSleeps().front(), 500ms);
    const auto sent = s.radio.transcript().hostBytes();
    EXPECT_EQ(sent[0], 0x01);
    EXPECT_EQ(sent[1], 0x01);
    EXPECT_EQ(sent[2], 0x00);
}

TEST(writeGlobal, AFailedAttemptOffersRetryAndTheRetryWrites) {
    sim::SimConfig c;
    c.faults.wrongEcho = 1;  // the first echo only
    SimLink s(c);
    MemImage image{};
    image[96] = 0x12;
    s.prompts.queueAnswer(Answer::Retry);
    ASSERT_TRUE(writeGlobal(s.link, image));
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    const Message& m = s.prompts.messages[0];
    EXPECT_EQ(m.text, "Write Failed. Cycle Radio Power before Retrying.");
    EXPECT_EQ(m.title, "COMM ERROR");
    EXPECT_EQ(m.buttons, Buttons::RetryCancel);
    EXPECT_EQ(m.icon, Icon::Information);
    EXPECT_EQ(s.radio.memory()[96], 0x12);
    // Release, release, hook; the retry's first release finds the port still open.
    EXPECT_EQ(s.port.opens(), 5);
}

TEST(writeGlobal, CancelInTheFailureQuestionEndsWithFalse) {
    sim::SimConfig c;
    c.faults.wrongEcho = 0;
    SimLink s(c);
    MemImage image{};
    EXPECT_FALSE(writeGlobal(s.link, image));
    EXPECT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_EQ(s.prompts.beeps, 1);
}

TEST(writeGroup, CancelDuringTheBlockEndsWithoutTheRetryQuestion) {
    SimLink s;
    s.radio.memory()[82] = 0x80;  // group 4 present
    const auto before = s.radio.memory();
    s.port.setOnYield([&] {
        if (s.progress.values.size() == 10) s.progress.pressCancel();
    });
    MemImage image{};
    image.fill(0x5A);
    EXPECT_EQ(writeGroup(s.link, image, 4), GroupTransfer::Failed);
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_EQ(s.prompts.beeps, 1);
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_TRUE(s.progress.mainWindowEnabled);
    // The words before the Cancel are written; none after it.
    const std::size_t first = 4 * 128;
    EXPECT_EQ(s.radio.memory()[first], 0x5A);
    EXPECT_EQ(s.radio.memory()[first + 127], before[first + 127]);
}

TEST(writeGlobal, APortThatCannotOpenIsReportedOnce) {
    sim::VirtualPortOptions options;
    options.failingDevices = {{"/dev/ttyS0", "No such file or directory"}};
    SimLink s({}, options);
    MemImage image{};
    EXPECT_FALSE(writeGlobal(s.link, image));
    EXPECT_EQ(s.prompts.texts(), std::vector<std::string>{"Unable to open Comm Port"});
}

TEST(writeGroup, AGroupMissingOnTheRadioIsReportedAndLeftAlone) {
    SimLink s;
    s.radio.memory()[81] = 0x80;  // group 2 present, group 3 absent
    const auto before = s.radio.memory();
    MemImage image{};
    image.fill(0x77);
    EXPECT_EQ(writeGroup(s.link, image, 3), GroupTransfer::Absent);
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_EQ(s.prompts.messages[0].text, "Requested group does not exist on radio.");
    EXPECT_EQ(s.prompts.messages[0].title, "Write Group");
    EXPECT_EQ(s.prompts.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(s.radio.memory(), before);

    s.prompts.messages.clear();
    EXPECT_EQ(writeGroup(s.link, image, 2), GroupTransfer::Done);
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_EQ(s.radio.memory()[256], 0x77);
    EXPECT_EQ(s.radio.memory()[256 + 8], 0x00);
}

}  // namespace
}  // namespace zav
