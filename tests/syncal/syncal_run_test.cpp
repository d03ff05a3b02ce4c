#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include "sim/synthesizer.h"
#include "support/sim_link.h"
#include "syncal/syncal.h"
#include "syncal/syncal_sink.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

constexpr Byte kKept77 = 0x5A;
constexpr Byte kKept6F = 0xC3;
const std::vector<Byte> kRxResults{24, 204, 42, 230, 148, 138, 133, kKept77};

// Records what the alignment shows, in order.
struct RecordingSink final : SyncalSink {
    void addStatusLine(const std::string& text) override { log.push_back(text); }
    void setStatusText(const std::string& text) override {
        statuses.push_back(text);
        events.push_back(text);
        if (onStatus) onStatus(text);
    }
    void clearLog() override { events.emplace_back("clear"); }
    void showRunControls() override { events.emplace_back("run controls"); }
    void showIdleControls() override { events.emplace_back("idle controls"); }
    void setStartEnabled(bool on) override { events.emplace_back(on ? "start on" : "start off"); }
    Texts log, statuses, events;
    std::function<void(const std::string&)> onStatus;
};

// The alignment against the simulated radio with its synthesizer, on a virtual clock.
struct Bench {
    explicit Bench(sim::SynthModel model = {}, sim::SimConfig config = {},
                   sim::VirtualPortOptions options = {})
        : sim(config, std::move(options)) {
        synth = sim::installSynthesizer(sim.radio, model);
        sim::setBandData(sim.radio.memory());
        sim.radio.memory()[0x77] = kKept77;
        sim.radio.memory()[0x6F] = kKept6F;
        before = sim.radio.memory();
    }
    // The result area 0x68..0x77, now or before the run.
    static std::vector<Byte> results(const sim::RadioMemory& m) {
        return {m.begin() + 0x68, m.begin() + 0x78};
    }
    // The radio was released last and the port is closed.
    void expectReleased() {
        sim.settle();
        const auto sent = sim.radio.transcript().hostBytes();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), 0x01);
        EXPECT_FALSE(sim.port.isOpen());
    }
    bool anyTxProbe() const { return std::ranges::any_of(synth->probes(), &sim::ProbeRecord::tx); }

    test::SimLink sim;
    std::shared_ptr<sim::Synthesizer> synth;
    sim::RadioMemory before{};
    RecordingSink sink;
    Syncal syncal{sim.link, sim.prompts, sink};
};

class SyncalRun : public ::testing::Test, public Bench {};

TEST_F(SyncalRun, ProbeFramesAndAnswers) {
    ASSERT_TRUE(sim.hook());
    auto start = sim.now();
    EXPECT_FALSE(syncal.probeSync(403.0, 7, SynthPath::Rx));  // far below the lock range
    // Five bytes out and one back, each 10 bit times at 4800 baud.
    EXPECT_EQ(sim.now() - start, 6 * sim::byteTime(4800));
    EXPECT_EQ(sim.sent(), (std::vector<Byte>{0x30, 251, 225, 0x40, 7}));
    const auto [low, high] = synth->lockWindow(true, 12);
    const double inside = onRaster((low + high) / 2);
    EXPECT_TRUE(syncal.probeSync(inside, 12, SynthPath::Tx));
    synth->model().faults.silent = true;
    start = sim.now();
    EXPECT_TRUE(syncal.probeSync(403.0, 0, SynthPath::Rx));  // no answer counts as in sync
    EXPECT_EQ(sim.now() - start, 501ms);  // the 0.5 s receive limit, up to the next tick
}

