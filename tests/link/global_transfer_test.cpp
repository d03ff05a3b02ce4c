// The global block and single groups as whole connections, and what every operation does
// when the port will not open or another operation holds the link.

#include <gtest/gtest.h>

#include <functional>

#include "link/dtmf_deviation.h"
#include "link/global_transfer.h"
#include "link/label_transfer.h"
#include "link/radio_read.h"
#include "link/radio_write.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::SimLink;
using Operation = std::function<bool(RadioLink&)>;

// Every operation that takes the link, as a success flag.
std::vector<std::pair<const char*, Operation>> operations() {
    static MemImage image{};
    static LabelImage labels{};
    return {
        {"readGlobal", [](RadioLink& l) { return readGlobal(l, image); }},
        {"writeGlobal", [](RadioLink& l) { return writeGlobal(l, image); }},
        {"writeGroup", [](RadioLink& l) { return writeGroup(l, image, 2) == GroupTransfer::Done; }},
        {"readGroup", [](RadioLink& l) { return readGroup(l, image, 2) == GroupTransfer::Done; }},
        {"readRadio", [](RadioLink& l) { return readRadio(l, image); }},
        {"writeRadio", [](RadioLink& l) { return writeRadio(l, image, false) == RadioWrite::Written; }},
        {"readLabels", [](RadioLink& l) { return readLabelsFromRadio(l, labels, -1); }},
        {"dtmf", [](RadioLink& l) { return writeDtmfDeviation(l, 3) == DtmfWriteResult::Written; }},
    };
}

TEST(Operations, AreRefusedWhileAnotherHoldsTheLinkAndLeaveItUndisturbed) {
    for (const auto& [name, op] : operations()) {
        SimLink s;
        test::fillPattern(s.radio.memory());
        const auto before = s.radio.memory();
        std::optional<bool> inner;
        s.port.setOnYield([&, op = op] {
            if (!inner && s.progress.values.size() == 3) inner = op(s.link);
        });
        MemImage image{};
        EXPECT_TRUE(readGlobal(s.link, image)) << name;
        ASSERT_TRUE(inner.has_value()) << name;
        EXPECT_FALSE(*inner) << name;
        EXPECT_EQ(s.prompts.texts(), std::vector<std::string>{"Another radio operation is in progress."})
            << name;
        EXPECT_EQ(image[127], s.radio.memory()[127]) << name;
        EXPECT_EQ(s.radio.memory(), before) << name;
        EXPECT_FALSE(s.link.busy()) << name;
    }
}

TEST(Operations, APortThatWillNotOpenIsReportedOnce) {
    auto ops = operations();
    ops.emplace_back("hook", [](RadioLink& l) { return l.hookRadio(false); });
    for (const auto& [name, op] : ops) {
        if (std::string_view(name).starts_with("read")) {
            continue;  // their own message follows
        }
        SimLink s({}, test::unopenablePort());
        EXPECT_FALSE(op(s.link)) << name;
        EXPECT_EQ(s.prompts.texts(), std::vector<std::string>{"Unable to open Comm Port"}) << name;
        EXPECT_EQ(s.port.opens(), 0) << name;
        EXPECT_FALSE(s.link.busy()) << name;
    }
}

TEST(Operations, TwoLinksShareNothing) {
    SimLink a;
    SimLink b;
    test::fillPattern(b.radio.memory());
    bool nested = false;
    MemImage fromB{};
    a.port.setOnYield([&] {
        if (!std::exchange(nested, true)) {
            EXPECT_TRUE(readGlobal(b.link, fromB));
        }
    });
    MemImage fromA{};
    EXPECT_TRUE(readGlobal(a.link, fromA));
    EXPECT_EQ(fromA[5], 0);
    EXPECT_EQ(fromB[5], b.radio.memory()[5]);
}

