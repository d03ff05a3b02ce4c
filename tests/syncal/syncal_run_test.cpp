#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "sim/synthesizer.h"
#include "support/sim_link.h"
#include "syncal/recording_sink.h"
#include "syncal/syncal.h"

namespace zav {
namespace {

using namespace std::chrono_literals;

constexpr Byte kKept77 = 0x5A;
constexpr Byte kKept6F = 0xC3;

// The alignment against the simulated radio with its synthesizer, on a virtual clock.
class SyncalRun : public ::testing::Test {
  protected:
    explicit SyncalRun(sim::SynthModel model = {}, sim::SimConfig config = {}) : sim(config) {
        synth = sim::installSynthesizer(sim.radio, model);
        sim::setBandData(sim.radio.memory());
        sim.radio.memory()[0x77] = kKept77;
        sim.radio.memory()[0x6F] = kKept6F;
        before = sim.radio.memory();
    }

    // The result area 0x68..0x77 as it is now.
    std::vector<Byte> results() const {
        const auto& m = sim.radio.memory();
        return {m.begin() + 0x68, m.begin() + 0x78};
    }
    std::vector<Byte> resultsBefore() const {
        return {before.begin() + 0x68, before.begin() + 0x78};
    }
    // The radio was released last and the port is closed.
    void expectReleased() {
        sim.settle();
        const auto sent = sim.radio.transcript().hostBytes();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), 0x01);
        EXPECT_FALSE(sim.port.isOpen());
    }

    test::SimLink sim;
    std::shared_ptr<sim::Synthesizer> synth;
    sim::RadioMemory before{};
    test::RecordingSink sink;
    Syncal syncal{sim.link, sim.prompts, sink};
};

TEST_F(SyncalRun, ReadsTheBandDataAndReleases) {
    ASSERT_TRUE(syncal.readSyncalParameters());
    EXPECT_EQ(syncal.band().lowFreq, 450.0);
    EXPECT_EQ(syncal.band().highFreq, 512.0);
    EXPECT_EQ(syncal.band().keptRx, kKept77);
    EXPECT_EQ(syncal.band().keptTx, kKept6F);
    expectReleased();
    EXPECT_TRUE(sim.prompts.messages.empty());
}

TEST_F(SyncalRun, ProbeFrameAndAnswer) {
    ASSERT_TRUE(sim.hook());
    const auto start = sim.now();
    EXPECT_FALSE(syncal.probeSync(403.0, 7, false));  // far below the lock range
    // Five bytes out and one back, each 10 bit times at 4800 baud.
    EXPECT_EQ(sim.now() - start, 6 * sim::byteTime(4800));
    EXPECT_EQ(sim.sent(), (std::vector<Byte>{0x30, 251, 225, 0x40, 7}));

    sim.radio.transcript().clear();
    const auto [low, high] = synth->lockWindow(true, 12);
    const double inside = onRaster((low + high) / 2);
    EXPECT_TRUE(syncal.probeSync(inside, 12, true));
    const FreqWord w = probeFrequency(inside);
    EXPECT_EQ(sim.sent(), (std::vector<Byte>{0x30, w.hi, w.lo, 0xC0, 12}));
    ASSERT_EQ(synth->probes().size(), 2u);
    EXPECT_TRUE(synth->probes()[1].tx);
    EXPECT_NEAR(synth->probes()[1].freq, inside, 0.00625);
}

TEST_F(SyncalRun, UnansweredProbeCountsAsInSync) {
    synth->model().faults.silent = true;
    ASSERT_TRUE(sim.hook());
    const auto start = sim.now();
    EXPECT_TRUE(syncal.probeSync(403.0, 0, false));
    // The 0.5 s receive limit, ended by the first timer tick after it.
    EXPECT_EQ(sim.now() - start, 501ms);
}