// The band data and the kept bytes read before the run decide what is probed and
// written.
TEST_F(SyncalRun, FullRunWritesBothPaths) {
    EXPECT_FALSE(syncal.running() || syncal.completed());
    EXPECT_EQ(syncal.run(), SyncalOutcome::Completed);
    ASSERT_EQ(sim.prompts.messages.size(), 1u);
    const Message& m = sim.prompts.messages[0];
    EXPECT_EQ(std::tie(m.text, m.title, m.icon, m.buttons),
              std::tuple("RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL", "UHF Syncal",
                         Icon::Information, Buttons::Ok));
    // Transmitter results at 0x68..0x6F, receiver results at 0x70..0x77; the kept bytes
    // go back unchanged and nothing else of the radio's memory changes.
    auto expected = before;
    std::ranges::copy(std::vector<Byte>{24, 252, 42, 116, 153, 104, 134, kKept6F}, &expected[0x68]);
    std::ranges::copy(kRxResults, &expected[0x70]);
    EXPECT_EQ(sim.radio.memory(), expected) << testing::PrintToString(results(sim.radio.memory()));
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
    const auto& probes = synth->probes();
    ASSERT_EQ(probes.size(), 184u);
    for (std::size_t i = 0; i < probes.size(); ++i)
        ASSERT_EQ(probes[i].control, i < 90 ? 0x40 : 0xC0) << i;
    EXPECT_EQ(std::tuple(syncal.values().highDac, syncal.values().highFreq, syncal.running(),
                         syncal.completed()),
              std::tuple(14, 504.9625, false, true));
    expectReleased();
}

// A run fails on silence only after kSilentProbeLimit unanswered probes in a row: an
// answer in between starts the count again.
TEST_F(SyncalRun, AnAnswerStartsTheCountOfSilentProbesAgain) {
    constexpr std::size_t kFirst = 10;
    constexpr std::size_t kGap = kFirst + kSilentProbeLimit - 1;  // the one answered
    sim.port.setOnYield([&] {
        const std::size_t n = synth->probes().size();
        synth->model().faults.silent = n >= kFirst && n < kGap + kSilentProbeLimit && n != kGap;
    });
    EXPECT_NE(syncal.run(), SyncalOutcome::RadioSilent);
    EXPECT_EQ(std::ranges::count(synth->probes(), false, &sim::ProbeRecord::answered),
              2 * (kSilentProbeLimit - 1));
}

TEST_F(SyncalRun, FailedResultWriteIsNotReportedAsSuccess) {
    sim.radio.config().faults.wrongEcho = 1;  // the first result word's echo is wrong
    EXPECT_EQ(syncal.run(), SyncalOutcome::WriteFailed);
    EXPECT_EQ(sim.prompts.texts(), Texts{"Unable to write the alignment results to the radio."});
    EXPECT_EQ(sim.prompts.messages[0].title, "Syncal Error");
    EXPECT_FALSE(anyTxProbe());  // no transmitter step after the failed receiver write
    expectReleased();
}

TEST_F(SyncalRun, ClosingTheWindowAbandonsTheRun) {
    int yields = 0;
    sim.port.setOnYield([&] {  // part way through the receiver's probes
        if (synth->probes().size() == 40 && ++yields == 1) syncal.abort();
    });
    EXPECT_EQ(syncal.run(), SyncalOutcome::Abandoned);
    // The probe already on the wire when the window closed still reaches the radio.
    EXPECT_EQ(std::tuple(sim.prompts.messages.size(), results(sim.radio.memory()),
                         synth->probes().size(), syncal.running()),
              std::tuple(0U, results(before), 41U, false));
    expectReleased();
    // Hooked for the parameter read and for the run, which starts a second (a tick late)
    // after the first release; released after each, the second time by the abandon only.
    const auto& entries = sim.radio.transcript().entries();
    Texts notes;
    for (const auto& e : entries)
        if (e.note == "hook" || e.note == "release") notes.push_back(e.note);
    ASSERT_EQ(notes, (Texts{"hook", "release", "hook", "release"}));
    const auto released = std::ranges::find(entries, "release", &sim::TranscriptEntry::note);
    EXPECT_EQ(std::next(released)->time - released->time, 1001ms);
    EXPECT_EQ(sink.events.back(), "start on");
    EXPECT_EQ(syncal.run(), SyncalOutcome::Completed);  // the next run is not abandoned
}

