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

// SyncalStatus values.
inline constexpr int kSyncalOk = 0;
inline constexpr int kSyncBelowLow = 249;     // the downward edge search reached its low limit
inline constexpr int kSyncAboveHigh = 251;    // the upward edge search reached its high limit
inline constexpr int kSyncNotDetected = 253;  // no sync range, or a calculation failure

// Radio memory the alignment reads and writes.
namespace syncal_address {
inline constexpr int kBandEdge = 0x78;     // word: band low edge
inline constexpr int kBandDivisor = 0x7C;  // byte: band width divisor
inline constexpr int kRxKeptByte = 0x77;   // written back unchanged after the RX results
inline constexpr int kTxKeptByte = 0x6F;   // written back unchanged after the TX results
inline constexpr int kRxResults = 0x70;    // RX: 0x70..0x77
inline constexpr int kTxResults = 0x68;    // TX: 0x68..0x6F
}  // namespace syncal_address

// Probe frame: '0', the frequency word, the control byte, the D/A value.
inline constexpr Byte kProbeCommand = 0x30;
inline constexpr Byte kProbeControl = 0x40;
inline constexpr Byte kProbeTxFlag = 0x80;
inline constexpr int kProbeFrameLength = 5;

// The values a band step has found and derived, as the log shows them.
struct BandValues {
    double LowFreq = 0;
    double MidFreq = 0;
    double HighFreq = 0;
    int LowDac = 0;
    int MidDac = 0;
    int HighDac = 0;
    int LowerSlope = 0;
    int UpperSlope = 0;
    int LoBandOffset = 0;
    int HiBandOffset = 0;
    int BandOffsets = 0;
};

// The log lines of a successful band step (txMode: "TX", else "RX").
std::vector<std::string> CalibrationLog(bool txMode, const BandValues& v);

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

    // The whole run (the Start button). Returns the final SyncalStatus (0 also when the
    // run could not start or was abandoned).
    int Run();
    // The last run wrote both paths' results.
    [[nodiscard]] bool Completed() const { return completed_; }
    // True from the start of a run to its end.
    [[nodiscard]] bool Running() const { return running_; }
    // The window is going away during a run: the radio is released at once, the run
    // stops at its next step without writing or showing anything more.
    void Abort();

    // --- The steps of a run, for the run itself and for tests.
    // Hooks the radio, reads the band data and the two kept bytes, releases the radio.
    bool ReadSyncalParameters();
    // One probe at freq with D/A DacValue; the control byte gets the TX flag in TX mode.
    bool ProbeSync(double freq, Byte control);
    // The three band steps and the results for the current TxMode; sets SyncalStatus.
    void BandCalc();
    bool LowBandCalc();
    bool HighBandCalc();
    void MidBandCalc();
    // Sets SyncLow and SyncHigh, or SyncalStatus 251 / 249.
    void FindSyncEdges(double low, double high);
    // The last part of BandCalc: extends the low point along the line through the low
    // and mid points to the band edge and derives slopes and offsets. False on an
    // arithmetic failure (a zero divisor, a 16-bit overflow) or results the radio's
    // bytes cannot hold; the results are set only on success.
    bool DeriveResults();

    // --- Alignment state.
    bool TxMode = false;
    Byte DacValue = 0;
    double RadioLowFreq = 0;
    double RadioHighFreq = 0;
    Byte RadioByte77 = 0;
    Byte RadioByte6F = 0;
    double SyncLow = 0;
    double SyncHigh = 0;
    BandValues Values;
    bool NoUnlockSeen = false;
    int SyncalStatus = kSyncalOk;

    // The results of the last successful BandCalc; empty after a failed one.
    [[nodiscard]] const std::optional<BandResult>& Result() const { return result_; }

  private:
    void status(const std::string& text);
    void fail() { SyncalStatus = kSyncNotDetected; }
    bool stopped() const { return aborted_ || SyncalStatus != kSyncalOk; }
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
