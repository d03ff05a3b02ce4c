// The operations' results and what they leave behind: the document put back after a
// failed or cancelled read, the labels that do or do not travel, nothing on the line
// when a question or the link says no.

#include <gtest/gtest.h>

#include <functional>

#include "files/settings.h"
#include "model/document.h"
#include "ops/document_editor.h"
#include "ops/radio_operations.h"
#include "sim/label_memory.h"
#include "support/sim_link.h"

namespace zav {
namespace {

using Operation = OperationResult (RadioOperations::*)();
using R = RadioOperations;

struct OperationCase {
    const char* name;
    Operation operation;
    LabelSetting labels;
    std::vector<Answer> answers;
    std::function<void(test::SimLink&)> setup;
    OperationResult expected;
    bool sends = true;             // something went on the line
    bool keepsDocument = true;     // the document's image and labels are as before
    bool keepsRadioLabels = true;  // the radio's labels are as before
    int group = 3;                 // the selected group
};

void PrintTo(const OperationCase& c, std::ostream* os) {
    *os << c.name;
}

void none(test::SimLink& /*s*/) {}
void dropGroup3(test::SimLink& s) {
    s.radio.memory()[81] &= 0xF0;
}
void noGroups(test::SimLink& s) {
    std::fill_n(s.radio.memory().begin() + global_field::kPageMapFirst, global_field::kPageMapBytes,
                Byte{0});
}
void failFirstEcho(test::SimLink& s) {
    s.radio.config().faults.wrongEcho = 1;
}
void silent(test::SimLink& s) {
    s.radio.config().faults.silent = true;
}
void missLabels(test::SimLink& s) {
    s.radio.config().faults.labelMissFrame = 1;
    s.radio.config().faults.labelMisses = 4;
}
void cancelDuringTransfer(test::SimLink& s) {
    s.port.setOnYield([&s] {
        if (s.progress.values.size() == 3) s.progress.pressCancel();
    });
}

OperationResult failed(const char* message) {
    return OperationResult::failure(message);
}

const OperationResult kDone = OperationResult::success();
const OperationResult kCancelled = OperationResult::cancelled();
constexpr auto kAlways = LabelSetting::Always;
constexpr auto kNever = LabelSetting::Never;
constexpr auto kPrompt = LabelSetting::Prompt;

class Operations : public ::testing::TestWithParam<OperationCase> {};

TEST_P(Operations, EndAsTheyTellAndLeaveWhatTheyMust) {
    const OperationCase& c = GetParam();
    test::SimLink s;
    Document doc;
    for (std::size_t i = 0; i < doc.labels.size(); ++i) doc.labels[i] = static_cast<Byte>(i % 50);
    std::copy_n(doc.mem.begin(), s.radio.memory().size(), s.radio.memory().begin());
    for (std::size_t i = 16; i < 128; ++i) doc.mem[3 * 128 + i] ^= 0x11;  // group 3 edited
    writeLabelSetting(s.settings, static_cast<int>(c.labels));
    for (const Answer a : c.answers) s.prompts.queueAnswer(a);
    c.setup(s);
    DocumentEditor editor(doc, c.group);
    RadioOperations operations(doc, s.link, s.settings, editor);
    const MemImage image = doc.mem;
    const LabelImage labels = doc.labels;
    const sim::LabelMemory radioLabels = s.radio.labels();

    EXPECT_EQ((operations.*c.operation)(), c.expected);

    EXPECT_EQ(!s.sent().empty(), c.sends);
    EXPECT_EQ(doc.mem == image && doc.labels == labels, c.keepsDocument);
    EXPECT_EQ(s.radio.labels() == radioLabels, c.keepsRadioLabels);
    EXPECT_FALSE(s.link.busy());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Operations,
    ::testing::Values(
        OperationCase{"ReadGroup", &R::readGroup, kNever, {}, none, kDone, true, false},
        OperationCase{"ReadWithLabelsThatFail",
                      &R::readRadio,
                      kAlways,
                      {},
                      missLabels,
                      failed("the labels were not read"),
                      true,
                      false},
        OperationCase{"ReadCancelledAtTheLabelQuestion",
                      &R::readRadio,
                      kPrompt,
                      {Answer::Cancel},
                      none,
                      kCancelled,
                      false},
        OperationCase{"ReadOfAnAbsentGroupReadsNoLabels",
                      &R::readGroup,
                      kAlways,
                      {},
                      dropGroup3,
                      failed("group 3 is not on the radio")},
        OperationCase{"ReadGlobalOfASilentRadio",
                      &R::readGlobal,
                      kNever,
                      {},
                      silent,
                      failed("the global block was not read")},
        OperationCase{"ReadCancelled", &R::readGroup, kNever, {}, cancelDuringTransfer, kCancelled},
        OperationCase{
            "WriteNotConfirmed", &R::writeRadio, kNever, {Answer::Cancel}, none, kCancelled, false},
        OperationCase{"FailedGroupWriteStillSendsItsLabels",
                      &R::writeGroup,
                      kAlways,
                      {Answer::Ok, Answer::Cancel},
                      failFirstEcho,
                      failed("Write Group Failed"),
                      true,
                      true,
                      false},
        OperationCase{"AbsentGroupTakesNoLabels",
                      &R::writeGroup,
                      kAlways,
                      {Answer::Ok},
                      dropGroup3,
                      failed("group 3 is not on the radio")},
        OperationCase{"CancelledGroupWriteSendsNoLabels",
                      &R::writeGroup,
                      kAlways,
                      {Answer::Ok, Answer::Yes},
                      cancelDuringTransfer,
                      kCancelled},
        OperationCase{"WriteGlobalOfASilentRadio",
                      &R::writeGlobal,
                      kNever,
                      {Answer::Ok},
                      silent,
                      failed("Write Global Failed")},
        OperationCase{"WriteGroupWithoutASelectedGroup",
                      &R::writeGroup,
                      kAlways,
                      {},
                      none,
                      failed("no group is selected"),
                      false,
                      true,
                      true,
                      0},
        OperationCase{"LabelWriteOfAllGroups",
                      &R::labelWriteRadio,
                      kNever,
                      {},
                      none,
                      kDone,
                      true,
                      true,
                      false},
        OperationCase{"WriteWithNoGroupInCommon",
                      &R::writeRadio,
                      kAlways,
                      {Answer::Ok, Answer::Yes},
                      noGroups,
                      failed(R::kNoGroupInCommon)}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Operations, RefuseWhileAnotherRadioOperationRuns) {
    test::SimLink s;
    Document doc;
    DocumentEditor editor(doc, 1);
    RadioOperations operations(doc, s.link, s.settings, editor);
    const auto running = s.link.tryBeginOperation();
    EXPECT_EQ(operations.readGlobal(), failed("another radio operation is in progress"));
    EXPECT_EQ(s.prompts.texts(),
              std::vector<std::string>{"Another radio operation is in progress."});
    EXPECT_TRUE(s.sent().empty());
}

}  // namespace
}  // namespace zav