// Probes answered by a rule on the probe's number (from 1) and D/A value instead of the
// synthesizer: each band step that finds nothing ends where its search ends, and fails.
TEST_F(SyncalRun, BandStepsThatFindNothingFail) {
    // What, the band's low edge word, the rule, the probes ("0": not counted) and the last,
    // the statuses and the last.
    using Case = std::tuple<const char*, Byte, Byte, std::function<bool(int, int)>, std::size_t,
                            const char*, std::size_t, const char*>;
    const auto never = [](int, int) { return false; };
    // clang-format off
    const Case cases[] = {
        // The low search: D/A 55 to 44 at Int(1.0199 x 443), then D/A 43 in 3.2 MHz steps
        // while above 403 MHz; a probe word below 409.6 MHz has its low bit set.
        {"low search", 20, 240, never, 26, " 406.20625/43", 16, "WARNING D/A LOW IS BEING ROUNDED"},
        // The high search: D/A 0 to 31 at Int(0.98 x 505).
        {"high search", 20, 240, [](int, int dac) { return dac < 55 && dac > 31; }, 0, " 494/31", 2, "HIGH BAND CALC"},
        // Band 471 MHz: the low point's edge search runs from 456 to 504 MHz in 3.2 MHz steps
        // and stops on reaching either end.
        {"upward edge", 38, 128, [](int n, int) { return n == 1; }, 15, " 500.8/55", 1, "LOW BAND CALC"},
        {"downward edge", 38, 128, [](int n, int) { return n <= 5; }, 19, " 459.2/55", 1, "LOW BAND CALC"},
        // A step in which no probe was out of sync has found nothing either.
        {"low never lost", 25, 64, [](int, int) { return true; }, 0, "", 1, "LOW BAND CALC"},
        {"high never lost", 25, 64, [](int, int dac) { return dac != 55; }, 0, "", 2, "HIGH BAND CALC"},
        {"mid never lost", 25, 64, [](int, int dac) { return dac != 55 && dac > 10; }, 0, "", 3, "MID BAND CALC"}};
    // clang-format on
    for (const auto& [what, edgeHi, edgeLo, inSync, count, last, statuses, lastStatus] : cases) {
        sim.radio.memory()[0x78] = edgeHi;
        sim.radio.memory()[0x79] = edgeLo;
        ASSERT_TRUE(syncal.readSyncalParameters());
        ASSERT_TRUE(sim.hook());
        Texts probes;
        sink.statuses.clear();
        sim.radio.installFrame(kProbeCommand, 5, [&, &rule = inSync](sim::SimRadio& r, auto f) {
            probes.push_back(numberText(sim::decodeFrequencyWord(f[1], f[2])) + "/" +
                             std::to_string(f[4]));
            r.send(rule(static_cast<int>(probes.size()), f[4]) ? Byte{0} : Byte{1});
        });
        EXPECT_FALSE(syncal.bandCalc(SynthPath::Rx)) << what;
        EXPECT_EQ(
            std::tuple(syncal.result().has_value(), count == 0 ? 0 : probes.size(),
                       *last == 0 ? "" : probes.back(), sink.statuses.size(), sink.statuses.back()),
            std::tuple(false, count, last, statuses, lastStatus))
            << what;
    }
    // The next step starts afresh: nothing of the failed one stops it.
    synth = sim::installSynthesizer(sim.radio, {});
    EXPECT_TRUE(syncal.bandCalc(SynthPath::Rx));
    EXPECT_TRUE(syncal.result());
}

// A curve whose midpoint has to be rounded, and whose high point lies below D/A 8.
TEST(SyncalRounded, WarnsAboutTheMidpointAndTheHighRange) {
    Bench b({.rx = {504.003, 1.1, 0, 5.0}});
    ASSERT_TRUE(b.syncal.readSyncalParameters());
    ASSERT_TRUE(b.sim.hook());
    EXPECT_TRUE(b.syncal.bandCalc(SynthPath::Rx));
    EXPECT_EQ(std::tuple(b.sink.statuses, b.sink.log.at(0), b.sink.log.at(3),
                         b.syncal.result().value().bandOffsets, b.syncal.values().highDac),
              std::tuple(Texts{"LOW BAND CALC", "HIGH BAND CALC",
                               "WARNING -- CURVE MIDPOINT HAS BEEN ROUNDED", "MID BAND CALC"},
                         "WARNING:  RX D/A OUTSIDE HIGH RANGE",
                         "MID FREQUENCY AND D/A:   477.4375 --  25", 9 * 16 + 15, 0));
}

// The name, the synthesizer, the outcome and the number zavtool shows, the message, how many
// mid band steps ran before the failure, the step at which the radio goes quiet, a byte of
// the band data set to 0.
using FailureCase = std::tuple<const char*, sim::SynthModel, SyncalOutcome, int, std::string, long,
                               const char*, std::size_t>;

