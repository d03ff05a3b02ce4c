#include "syncal/syncal.h"

#include <cmath>

#include "iface/prompts.h"
#include "link/radio_link.h"
#include "syncal/syncal_sink.h"

namespace zav {

namespace {

constexpr char kCR = '\r';
constexpr const char* kSquelchHint = "Make sure squelch knob is in the Code Guard position.";
constexpr const char* kErrorTitle = "Syncal Error";

// Low band search: D/A from 55 down to 43, then the frequency steps down to 403 MHz.
constexpr int kLowStartDac = 55;
constexpr int kLowFloorDac = 43;
constexpr double kLowStartFactor = 1.0199;
constexpr double kLowFreqStep = 3.2;
constexpr double kLowestProbe = 403.0;
// High band search: D/A from 0 up to 31.
constexpr double kHighStartFactor = 0.98;
constexpr int kHighDacLimit = 32;
// Edge search.
constexpr double kCoarseStep = 3.2;
constexpr double kFinestStep = 0.2;
constexpr double kRangeBelow = 0.95;
constexpr double kRangeAbove = 1.05;
// The low and high points sit 40 % into the sync range from its outer edge.
constexpr double kPointInRange = 0.4;
constexpr double kHalfRaster = 0.0125;
// Slopes are stored in units of D/A steps per 1/128 of 1.6 MHz.
constexpr double kSlopeScale = 128 * 1.6;
constexpr int kMaxInt16 = 32767;
// A frequency word holds f / 1.6 - 256 in -128..128.
constexpr double kLowestWordFreq = 128 * 1.6;
constexpr double kHighestWordFreq = 384 * 1.6;

bool inByte(int v) {
    return v >= 0 && v <= 255;
}
bool inNibble(int v) {
    return v >= 0 && v <= 15;
}
bool wordFits(double f) {
    return std::isfinite(f) && f >= kLowestWordFreq && f < kHighestWordFreq;
}

// Int(a / b) as a 16-bit value; nullopt for a zero divisor or an overflow.
std::optional<int> int16Quotient(double a, double b) {
    if (b == 0) return std::nullopt;
    const auto v = ToInt16(Int(a / b));
    if (!v) return std::nullopt;
    return *v;
}

}  // namespace

std::vector<std::string> CalibrationLog(bool txMode, const BandValues& v) {
    const std::string mode = txMode ? "TX" : "RX";
    std::vector<std::string> lines;
    if (v.HighDac > 25 || v.HighDac < 8)
        lines.push_back("WARNING:  " + mode + " D/A OUTSIDE HIGH RANGE");
    lines.push_back(mode + " CALIBRATION SUCCESSFUL");
    lines.push_back("LOW FREQUENCY AND D/A:  " + NumberText(v.LowFreq) + " -- " +
                    NumberText(v.LowDac));
    lines.push_back("MID FREQUENCY AND D/A:  " + NumberText(v.MidFreq) + " -- " +
                    NumberText(v.MidDac));
    lines.push_back("LOWER SIDE SLOPE     :  " + NumberText(v.LowerSlope / 128.0 / 1.6));
    lines.push_back("UPPER SIDE SLOPE     :  " + NumberText(v.UpperSlope / 128.0 / 1.6));
    lines.push_back("LO/HI BAND OFFSETS   :  " + NumberText(v.LoBandOffset) + " -- " +
                    NumberText(v.HiBandOffset));
    lines.emplace_back(" ");
    return lines;
}

Syncal::Syncal(RadioLink& link, Prompts& prompts, SyncalSink& sink)
    : link_(link), prompts_(prompts), sink_(sink) {}

void Syncal::status(const std::string& text) {
    sink_.SetStatusText(text);
}

void Syncal::releaseIfConnected() {
    if (aborted_) return;  // released when the run was abandoned
    const Transport& t = link_.transport();
    // A port that failed to open has nothing to release and would only fail again.
    if (t.PortError() && !t.IsOpen()) return;
    link_.ReleaseRadio();
}

void Syncal::showError(const std::string& text) {
    Message m;
    m.text = text + kCR + kSquelchHint;
    m.title = kErrorTitle;
    m.icon = Icon::Exclamation;
    prompts_.ask(m);
}

void Syncal::Abort() {
    if (!running_ || aborted_) return;
    aborted_ = true;
    link_.ReleaseRadio();
}

int Syncal::Run() {
    const auto guard = link_.TryBeginOperation();
    if (!guard) return SyncalStatus;
    running_ = true;
    aborted_ = false;
    completed_ = false;
    sink_.SetStartEnabled(false);
    SyncalStatus = kSyncalOk;

    if (!ReadSyncalParameters()) {
        sink_.SetStartEnabled(true);
        running_ = false;
        return SyncalStatus;
    }
    sink_.ClearLog();
    sink_.ShowRunControls();
    link_.transport().Delay(1000);

    bool writeFailed = false;
    bool complete = false;
    if (!aborted_ && link_.HookRadio(false)) {
        TxMode = false;
        BandCalc();
        if (!stopped() && result_) {
            writeFailed = !writeResults(syncal_address::kRxResults, *result_, RadioByte77);
            if (!writeFailed) {
                status("TX BAND CALC");
                TxMode = true;
                BandCalc();
                if (!stopped() && result_) {
                    writeFailed = !writeResults(syncal_address::kTxResults, *result_, RadioByte6F);
                    complete = !writeFailed;
                }
            }
        }
    }
    if (!aborted_) {
        releaseIfConnected();
        completed_ = complete;
        if (complete) {
            Message m;
            m.text = "RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL";
            m.title = "UHF Syncal";
            m.icon = Icon::Information;
            prompts_.ask(m);
        } else if (writeFailed) {
            Message m;
            m.text = "Unable to write the alignment results to the radio.";
            m.title = kErrorTitle;
            m.icon = Icon::Exclamation;
            prompts_.ask(m);
        } else if (SyncalStatus == kSyncBelowLow || SyncalStatus == kSyncAboveHigh) {
            showError("FM out of range range.");
        } else if (SyncalStatus == kSyncNotDetected) {
            showError("Unable to detect sync range.");
        }
    }
    sink_.ShowIdleControls();
    status("");
    sink_.SetStartEnabled(true);
    running_ = false;
    return SyncalStatus;
}

bool Syncal::ReadSyncalParameters() {
    if (!link_.HookRadio(false)) {
        releaseIfConnected();
        return false;
    }
    Word edge{0, 0};
    Byte divisor = 0;
    const bool read = link_.ReadWord(syncal_address::kBandEdge, edge) &&
                      link_.ReadByteAt(syncal_address::kBandDivisor, divisor) &&
                      link_.ReadByteAt(syncal_address::kRxKeptByte, RadioByte77) &&
                      link_.ReadByteAt(syncal_address::kTxKeptByte, RadioByte6F);
    releaseIfConnected();
    if (!read) return false;
    const double low = DecodeBandEdge(edge[0], edge[1]);
    const auto high = BandHighEdge(low, divisor);
    if (!high) return false;
    RadioLowFreq = low;
    RadioHighFreq = *high;
    return true;
}

bool Syncal::ProbeSync(double freq, Byte control) {
    const FreqWord w = ProbeFrequency(freq);
    const Byte ctl = TxMode ? static_cast<Byte>(control + kProbeTxFlag) : control;
    Transport& t = link_.transport();
    t.SendByte(kProbeCommand);
    t.SendByte(w.hi);
    t.SendByte(w.lo);
    t.SendByte(ctl);
    t.SendByte(DacValue);
    Byte answer = 0;
    if (!t.ReceiveByte(answer) || answer == 0) return true;
    NoUnlockSeen = false;
    return false;
}

void Syncal::FindSyncEdges(double low, double high) {
    double f = low;
    double step = kCoarseStep;
    for (;;) {
        if (aborted_) return;
        f = OnRaster(f + step);
        if (f >= high) {
            SyncalStatus = kSyncAboveHigh;
            return;
        }
        if (ProbeSync(f, kProbeControl)) {
            f = f - step;
            step = OnRaster(step / 2);
            f = OnRaster(f);
            if (!(step > kFinestStep)) break;
        }
    }
    SyncLow = f;

    f = high;
    step = kCoarseStep;
    for (;;) {
        if (aborted_) return;
        f = OnRaster(f - step);
        if (f <= low) {
            SyncalStatus = kSyncBelowLow;
            return;
        }
        if (ProbeSync(f, kProbeControl)) {
            f = f + step;
            step = OnRaster(step / 2);
            f = OnRaster(f);
            if (!(step > kFinestStep)) break;
        }
    }
    SyncHigh = f;
}

bool Syncal::LowBandCalc() {
    DacValue = kLowStartDac;
    double f = Int(kLowStartFactor * RadioLowFreq);
    status("LOW BAND CALC");
    for (;;) {
        if (aborted_) return false;
        if (ProbeSync(f, kProbeControl)) break;
        DacValue = static_cast<Byte>(DacValue - 1);
        if (DacValue > kLowFloorDac) continue;
        DacValue = kLowFloorDac;
        status("WARNING D/A LOW IS BEING ROUNDED");
        f = OnRaster(f - kLowFreqStep);
        if (f > kLowestProbe) continue;
        return false;
    }
    FindSyncEdges(Int(kRangeBelow * f + 0.5), Int(kRangeAbove * f));
    if (stopped()) return false;
    Values.LowFreq = OnRaster(SyncLow + kPointInRange * (SyncHigh - SyncLow));
    Values.LowDac = DacValue;
    return true;
}

bool Syncal::HighBandCalc() {
    status("HIGH BAND CALC");
    const double f = Int(kHighStartFactor * RadioHighFreq);
    DacValue = 0;
    for (;;) {
        if (aborted_) return false;
        if (ProbeSync(f, kProbeControl)) break;
        DacValue = static_cast<Byte>(DacValue + 1);
        if (DacValue == kHighDacLimit) return false;
    }
    FindSyncEdges(Int(kRangeBelow * f + 0.5), Int(kRangeAbove * f));
    if (stopped()) return false;
    Values.HighFreq = OnRaster(SyncHigh - kPointInRange * (SyncHigh - SyncLow));
    Values.HighDac = DacValue;
    return true;
}

void Syncal::MidBandCalc() {
    status("MID BAND CALC");
    DacValue = static_cast<Byte>(Values.MidDac);
    FindSyncEdges(RadioLowFreq, RadioHighFreq);
    if (stopped()) return;
    Values.MidFreq = OnRaster(SyncHigh - kPointInRange * (SyncHigh - SyncLow));
}

void Syncal::BandCalc() {
    // Nothing of an earlier step or run may end up in this step's results.
    result_.reset();
    Values = BandValues{};
    SyncLow = SyncHigh = 0;

    // A band step that fails (the low search fell to 403 MHz, the high search passed
    // D/A 31) has found nothing to go on with, even when some probe said out of sync.
    NoUnlockSeen = true;
    const bool low = LowBandCalc();
    if (stopped()) return;
    if (!low || NoUnlockSeen) return fail();

    NoUnlockSeen = true;
    const bool high = HighBandCalc();
    if (stopped()) return;
    if (!high || NoUnlockSeen) return fail();

    const MidDacResult mid = MidDacOf(Values.LowDac, Values.HighDac);
    Values.MidDac = mid.value;
    if (mid.rounded) status("WARNING -- CURVE MIDPOINT HAS BEEN ROUNDED");

    NoUnlockSeen = true;
    MidBandCalc();
    if (stopped()) return;
    if (NoUnlockSeen) return fail();

    if (!DeriveResults()) return fail();
    for (const auto& line : CalibrationLog(TxMode, Values)) sink_.AddStatusLine(line);
}

bool Syncal::DeriveResults() {
    result_.reset();
    BandValues& v = Values;
    // Extend the low side along the line through the low and mid points down to the
    // band edge.
    const double span = v.MidFreq - v.LowFreq;
    if (span == 0) return false;
    const double s = (v.LowDac - v.MidDac + 1) / span;
    if (s == 0 || !std::isfinite(s)) return false;
    int d = v.LowDac;
    double f = v.LowFreq;
    while (f + kHalfRaster > RadioLowFreq) {
        // A falling line never reaches the edge: the 16-bit D/A count overflows.
        if (d == kMaxInt16) return false;
        ++d;
        f = v.MidFreq - (d - v.MidDac + 1) / s;
        if (!std::isfinite(f)) return false;
    }
    v.LowFreq = OnRaster(f);
    v.LowDac = d;

    const auto lower =
        int16Quotient(kSlopeScale * (v.LowDac - v.MidDac + 1), v.MidFreq - v.LowFreq);
    const auto upper = int16Quotient(kSlopeScale * (v.MidDac - v.HighDac), v.HighFreq - v.MidFreq);
    if (!lower || !upper) return false;
    v.LowerSlope = *lower;
    v.UpperSlope = *upper;
    const BandOffsetResult offsets = BandOffsetsOf(v.LowDac, v.MidDac);
    v.LoBandOffset = offsets.lo;
    v.HiBandOffset = offsets.hi;
    v.BandOffsets = offsets.packed;

    // The radio keeps each slope in one byte and the two offsets in the two nibbles of
    // one byte; results that do not fit would be written as something else.
    if (!inByte(v.LowerSlope) || !inByte(v.UpperSlope) || !inNibble(v.LoBandOffset) ||
        !inNibble(v.HiBandOffset))
        return false;
    if (!wordFits(v.LowFreq) || !wordFits(v.MidFreq)) return false;

    result_ = BandResult{EncodeFrequency(v.LowFreq), EncodeFrequency(v.MidFreq),
                         static_cast<Byte>(v.LowerSlope), static_cast<Byte>(v.BandOffsets),
                         static_cast<Byte>(v.UpperSlope)};
    return true;
}

bool Syncal::writeResults(int address, const BandResult& r, Byte keptByte) {
    return link_.WriteWord(address, r.low.hi, r.low.lo, false) &&
           link_.WriteWord(address + 2, r.mid.hi, r.mid.lo, false) &&
           link_.WriteWord(address + 4, r.lowerSlope, r.bandOffsets, false) &&
           link_.WriteWord(address + 6, r.upperSlope, keptByte, false);
}

}  // namespace zav
