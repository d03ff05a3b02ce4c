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
// status 253. The radio is released on every path that hooked it.

#include <optional>
#include <string>
#include <vector>

#include "model/memory_image.h"
#include "syncal/syncal_math.h"

namespace zav {

class Prompts;
class RadioLink;
class SyncalSink;

// syncalStatus values.
inline constexpr int kSyncalOk = 0;
inline constexpr int kSyncBelowLow = 249;     // the downward edge search reached its low limit
inline constexpr int kSyncAboveHigh = 251;    // the upward edge search reached its high limit
inline constexpr int kSyncNotDetected = 253;  // no sync range, or a calculation failure

// Probe frame: '0', the frequency word, the control byte, the D/A value.
inline constexpr Byte kProbeCommand = 0x30;
inline constexpr Byte kProbeControl = 0x40;
inline constexpr Byte kProbeTxFlag = 0x80;

// The values a band step has found and derived, as the log shows them.
struct BandValues {
    double lowFreq = 0;
    double midFreq = 0;
    double highFreq = 0;
    int lowDac = 0;
    int midDac = 0;
    int highDac = 0;
    int lowerSlope = 0;
    int upperSlope = 0;
    int loBandOffset = 0;
    int hiBandOffset = 0;
    int bandOffsets = 0;
};

// The log lines of a successful band step (txMode: "TX", else "RX").
std::vector<std::string> calibrationLog(bool txMode, const BandValues& v);

// What one band step writes: four words from the first result address.
struct BandResult {
    FreqWord low;
    FreqWord mid;
    Byte lowerSlope = 0;
    Byte bandOffsets = 0;
    Byte upperSlope = 0;
};

class Syncal {
  public:
    Syncal(RadioLink& link, Prompts& prompts, SyncalSink& sink);
    Syncal(const Syncal&) = delete;
    Syncal& operator=(const Syncal&) = delete;

    // The whole run (the Start button). Returns the final syncalStatus (0 also when the
    // run could not start or was abandoned).
    int run();
    // The last run wrote both paths' results.
    [[nodiscard]] bool completed() const { return completed_; }
    // True from the start of a run to its end.
    [[nodiscard]] bool running() const { return running_; }
    // The window is going away during a run: the radio is released at once, the run
    // stops at its next step without writing or showing anything more.
    void abort();

    // --- The steps of a run, for the run itself and for tests.
    // Hooks the radio, reads the band data and the two kept bytes, releases the radio.
    bool readSyncalParameters();
    // One probe at freq with D/A dacValue; the control byte gets the TX flag in TX mode.
    bool probeSync(double freq, Byte control);
    // The three band steps and the results for the current txMode; sets syncalStatus.
    void bandCalc();
    bool lowBandCalc();
    bool highBandCalc();
    void midBandCalc();
    // Sets syncLow and syncHigh, or syncalStatus 251 / 249.
    void findSyncEdges(double low, double high);
    // The last part of bandCalc: extends the low point along the line through the low
    // and mid points to the band edge and derives slopes and offsets. False on an
    // arithmetic failure (a zero divisor, a 16-bit overflow) or results the radio's
    // bytes cannot hold; the results are set only on success.
    bool deriveResults();

    // --- Alignment state.
    bool txMode = false;
    Byte dacValue = 0;
    double radioLowFreq = 0;
    double radioHighFreq = 0;
    Byte radioByte77 = 0;
    Byte radioByte6F = 0;
    double syncLow = 0;
    double syncHigh = 0;
    BandValues values;
    bool noUnlockSeen = false;
    int syncalStatus = kSyncalOk;

    // The results of the last successful bandCalc; empty after a failed one.
    [[nodiscard]] const std::optional<BandResult>& result() const { return result_; }

  private:
    void status(const std::string& text);
    void fail() { syncalStatus = kSyncNotDetected; }
    bool stopped() const { return aborted_ || syncalStatus != kSyncalOk; }
    bool writeResults(int address, const BandResult& r, Byte keptByte);
    void releaseIfConnected();
    void showError(const std::string& text);

    RadioLink& link_;
    Prompts& prompts_;
    SyncalSink& sink_;
    std::optional<BandResult> result_;
    bool running_ = false;
    bool completed_ = false;
    bool aborted_ = false;
};

}  // namespace zav