constexpr auto kNotFound = SyncalOutcome::SyncNotFound;
const std::string kHint = "\rMake sure squelch knob is in the Code Guard position.";
const std::string kOutOfRange = "FM out of range range." + kHint;
const std::string kNoSync = "Unable to detect sync range." + kHint;

// The receiver never locks near the band in LowBandMissing: the low search falls to
// 403 MHz. The Tx rows fail on the transmitter's derived results, after its three band
// steps: low D/A 65 (low offset -7), and a curve flat near the low end (lower slope 266).
// A radio that goes quiet (a failing supply) ends the run within a few probes (a dead line
// mid-run: the matrix in tests/ops). Blank band data stop the run before any probe (a busy
// link, a silent radio, a port that will not open, band data that do not come: tests/ops).
// clang-format off
const FailureCase kFailures[] = {
    {"StraddlesTopEdge", {.faults = {false, 38}}, SyncalOutcome::SyncBelowLow, 249, kOutOfRange, 1, "", 0},
    {"AboveTheBand", {.faults = {false, 40}}, SyncalOutcome::SyncAboveHigh, 251, kOutOfRange, 1, "", 0},
    {"LowBandMissing", {.rx = {400, 1.744, 0.005, 5.0}, .tx = {}}, kNotFound, 253, kNoSync, 0, "", 0},
    {"TxOffsetTooLarge", {.tx = {528.103, 1.5, 0.005, 4.5}}, kNotFound, 253, kNoSync, 2, "", 0},
    {"TxTooSteep", {.tx = {540.003, 3.2, 0.03, 3.0}}, kNotFound, 253, kNoSync, 2, "", 0},
    {"SilentFromTheStart", {}, SyncalOutcome::RadioSilent, 0, "The radio stopped answering.", 0, "LOW BAND CALC", 0},
    {"BlankBandData", {}, SyncalOutcome::BandDataInvalid, 0, "The radio's band data are blank or out of range.", 0, "", 0x7C},
};
// clang-format on

TEST(SyncalFailure, EndsWithItsMessageAndWritesNothingOfTheFailedStep) {
    for (const auto& [name, model, want, status, message, midSteps, silencedAt, blanked] :
         kFailures) {
        SCOPED_TRACE(name);
        Bench b(model);
        if (blanked != 0) b.sim.radio.memory()[blanked] = 0;  // the band's divisor
        std::chrono::nanoseconds silenced{};
        b.sink.onStatus = [&, at = silencedAt](const std::string& text) {
            if (text != at || b.synth->model().faults.silent) return;
            b.synth->model().faults.silent = true;
            silenced = b.sim.now();
        };
        const SyncalOutcome outcome = b.syncal.run();
        EXPECT_EQ(std::pair(outcome, statusNumber(outcome)), std::pair(want, status));
        ASSERT_EQ(b.sim.prompts.texts(), Texts{message});
        const Message& m = b.sim.prompts.messages[0];
        EXPECT_EQ(std::tie(m.title, m.icon), std::tuple("Syncal Error", Icon::Exclamation));
        const bool rxWritten = midSteps == 2;
        std::vector<Byte> expected = Bench::results(b.before);
        if (rxWritten) std::copy(kRxResults.begin(), kRxResults.end(), expected.begin() + 8);
        // The receiver's log lines only; the transmitter's results derived when it ran, and
        // no transmitter probe after a failed receiver step.
        EXPECT_EQ(
            std::tuple(Bench::results(b.sim.radio.memory()),
                       std::ranges::count(b.sink.statuses, "MID BAND CALC"), b.sink.log.size(),
                       b.syncal.result().has_value(), b.syncal.values().lowerSlope != 0,
                       b.anyTxProbe(), b.synth->probes().empty(), b.sink.events.back(),
                       b.syncal.running() || b.syncal.completed()),
            std::tuple(expected, midSteps, rxWritten ? 7U : 0U, false, rxWritten, rxWritten,
                       blanked != 0, "start on", false));
        // The unanswered probes in a row, each ended by the 0.5 s receive limit.
        if (*silencedAt != 0) EXPECT_LE(b.sim.now() - silenced, kSilentProbeLimit * 502ms + 100ms);
        b.expectReleased();
    }
}

}  // namespace
}  // namespace zav
