// The band check before the channel writes, on the simulated radio (zavtool's side:
// tests/tools/radio_check_commands_test.cpp): the question, and the groups checked.

#include <gtest/gtest.h>

#include "model/channel.h"
#include "model/document.h"
#include "ops/document_editor.h"
#include "ops/radio_operations.h"
#include "sim/synthesizer.h"
#include "support/history.h"
#include "support/sim_link.h"

namespace zav {
namespace {

using R = RadioOperations;

// Group 1 channel 1 receives at 420 MHz, group 3 channel 2 sends at 590 MHz; the radio's
// band is 450 to 512 MHz, and it lacks group 3 when `absent`. (The band unknown: zavtool's.)
TEST(BandCheck, AsksNamingTheChannelsOfTheGroupsTheWriteSends) {
    const std::string g1 = "\ngroup 1, channel 1: receive frequency 420.00000 MHz";
    const std::string g3 = "\ngroup 3, channel 2: transmit frequency 590.00000 MHz";
    // The group (0: the whole radio), backup, group 3 absent, the answer (none: not asked),
    // the channels named.
    const std::tuple<int, bool, bool, std::optional<Answer>, std::string> cases[] = {
        {0, true, true, Answer::No, g1},
        {0, false, true, Answer::No, g1 + g3},
        {3, true, false, Answer::Yes, g3},
        {2, false, false, std::nullopt, ""}};
    for (const auto& [group, backup, absent, answer, named] : cases) {
        test::SimLink s;
        Document doc;
        DocumentEditor editor(doc, group);
        test::History history;
        R ops(doc, s.link, s.settings, editor, &history.store);
        ops.setLabelSetting(LabelSetting::Never);
        ops.setBackupBeforeWrite(backup);
        std::fill_n(s.radio.memory().begin() + 80, 8, Byte{0x88});
        if (absent) s.radio.memory()[81] = 0x80;
        sim::setBandData(s.radio.memory());
        Channel(doc.mem, doc.labels, 0, 0).setRecFreq("420");
        Channel(doc.mem, doc.labels, 1, 13).setTxFreq("512");  // at the band's edges
        Channel(doc.mem, doc.labels, 1, 0).setRecFreq("450");
        Channel(doc.mem, doc.labels, 2, 1).setTxFreq("590");
        const sim::RadioMemory before = s.radio.memory();
        s.prompts.queueAnswer(Answer::Ok);                   // the confirmation
        if (group == 0) s.prompts.queueAnswer(Answer::Yes);  // the global block
        if (answer) s.prompts.queueAnswer(*answer);
        const OperationResult result = group == 0 ? ops.writeRadio() : ops.writeGroup();
        const bool written = answer.value_or(Answer::Yes) == Answer::Yes;
        EXPECT_EQ(result.done(), written) << group << named << result.message;
        EXPECT_EQ(s.radio.memory() != before, written);
        const auto asked =
            std::ranges::find(s.prompts.messages, std::string(R::kBandTitle), &Message::title);
        ASSERT_EQ(asked != s.prompts.messages.end(), answer.has_value());
        if (!answer) continue;
        EXPECT_EQ(asked->buttons, Buttons::YesNo);
        EXPECT_EQ(asked->defaultButton, DefaultButton::Second);
        EXPECT_EQ(asked->text,
                  "These channels lie outside the radio's band (450 to 512 MHz), "
                  "where its synthesizer cannot lock:" +
                      named + "\n\nWrite anyway?");
    }
}

}  // namespace
}  // namespace zav
