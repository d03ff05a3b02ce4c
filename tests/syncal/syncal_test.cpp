#include "syncal/syncal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "sim/synthesizer.h"
#include "support/sim_link.h"
#include "syncal/syncal_sink.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

constexpr Byte kKept77 = 0x5A;
constexpr Byte kKept6F = 0xC3;
const std::vector<Byte> kRxResults{24, 204, 42, 230, 148, 138, 133, kKept77};
const char* const kSquelch = "\rMake sure squelch knob is in the Code Guard position.";

// Records everything the alignment shows, in order.
struct RecordingSink final : SyncalSink {
    void addStatusLine(const std::string& text) override { log.push_back(text); }
    void setStatusText(const std::string& text) override {
        statuses.push_back(text);
        events.push_back(text);
    }
    void clearLog() override { events.push_back("clear"); }
    void showRunControls() override { events.push_back("run controls"); }
    void showIdleControls() override { events.push_back("idle controls"); }
    void setStartEnabled(bool enabled) override {
        events.push_back(enabled ? "start on" : "start off");
    }
    Texts log, statuses, events;
};

// The alignment against the simulated radio and its synthesizer, on a virtual clock.
class SyncalRun : public ::testing::Test {
  protected:
    explicit SyncalRun(sim::SynthModel model = {}) {
        synth = sim::installSynthesizer(sim.radio, model);
        sim::setBandData(sim.radio.memory());
        sim.radio.memory()[0x77] = kKept77;
        sim.radio.memory()[0x6F] = kKept6F;
        before = sim.radio.memory();
    }
    // The result area 0x68..0x77 (transmitter, then receiver) now and before the run.
    std::vector<Byte> results(const sim::RadioMemory& m) const {
        return {m.begin() + 0x68, m.begin() + 0x78};
    }
    bool anyTxProbe() const {
        return std::any_of(synth->probes().begin(), synth->probes().end(),
                           [](const auto& p) { return p.tx; });
    }
    // The radio was released last and the port is closed.
    void expectReleased() {
        sim.settle();
        EXPECT_EQ(sim.radio.transcript().hostBytes().back(), 0x01);
        EXPECT_FALSE(sim.port.isOpen());
        EXPECT_FALSE(syncal.running());
    }

    test::SimLink sim;
    std::shared_ptr<sim::Synthesizer> synth;
    sim::RadioMemory before{};
    RecordingSink sink;
    Syncal syncal{sim.link, sim.prompts, sink};
};

TEST_F(SyncalRun, FullRunWritesBothPaths) {
    EXPECT_EQ(syncal.run(), kSyncalOk);
    EXPECT_EQ(std::tuple(syncal.radioLowFreq, syncal.radioHighFreq), std::tuple(450.0, 512.0));
    ASSERT_EQ(sim.prompts.texts(), Texts{"RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL"});
    const Message& m = sim.prompts.messages[0];
    EXPECT_EQ(std::tie(m.title, m.icon, m.buttons),
              std::tuple("UHF Syncal", Icon::Information, Buttons::Ok));
    std::vector<Byte> expected{24,  252, 42,  116,
                               153, 104, 134, kKept6F};  // the kept bytes go back unchanged
    expected.insert(expected.end(), kRxResults.begin(), kRxResults.end());
    EXPECT_EQ(results(sim.radio.memory()), expected);
    auto now = sim.radio.memory();  // nothing else of the radio's memory changed
    std::copy(before.begin() + 0x68, before.begin() + 0x78, now.begin() + 0x68);
    EXPECT_EQ(now, before);
    EXPECT_EQ(
        sink.log,
        (Texts{"RX CALIBRATION SUCCESSFUL", "LOW FREQUENCY AND D/A:   449.275 --  50",
               "MID FREQUENCY AND D/A:   478.2375 --  30", "LOWER SIDE SLOPE     :   .72265625",
               "UPPER SIDE SLOPE     :   .6494140625", "LO/HI BAND OFFSETS   :   8 --  10", " ",
               "TX CALIBRATION SUCCESSFUL", "LOW FREQUENCY AND D/A:   449.575 --  52",
               "MID FREQUENCY AND D/A:   477.525 --  32", "LOWER SIDE SLOPE     :   .7470703125",
               "UPPER SIDE SLOPE     :   .654296875", "LO/HI BAND OFFSETS   :   6 --  8", " "}));
    EXPECT_EQ(sink.events,
              (Texts{"start off", "clear", "run controls", "LOW BAND CALC", "HIGH BAND CALC",
                     "MID BAND CALC", "TX BAND CALC", "LOW BAND CALC", "HIGH BAND CALC",
                     "MID BAND CALC", "idle controls", "", "start on"}));
    // 90 receiver probes with control 0x40, then 94 transmitter probes with 0xC0.
    ASSERT_EQ(synth->probes().size(), 184u);
    for (std::size_t i = 0; i < 184; ++i)
        ASSERT_EQ(synth->probes()[i].control, i < 90 ? 0x40 : 0xC0) << i;
    EXPECT_EQ(std::tuple(syncal.values.highDac, syncal.values.highFreq), std::tuple(14, 504.9625));
    expectReleased();
}

