#pragma once
// The synthesizer alignment ("Syncal"). For the receiver and then the transmitter it
// probes the radio for the D/A settings at which the synthesizer stays in sync at the
// low end, the high end and the middle of the band, derives the tuning curve's two
// slopes and two band offsets, and writes them into eight words of the radio's memory.
// The editor's memory image is not involved.
//
// A probe is one short frame; the radio answers one byte, 0 for in sync. No answer
// counts as in sync too, so a band step in which nothing ever answered out of sync has
// found nothing and fails.
//
// The run never writes results of a band step that failed or values left from another
// step or run, nor results that do not fit the radio's bytes; those runs end with
// SyncalOutcome::SyncNotFound. The radio is released on every path that hooked it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/memory_image.h"
#include "syncal/syncal_math.h"

namespace zav {

class Prompts;
class RadioLink;
class SyncalSink;

// How a run ended. Each outcome but NotStarted and Abandoned has shown its message; the
// three sync failures keep the status numbers the alignment procedure gives them.
enum class SyncalOutcome {
    Completed,           // both paths' results written
    NotStarted,          // the link was busy or the radio did not answer (the link has said so)
    BandDataUnreadable,  // the band data did not come
    BandDataInvalid,     // the band data are blank or give no usable band
    RadioSilent,         // several probes in a row went unanswered: the radio is gone
    Abandoned,           // the window closed during the run
    WriteFailed,         // the radio did not confirm a result write
    SyncBelowLow,        // status 249: the downward edge search reached its low limit
    SyncAboveHigh,       // status 251: the upward edge search reached its high limit
    SyncNotFound,        // status 253: no sync range, or a calculation failure
};

// 249, 251 or 253 for the sync failures, 0 for every other outcome.
int statusNumber(SyncalOutcome outcome);

// What the error message of a failed run says (without the squelch hint); "" for an
// outcome that shows no message of its own.
std::string outcomeText(SyncalOutcome outcome);

// A single unanswered probe counts as in sync; this many in a row mean the radio is gone.
inline constexpr int kSilentProbeLimit = 3;

// Probe frame: '0', the frequency word, the control byte, the D/A value.
inline constexpr Byte kProbeCommand = 0x30;
inline constexpr Byte kProbeControl = 0x40;
inline constexpr Byte kProbeTxFlag = 0x80;

// The values a band step has found and derived, as the log shows them.
struct BandValues {
    double lowFreq{};
    double midFreq{};
    double highFreq{};
    int lowDac{};
    int midDac{};
    int highDac{};
    int lowerSlope{};
    int upperSlope{};
    int loBandOffset{};
    int hiBandOffset{};
    int bandOffsets{};
};

// The synthesizer path a band step aligns: the receiver's or the transmitter's.
enum class SynthPath : std::uint8_t { Rx, Tx };

// The log lines of a successful band step ("RX" or "TX" after the path).
std::vector<std::string> calibrationLog(SynthPath path, const BandValues& v);

// What one band step writes: four words from the first result address.
struct BandResult {
    FreqWord low;
    FreqWord mid;
    Byte lowerSlope{};
    Byte bandOffsets{};
    Byte upperSlope{};
};

// The last part of a band step: extends the low point along the line through the low and
// mid points to the band's low edge and derives the slopes and offsets into v, as far as
// it gets. nullopt on an arithmetic failure (a zero divisor, a 16-bit overflow) or
// results the radio's bytes cannot hold.
std::optional<BandResult> deriveBandResult(BandValues& v, double bandLowFreq);

// The radio's band and the bytes kept after each path's results, as read before a run.
struct SyncalBand {
    double lowFreq{};
    double highFreq{};
    Byte keptRx{};
    Byte keptTx{};
};

class Syncal {
  public:
    Syncal(RadioLink& link, Prompts& prompts, SyncalSink& sink);
    Syncal(const Syncal&) = delete;
    Syncal& operator=(const Syncal&) = delete;

    // The whole run (the Start button).
    SyncalOutcome run();
    [[nodiscard]] RadioLink& link() { return link_; }
    // The last run wrote both paths' results.
    [[nodiscard]] bool completed() const { return completed_; }
    // True from the start of a run to its end.
    [[nodiscard]] bool running() const { return running_; }
    // The window is going away during a run: the radio is released at once, the run
    // stops at its next step without writing or showing anything more.
    void abort();

    // --- The steps of a run, for the run itself and for tests.
    // Hooks the radio, reads the band data and the two kept bytes (band()), releases
    // the radio. False when the hook failed or the band data are unreadable or unusable
    // (failure() tells which).
    bool readSyncalParameters();
    [[nodiscard]] const std::optional<SyncalOutcome>& failure() const { return failure_; }
    [[nodiscard]] const SyncalBand& band() const { return band_; }
    // One probe at freq with D/A `dac` on `path`. True when the radio
    // stayed in sync or did not answer; unanswered probes in a row are counted.
    bool probeSync(double freq, Byte dac, SynthPath path);
    // The three band steps and the results (result()) for one path, on a hooked radio
    // and the band read before. False when the step failed or the run was abandoned.
    bool bandCalc(SynthPath path);

    // The values the last band step found and derived.
    [[nodiscard]] const BandValues& values() const { return values_; }
    // The results of the last successful bandCalc; empty after a failed one.
    [[nodiscard]] const std::optional<BandResult>& result() const { return result_; }

  private:
    bool lowBandCalc();
    bool highBandCalc();
    void midBandCalc();
    // Sets syncLow_ and syncHigh_, or the failure SyncAboveHigh / SyncBelowLow.
    void findSyncEdges(double low, double high);
    // probeSync at dacValue_ for the current path; an answer out of sync clears
    // noUnlockSeen_, too many unanswered probes fail the step with RadioSilent.
    bool probe(double freq);
    // One path: its band step and the write of its results.
    SyncalOutcome alignPath(SynthPath path, int resultAddress, Byte keptByte);
    void status(const std::string& text);
    void fail(SyncalOutcome failure) { failure_ = failure; }
    // The band step found no usable sync range.
    bool notFound() {
        fail(SyncalOutcome::SyncNotFound);
        return false;
    }
    bool stopped() const { return aborted_ || failure_.has_value(); }
    bool writeResults(int address, const BandResult& r, Byte keptByte);
    void releaseIfConnected();
    void showError(const std::string& text);
    void showOutcome(SyncalOutcome outcome);

    RadioLink& link_;
    Prompts& prompts_;
    SyncalSink& sink_;
    SyncalBand band_;
    SynthPath path_ = SynthPath::Rx;
    Byte dacValue_{};
    double syncLow_{};
    double syncHigh_{};
    BandValues values_;
    // No probe of the current band step has been answered out of sync.
    bool noUnlockSeen_ = false;
    int silentProbes_ = 0;                  // unanswered probes since the last answer
    std::optional<SyncalOutcome> failure_;  // the band step's failure
    std::optional<BandResult> result_;
    bool running_ = false;
    bool completed_ = false;
    bool aborted_ = false;
};

}  // namespace zav
