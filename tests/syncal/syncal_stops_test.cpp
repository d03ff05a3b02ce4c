// A radio that stops answering mid-run ends the run within a few probes, and says so.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "sim/synthesizer.h"
#include "support/sim_link.h"
#include "syncal/syncal.h"
#include "syncal/syncal_sink.h"

namespace zav {
namespace {

using namespace std::chrono_literals;

// Silences the synthesizer when the run reaches a chosen step, as a radio whose supply
// fails mid-run would go quiet.
class StepTrigger final : public SyncalSink {
  public:
    std::string silenceAt;
    std::shared_ptr<sim::Synthesizer> synth;
    std::chrono::nanoseconds silencedAt{};
    const test::SimLink* sim = nullptr;
    void addStatusLine(const std::string& /*text*/) override {}
    void setStatusText(const std::string& text) override {
        if (text != silenceAt || synth->model().faults.silent) return;
        synth->model().faults.silent = true;
        silencedAt = sim->now();
    }
};

struct StopCase {
    const char* name;
    void (*arrange)(test::SimLink&, StepTrigger&);
    SyncalOutcome outcome;
    const char* message;
};

const StopCase kStops[] = {
    {"RadioDiesMidRun", [](test::SimLink&, StepTrigger& t) { t.silenceAt = "HIGH BAND CALC"; },
     SyncalOutcome::RadioSilent, "The radio stopped answering."},
    {"SilentSynthesizer", [](test::SimLink&, StepTrigger& t) { t.silenceAt = "LOW BAND CALC"; },
     SyncalOutcome::RadioSilent, "The radio stopped answering."},
};

class SyncalStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(SyncalStops, EndSoonWithTheirReasonAndWriteNothing) {
    const StopCase& c = GetParam();
    test::SimLink sim;
    StepTrigger trigger;
    trigger.sim = &sim;
    trigger.synth = sim::installSynthesizer(sim.radio, {});
    sim::setBandData(sim.radio.memory());
    c.arrange(sim, trigger);
    const auto before = sim.radio.memory();
    Syncal syncal(sim.link, sim.prompts, trigger);

    EXPECT_EQ(syncal.run(), c.outcome);

    ASSERT_EQ(sim.prompts.messages.size(), 1u);
    EXPECT_EQ(sim.prompts.messages[0].text, c.message);
    EXPECT_EQ(sim.prompts.messages[0].title, "Syncal Error");
    EXPECT_EQ(outcomeText(c.outcome), c.message);
    EXPECT_EQ(sim.radio.memory(), before);
    EXPECT_FALSE(sim.port.isOpen());
    if (trigger.synth->model().faults.silent) {
        // The unanswered probes in a row, each ended by the 0.5 s receive limit.
        EXPECT_LE(sim.now() - trigger.silencedAt, kSilentProbeLimit * 502ms + 100ms);
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, SyncalStops, ::testing::ValuesIn(kStops),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace zav