TEST_F(SyncalRun, AnUnansweredProbeCountsAsInSync) {
    ASSERT_TRUE(sim.hook());
    synth->model().faults.silent = true;
    syncal.noUnlockSeen = true;
    EXPECT_TRUE(syncal.probeSync(403.0, kProbeControl));
    EXPECT_TRUE(syncal.noUnlockSeen);
}

// Probes answered from a script: in sync for the first `inSync` probes, then never.
class SyncalScripted : public SyncalRun {
  protected:
    void script(int inSync) {
        probes.clear();
        sim.radio.installFrame(
            kProbeCommand, kProbeFrameLength, [=, this](sim::SimRadio& r, std::span<const Byte> f) {
                probes.push_back(numberText(sim::decodeFrequencyWord(f[1], f[2])) + "/" +
                                 std::to_string(f[4]));
                r.send(static_cast<int>(probes.size()) <= inSync ? Byte{0} : Byte{1});
            });
    }
    Texts probes;
};

TEST_F(SyncalScripted, SearchesStopAtTheirLimits) {
    ASSERT_TRUE(sim.hook());
    syncal.dacValue = 30;
    script(0);  // upward edge search: out of range once at the high end
    syncal.findSyncEdges(450, 456.4);
    EXPECT_EQ(syncal.syncalStatus, kSyncAboveHigh);
    EXPECT_EQ(probes, (Texts{" 453.2/30"}));
    script(4);  // the low edge at once; downward: out of range once at the low end
    syncal.syncalStatus = kSyncalOk;
    syncal.findSyncEdges(450, 456.4);
    EXPECT_EQ(syncal.syncalStatus, kSyncBelowLow);
    EXPECT_EQ(probes, (Texts{" 453.2/30", " 451.6/30", " 450.8/30", " 450.4/30", " 453.2/30"}));
    script(100);  // the step halves down to 0.2 MHz each way
    syncal.syncalStatus = kSyncalOk;
    syncal.findSyncEdges(450, 456.4);
    EXPECT_EQ(std::tuple(syncal.syncalStatus, syncal.syncLow, syncal.syncHigh),
              std::tuple(kSyncalOk, 450.0, 456.4));
    EXPECT_EQ(probes.size(), 8u);
    // The low band search: D/A 55 to 44 at Int(1.0199 x low edge), then D/A 43 in 3.2 MHz
    // steps down to 403 MHz; the high band search: D/A 0 to 31.
    script(0);
    syncal.radioLowFreq = 442.25;
    syncal.radioHighFreq = 512;
    EXPECT_FALSE(syncal.lowBandCalc());
    ASSERT_EQ(probes.size(), 26u);
    EXPECT_EQ(std::tie(probes[0], probes[11], probes[12], probes[25]),
              std::tuple(" 451/55", " 451/44", " 447.8/43",
                         " 406.20625/43"));  // below 409.6 MHz a probe word has its low bit set
    EXPECT_EQ(sink.statuses.back(), "WARNING D/A LOW IS BEING ROUNDED");
    script(0);
    EXPECT_FALSE(syncal.highBandCalc());
    ASSERT_EQ(probes.size(), 32u);
    EXPECT_EQ(probes.back(), " 501/31");
}

TEST_F(SyncalRun, RunsThatCannotStartOrFinish) {
    {
        const RadioLink::BusyGuard busy(sim.link);
        syncal.run();
    }
    EXPECT_EQ(sim.prompts.texts(), Texts{"Another radio operation is in progress."});
    EXPECT_TRUE(sink.events.empty());
    sim.radio.memory()[0x7C] = 0;  // no band width: fails quietly
    syncal.run();
    EXPECT_EQ(sim.prompts.messages.size(), 1u);
    EXPECT_EQ(sink.events, (Texts{"start off", "start on"}));
    EXPECT_TRUE(synth->probes().empty());
    expectReleased();
    sim.radio.config().faults.silent = true;
    syncal.run();
    EXPECT_EQ(sim.prompts.texts().back(), "Error Hooking to Radio.");
    EXPECT_EQ(sim.prompts.messages.size(), 2u);
    EXPECT_FALSE(sim.port.isOpen());
}