TEST_F(SyncalRun, FullRunWritesBothPaths) {
    EXPECT_EQ(syncal.run(), SyncalOutcome::Completed);

    ASSERT_EQ(sim.prompts.messages.size(), 1u);
    const Message& m = sim.prompts.messages[0];
    EXPECT_EQ(m.text, "RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL");
    EXPECT_EQ(m.title, "UHF Syncal");
    EXPECT_EQ(m.icon, Icon::Information);
    EXPECT_EQ(m.buttons, Buttons::Ok);

    // Receiver results at 0x70..0x77, transmitter results at 0x68..0x6F; the kept bytes
    // go back unchanged.
    EXPECT_EQ(results(), (std::vector<Byte>{
                             24, 252, 42, 116, 153, 104, 134, kKept6F,  // TX
                             24, 204, 42, 230, 148, 138, 133, kKept77,  // RX
                         }));
    // Nothing else of the radio's memory changed.
    auto now = sim.radio.memory();
    std::copy(before.begin() + 0x68, before.begin() + 0x78, now.begin() + 0x68);
    EXPECT_EQ(now, before);

    EXPECT_EQ(sink.log, (std::vector<std::string>{
                            "RX CALIBRATION SUCCESSFUL",
                            "LOW FREQUENCY AND D/A:   449.275 --  50",
                            "MID FREQUENCY AND D/A:   478.2375 --  30",
                            "LOWER SIDE SLOPE     :   .72265625",
                            "UPPER SIDE SLOPE     :   .6494140625",
                            "LO/HI BAND OFFSETS   :   8 --  10",
                            " ",
                            "TX CALIBRATION SUCCESSFUL",
                            "LOW FREQUENCY AND D/A:   449.575 --  52",
                            "MID FREQUENCY AND D/A:   477.525 --  32",
                            "LOWER SIDE SLOPE     :   .7470703125",
                            "UPPER SIDE SLOPE     :   .654296875",
                            "LO/HI BAND OFFSETS   :   6 --  8",
                            " ",
                        }));
    EXPECT_EQ(sink.statuses, (std::vector<std::string>{
                                 "LOW BAND CALC", "HIGH BAND CALC", "MID BAND CALC", "TX BAND CALC",
                                 "LOW BAND CALC", "HIGH BAND CALC", "MID BAND CALC", ""}));
    EXPECT_EQ(sink.events.front(), "start off");
    EXPECT_EQ(sink.events[1], "clear");
    EXPECT_EQ(sink.events[2], "run controls");
    EXPECT_EQ(std::vector<std::string>(sink.events.end() - 3, sink.events.end()),
              (std::vector<std::string>{"idle controls", "status ", "start on"}));

    // 90 receiver probes with control 0x40, then 94 transmitter probes with 0xC0.
    const auto& probes = synth->probes();
    ASSERT_EQ(probes.size(), 184u);
    for (std::size_t i = 0; i < probes.size(); ++i)
        ASSERT_EQ(probes[i].control, i < 90 ? 0x40 : 0xC0) << i;
    EXPECT_EQ(syncal.values().highDac, 14);
    EXPECT_EQ(syncal.values().highFreq, 504.9625);
    EXPECT_FALSE(syncal.running());
    expectReleased();
}

