// An operation refused while another holds the link leaves the running one undisturbed; a
// failed global write asks and the retry writes. (Every operation's refusal, and the faults
// as a user meets them: the matrix in tests/ops.)

#include <gtest/gtest.h>

#include <functional>

#include "link/dtmf_deviation.h"
#include "link/global_transfer.h"
#include "link/label_transfer.h"
#include "link/radio_write.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::SimLink;
using Operation = std::function<bool(RadioLink&)>;

// Operations that take the link, as a success flag: a write, a label transfer, the DTMF write.
std::vector<std::pair<const char*, Operation>> operations() {
    static MemImage image{};
    static LabelImage labels{};
    return {
        {"writeRadio",
         [](RadioLink& l) {
             return writeRadio(l, image, GlobalBlock::Write) == RadioWrite::Written;
         }},
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
        // The inner one refused; the global block read at the speed the radio starts at.
        EXPECT_EQ(
            std::tuple(inner, s.prompts.texts(), image[127],
                       test::hostNotes(s.radio, "RAM write 0D").empty(), s.radio.memory(),
                       s.link.busy()),
            std::tuple(std::optional(false), test::Texts{"Another radio operation is in progress."},
                       s.radio.memory()[127], true, before, false))
            << name;
    }
}

TEST(writeGlobal, AFailedAttemptOffersRetryAndTheRetryWrites) {
    SimLink s({.faults = {.wrongEcho = 1}});
    MemImage image{};
    image[96] = 0x12;
    s.prompts.queueAnswer(Answer::Retry);
    ASSERT_TRUE(writeGlobal(s.link, image));
    ASSERT_EQ(s.prompts.texts(), test::kWriteFailed);
    EXPECT_EQ(std::tuple(s.prompts.messages[0].title, s.prompts.messages[0].buttons,
                         s.radio.memory()[96]),
              std::tuple("COMM ERROR", Buttons::RetryCancel, 0x12));
    // Release, release, hook; the retry's first release finds the port still open.
    EXPECT_EQ(std::tuple(s.port.opens(), s.port.blockingSleeps().front()), std::tuple(5, 500ms));
}

}  // namespace
}  // namespace zav