TEST_F(SyncalRun, FailedResultWriteIsNotReportedAsSuccess) {
    sim.radio.config().faults.wrongEcho = 1;  // the first result word's echo is wrong
    syncal.run();
    EXPECT_EQ(sim.prompts.texts(), Texts{"Unable to write the alignment results to the radio."});
    EXPECT_EQ(sim.prompts.messages[0].title, "Syncal Error");
    EXPECT_FALSE(anyTxProbe());  // no transmitter step after the failed receiver write
    EXPECT_FALSE(syncal.completed());
    expectReleased();
}

TEST_F(SyncalRun, ClosingTheWindowAbandonsTheRun) {
    int yields = 0;
    sim.port.setOnYield([&] {
        if (synth->probes().size() == 40 && ++yields == 1) syncal.abort();
    });
    syncal.run();
    EXPECT_TRUE(sim.prompts.messages.empty());
    EXPECT_EQ(results(sim.radio.memory()), results(before));
    EXPECT_EQ(synth->probes().size(), 41u);  // the probe already on the wire still arrives
    expectReleased();
    int hooks = 0;  // hooked for the parameter read and the run, released after each
    int releases = 0;
    for (const auto& e : sim.radio.transcript().entries()) {
        hooks += e.note == "hook";
        releases += e.note == "release";
    }
    EXPECT_EQ(std::tie(hooks, releases), std::tuple(2, 2));
    EXPECT_EQ(sink.events.back(), "start on");
}

// The default synthesizer with faults, or with other curves.
sim::SynthModel faulty(sim::SynthFaults faults, std::optional<sim::LockCurve> rx = {},
                       std::optional<sim::LockCurve> tx = {}) {
    sim::SynthModel m;
    m.faults = faults;
    m.rx = rx.value_or(m.rx);
    m.tx = tx.value_or(m.tx);
    return m;
}

// A curve whose midpoint has to be rounded, and whose high point lies below D/A 8.
class SyncalRoundedRun : public SyncalRun {
  protected:
    SyncalRoundedRun() : SyncalRun(faulty({}, sim::LockCurve{504.003, 1.1, 0, 5.0})) {}
};

TEST_F(SyncalRoundedRun, WarnsAboutTheMidpointAndTheHighRange) {
    syncal.radioLowFreq = 450;
    syncal.radioHighFreq = 512;
    ASSERT_TRUE(sim.hook());
    syncal.bandCalc();
    EXPECT_EQ(syncal.syncalStatus, kSyncalOk);
    EXPECT_EQ(sink.statuses,
              (Texts{"LOW BAND CALC", "HIGH BAND CALC",
                     "WARNING -- CURVE MIDPOINT HAS BEEN ROUNDED", "MID BAND CALC"}));
    EXPECT_EQ(
        sink.log,
        (Texts{"WARNING:  RX D/A OUTSIDE HIGH RANGE", "RX CALIBRATION SUCCESSFUL",
               "LOW FREQUENCY AND D/A:   449.025 --  49",
               "MID FREQUENCY AND D/A:   477.4375 --  25", "LOWER SIDE SLOPE     :   .87890625",
               "UPPER SIDE SLOPE     :   .9033203125", "LO/HI BAND OFFSETS   :   9 --  15", " "}));
    ASSERT_TRUE(syncal.result());
    EXPECT_EQ(syncal.result()->bandOffsets, 9 * 16 + 15);
}

struct FailureCase {
    const char* name;
    sim::SynthModel model;
    int status;
    const char* message;
    bool rxWritten;  // the receiver step succeeded before the failure
    int midSteps;    // mid band steps begun
};