TEST(readGlobal, FillsTheGlobalBlockAndEndsTheSession) {
    SimLink s;
    test::fillPattern(s.radio.memory());
    MemImage image{};
    image.fill(0x11);
    ASSERT_TRUE(readGlobal(s.link, image));
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 128, s.radio.memory().begin()));
    EXPECT_EQ(image[128], 0x11);
    EXPECT_TRUE(s.prompts.messages.empty());
    EXPECT_EQ(s.prompts.beeps, 1);
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_TRUE(s.progress.mainWindowEnabled);
    EXPECT_FALSE(s.progress.barVisible);
    s.settle();
    EXPECT_EQ(s.radio.transcript().hostBytes().back(), 0x01);
}

TEST(readGlobal, FailureOrCancelLeavesTheImage) {
    for (const bool cancel : {false, true}) {
        SimLink s(test::withFaults(test::fault(&sim::SimFaults::stopAfter, cancel ? std::nullopt : std::optional(1 + 40))));
        s.port.setOnYield([&] {
            if (cancel && s.progress.values.size() == 5) s.progress.pressCancel();
        });
        MemImage image{};
        image.fill(0x11);
        s.radio.memory().fill(0x22);
        EXPECT_FALSE(readGlobal(s.link, image));
        EXPECT_EQ(image[0], 0x11);
        if (cancel) {
            EXPECT_TRUE(s.prompts.messages.empty());
        }
        EXPECT_FALSE(s.link.transport().isOpen());
    }
}

TEST(writeGroup, WritesOnlyWhatTheRadioLetsAGroupOrTheGlobalBlockChange) {
    for (const int g : {0, 7}) {
        SimLink s;
        test::fillPattern(s.radio.memory());
        s.radio.memory()[83] = 0x08;  // group 7 present
        const auto before = s.radio.memory();
        MemImage image{};
        image.fill(0xC3);
        ASSERT_EQ(writeGroup(s.link, image, g), GroupTransfer::Done) << g;
        test::expectMaskedWrite(before, s.radio.memory(), image, {g});
        EXPECT_TRUE(s.prompts.messages.empty());
        EXPECT_EQ(s.prompts.beeps, 1);
        EXPECT_FALSE(s.link.transport().isOpen());
    }
}

TEST(writeGroup, AGroupMissingOnTheRadioIsReportedAndLeftAlone) {
    SimLink s;
    s.radio.memory()[81] = 0x80;  // group 2 present, group 3 absent
    const auto before = s.radio.memory();
    MemImage image{};
    image.fill(0x77);
    EXPECT_EQ(writeGroup(s.link, image, 3), GroupTransfer::Absent);
    ASSERT_EQ(s.prompts.texts(), std::vector<std::string>{"Requested group does not exist on radio."});
    EXPECT_EQ(s.prompts.messages[0].title, "Write Group");
    EXPECT_EQ(s.prompts.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(s.radio.memory(), before);
}

TEST(writeGlobal, AFailedAttemptOffersRetryAndTheRetryWrites) {
    SimLink s(test::withFaults(test::fault(&sim::SimFaults::wrongEcho, 1)));
    MemImage image{};
    image[96] = 0x12;
    s.prompts.queueAnswer(Answer::Retry);
    ASSERT_TRUE(writeGlobal(s.link, image));
    ASSERT_EQ(s.prompts.texts(), test::kWriteFailed);
    EXPECT_EQ(s.prompts.messages[0].title, "COMM ERROR");
    EXPECT_EQ(s.prompts.messages[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(s.radio.memory()[96], 0x12);
    // Release, release, hook; the retry's first release finds the port still open.
    EXPECT_EQ(s.port.opens(), 5);
    EXPECT_EQ(s.port.blockingSleeps().front(), 500ms);
}

TEST(writeGroup, CancelEndsWithoutTheQuestionOrTheWordsAfterIt) {
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
    EXPECT_FALSE(s.link.transport().isOpen());
    EXPECT_TRUE(s.progress.mainWindowEnabled);
    EXPECT_EQ(s.radio.memory()[4 * 128], 0x5A);
    EXPECT_EQ(s.radio.memory()[4 * 128 + 127], before[4 * 128 + 127]);
}

}  // namespace
}  // namespace zav