TEST_F(SyncalRun, BusyLinkRefusesToStart) {
    const RadioLink::BusyGuard busy(sim.link);
    syncal.run();
    EXPECT_EQ(sim.prompts.texts(),
              (std::vector<std::string>{"Another radio operation is in progress."}));
    EXPECT_TRUE(synth->probes().empty());
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(SyncalRun, HookFailureShowsOnlyItsOwnMessage) {
    sim.radio.config().faults.silent = true;
    syncal.run();
    EXPECT_EQ(sim.prompts.texts(), (std::vector<std::string>{"Error Hooking to Radio."}));
    EXPECT_EQ(sink.events, (std::vector<std::string>{"start off", "start on"}));
    EXPECT_FALSE(sim.port.isOpen());
    EXPECT_FALSE(syncal.running());
}

TEST_F(SyncalRun, FailedResultWriteIsNotReportedAsSuccess) {
    sim.radio.config().faults.wrongEcho = 1;  // the first result word's echo is wrong
    syncal.run();
    ASSERT_EQ(sim.prompts.messages.size(), 1u);
    EXPECT_EQ(sim.prompts.messages[0].text, "Unable to write the alignment results to the radio.");
    EXPECT_EQ(sim.prompts.messages[0].title, "Syncal Error");
    // No transmitter step after the failed receiver write.
    for (const auto& p : synth->probes()) ASSERT_FALSE(p.tx);
    expectReleased();
}

TEST_F(SyncalRun, ClosingTheWindowAbandonsTheRun) {
    int yields = 0;
    sim.port.setOnYield([&] {
        // Part way through the receiver's probes.
        if (synth->probes().size() == 40 && ++yields == 1) syncal.abort();
    });
    syncal.run();
    EXPECT_TRUE(sim.prompts.messages.empty());
    EXPECT_EQ(results(), resultsBefore());
    // The probe already on the wire when the window closed still reaches the radio.
    EXPECT_EQ(synth->probes().size(), 41u);
    EXPECT_FALSE(syncal.running());
    expectReleased();
    // Hooked for the parameter read and for the run; released after each, the second
    // time by the abandon only.
    int hooks = 0;
    int releases = 0;
    for (const auto& e : sim.radio.transcript().entries()) {
        hooks += e.note == "hook" ? 1 : 0;
        releases += e.note == "release" ? 1 : 0;
    }
    EXPECT_EQ(hooks, 2);
    EXPECT_EQ(releases, 2);
    EXPECT_EQ(sink.events.back(), "start on");
}

// A curve whose midpoint has to be rounded, and whose high point lies below D/A 8.
class SyncalRoundedRun : public SyncalRun {
  protected:
    static sim::SynthModel model() {
        sim::SynthModel m;
        m.rx = {504.003, 1.1, 0, 5.0};
        return m;
    }
    SyncalRoundedRun() : SyncalRun(model()) {}
};

TEST_F(SyncalRoundedRun, WarnsAboutTheMidpointAndTheHighRange) {
    ASSERT_TRUE(syncal.readSyncalParameters());  // band 450 to 512 MHz
    ASSERT_TRUE(sim.hook());
    EXPECT_TRUE(syncal.bandCalc(false));
    EXPECT_EQ(sink.statuses, (std::vector<std::string>{"LOW BAND CALC", "HIGH BAND CALC",
                                                       "WARNING -- CURVE MIDPOINT HAS BEEN ROUNDED",
                                                       "MID BAND CALC"}));
    EXPECT_EQ(sink.log, (std::vector<std::string>{
                            "WARNING:  RX D/A OUTSIDE HIGH RANGE",
                            "RX CALIBRATION SUCCESSFUL",
                            "LOW FREQUENCY AND D/A:   449.025 --  49",
                            "MID FREQUENCY AND D/A:   477.4375 --  25",
                            "LOWER SIDE SLOPE     :   .87890625",
                            "UPPER SIDE SLOPE     :   .9033203125",
                            "LO/HI BAND OFFSETS   :   9 --  15",
                            " ",
                        }));
    ASSERT_TRUE(syncal.result());
    EXPECT_EQ(syncal.result()->bandOffsets, 9 * 16 + 15);
    EXPECT_EQ(syncal.values().highDac, 0);
}

struct FailureCase {
    const char* name;
    sim::SynthModel model;
    SyncalOutcome outcome;
    int status;  // the number zavtool shows
    const char* message;
    bool rxWritten;  // the receiver step succeeded before the failure
};

sim::SynthModel Bowed(double bow) {
    sim::SynthModel m;
    m.faults.bow = bow;
    return m;
}
sim::SynthModel LowBandMissing() {
    sim::SynthModel m;
    m.rx.top = 400;  // the receiver never locks near the band: the low search falls to 403
    return m;
}
sim::SynthModel TxOffsetTooLarge() {
    sim::SynthModel m;
    m.tx = {528.103, 1.5, 0.005, 4.5};  // low D/A 65: the low offset would be -7
    return m;
}
sim::SynthModel TxTooSteep() {
    sim::SynthModel m;
    m.tx = {540.003, 3.2, 0.03, 3.0};  // flat near the low end: lower slope 266
    return m;
}

const FailureCase kFailures[] = {
    {"StraddlesTopEdge", Bowed(38), SyncalOutcome::SyncBelowLow, 249, "FM out of range range.",
     false},
    {"AboveTheBand", Bowed(40), SyncalOutcome::SyncAboveHigh, 251, "FM out of range range.",
     false},
    {"LowBandMissing", LowBandMissing(), SyncalOutcome::SyncNotFound, 253,
     "Unable to detect sync range.", false},
    {"TxOffsetTooLarge", TxOffsetTooLarge(), SyncalOutcome::SyncNotFound, 253,
     "Unable to detect sync range.", true},
    {"TxTooSteep", TxTooSteep(), SyncalOutcome::SyncNotFound, 253, "Unable to detect sync range.",
     true},
};

class SyncalFailure : public SyncalRun, public ::testing::WithParamInterface<FailureCase> {
  protected:
    SyncalFailure() : SyncalRun(GetParam().model) {}
};

TEST_P(SyncalFailure, EndsWithItsMessageAndWritesNothingOfTheFailedStep) {
    const FailureCase& c = GetParam();
    const SyncalOutcome outcome = syncal.run();
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(statusNumber(outcome), c.status);
    ASSERT_EQ(sim.prompts.messages.size(), 1u);
    const Message& m = sim.prompts.messages[0];
    EXPECT_EQ(m.text,
              std::string(c.message) + "\rMake sure squelch knob is in the Code Guard position.");
    EXPECT_EQ(m.title, "Syncal Error");
    EXPECT_EQ(m.icon, Icon::Exclamation);

    std::vector<Byte> expected = resultsBefore();
    if (c.rxWritten) {
        const std::vector<Byte> rx{24, 204, 42, 230, 148, 138, 133, kKept77};
        std::copy(rx.begin(), rx.end(), expected.begin() + 8);
    }
    EXPECT_EQ(results(), expected);
    EXPECT_FALSE(syncal.result());
    // A failed receiver step is not followed by the transmitter's.
    const bool anyTx = std::any_of(synth->probes().begin(), synth->probes().end(),
                                   [](const sim::ProbeRecord& p) { return p.tx; });
    EXPECT_EQ(anyTx, c.rxWritten);
    EXPECT_EQ(sink.events.back(), "start on");
    EXPECT_FALSE(syncal.running());
    expectReleased();
}

// The two out-of-range cases fail where they should: on the derived results, after all
// three transmitter band steps.
class SyncalTxResultsOutOfRange : public SyncalRun {
  protected:
    explicit SyncalTxResultsOutOfRange(sim::SynthModel m) : SyncalRun(m) {}
    void run() {
        syncal.run();
        const auto mid = std::count(sink.statuses.begin(), sink.statuses.end(), "MID BAND CALC");
        EXPECT_EQ(mid, 2);
        EXPECT_EQ(sink.log.size(), 7u);  // the receiver's lines only
    }
};
class SyncalTxOffset : public SyncalTxResultsOutOfRange {
  protected:
    SyncalTxOffset() : SyncalTxResultsOutOfRange(TxOffsetTooLarge()) {}
};
class SyncalTxSlope : public SyncalTxResultsOutOfRange {
  protected:
    SyncalTxSlope() : SyncalTxResultsOutOfRange(TxTooSteep()) {}
};
TEST_F(SyncalTxOffset, LowDacAbove58) {
    run();
    EXPECT_EQ(syncal.values().lowDac, 65);
    EXPECT_EQ(syncal.values().loBandOffset, -7);
}
TEST_F(SyncalTxSlope, LowerSlopeAbove255) {
    run();
    EXPECT_EQ(syncal.values().lowerSlope, 266);
    EXPECT_EQ(syncal.values().loBandOffset, 2);
}

INSTANTIATE_TEST_SUITE_P(Faults, SyncalFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace zav