const FailureCase kFailures[] = {
    {"Silent", faulty({true, 0}), kSyncNotDetected, "Unable to detect sync range.", false, 0},
    {"StraddlesTopEdge", faulty({false, 38}), kSyncBelowLow, "FM out of range range.", false, 1},
    {"AboveTheBand", faulty({false, 40}), kSyncAboveHigh, "FM out of range range.", false, 1},
    // The receiver never locks near the band: the low search falls to 403 MHz.
    {"LowBandMissing", faulty({}, sim::LockCurve{400, 1.744, 0.005, 5.0}), kSyncNotDetected,
     "Unable to detect sync range.", false, 0},
    // Transmitter results that do not fit: the low offset would be -7, the lower slope 266.
    {"TxOffsetTooLarge", faulty({}, std::nullopt, sim::LockCurve{528.103, 1.5, 0.005, 4.5}),
     kSyncNotDetected, "Unable to detect sync range.", true, 2},
    {"TxTooSteep", faulty({}, std::nullopt, sim::LockCurve{540.003, 3.2, 0.03, 3.0}),
     kSyncNotDetected, "Unable to detect sync range.", true, 2}};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class SyncalFailure : public SyncalRun, public ::testing::WithParamInterface<FailureCase> {
  protected:
    SyncalFailure() : SyncalRun(GetParam().model) {}
};

TEST_P(SyncalFailure, EndsWithItsMessageAndWritesNothingOfTheFailedStep) {
    const FailureCase& c = GetParam();
    EXPECT_EQ(syncal.run(), c.status);
    EXPECT_EQ(sim.prompts.texts(), Texts{c.message + std::string(kSquelch)});
    EXPECT_EQ(std::tie(sim.prompts.messages[0].title, sim.prompts.messages[0].icon),
              std::tuple("Syncal Error", Icon::Exclamation));
    std::vector<Byte> expected = results(before);
    if (c.rxWritten) std::copy(kRxResults.begin(), kRxResults.end(), expected.begin() + 8);
    EXPECT_EQ(results(sim.radio.memory()), expected);
    EXPECT_FALSE(syncal.result());
    EXPECT_EQ(anyTxProbe(),
              c.rxWritten);  // a failed receiver step is not followed by the transmitter's
    // Results that do not fit fail only once all three transmitter steps are done.
    EXPECT_EQ(std::count(sink.statuses.begin(), sink.statuses.end(), "MID BAND CALC"), c.midSteps);
    EXPECT_EQ(sink.events.back(), "start on");
    expectReleased();
}

INSTANTIATE_TEST_SUITE_P(Faults, SyncalFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& i) { return std::string(i.param.name); });

// The curve's results from given band points; the radio is never used.
class SyncalDerive : public SyncalRun {
  protected:
    void setValues(double lowFreq, int lowDac, double highFreq, int highDac) {
        syncal.radioLowFreq = 450;
        syncal.values = {lowFreq, 478.2375, highFreq, lowDac, 30, highDac};
    }
};

TEST_F(SyncalDerive, ExtendsTheLowPointToTheBandEdge) {
    setValues(452.5, 47, 505.8375, 12);
    ASSERT_TRUE(syncal.deriveResults());
    const BandValues& v = syncal.values;
    // D/A 48 still lies above 450 MHz on the line, 49 below it.
    EXPECT_EQ(
        std::tie(v.lowDac, v.lowFreq, v.lowerSlope, v.upperSlope, v.loBandOffset, v.hiBandOffset),
        std::tuple(49, 449.6375, 143, 133, 9, 10));
    const BandResult& r = *syncal.result();
    EXPECT_EQ(std::tie(r.low, r.mid, r.lowerSlope, r.bandOffsets, r.upperSlope),
              std::tuple(FreqWord{25, 6}, FreqWord{42, 230}, 143, 9 * 16 + 10, 133));
    // Arithmetic failures and results the radio's bytes cannot hold: nothing is derived.
    const std::tuple<const char*, double, int, double, int> failures[] = {
        {"zero slope", 452.5, 29, 505.8375, 12},
        {"low point at the mid point", 478.2375, 47, 505.8375, 12},
        {"high point at the mid point", 452.5, 47, 478.2375, 12},
        {"negative upper slope", 452.5, 47, 505.8375, 31},
        {"upper slope above 255", 452.5, 47, 480, 12},
        {"low offset below 0", 452.5, 58, 505.8375, 12},
        {"a line rising to the low end never reaches the edge", 480, 47, 505.8375, 12}};
    for (const auto& [what, lowFreq, lowDac, highFreq, highDac] : failures) {
        setValues(lowFreq, lowDac, highFreq, highDac);
        EXPECT_FALSE(syncal.deriveResults()) << what;
        EXPECT_FALSE(syncal.result()) << what;
    }
    EXPECT_EQ(syncal.values.lowDac, 47);  // the D/A count stopped at 32767 and was not kept
}

}  // namespace
}  // namespace zav
