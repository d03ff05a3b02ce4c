#include "syncal/syncal.h"

#include <array>
#include <cmath>

#include "iface/prompts.h"
#include "iface/shown_text.h"
#include "link/radio_link.h"
#include "model/memory_fields.h"
#include "model/radio_band.h"
#include "syncal/syncal_sink.h"

namespace zav {

namespace {

constexpr char kCR = '\r';
constexpr const char* kSquelchHint =
    shownText("Messages", "Make sure squelch knob is in the Code Guard position.");
constexpr std::string_view kErrorTitle = shownText("Messages", "Syncal Error");
constexpr std::string_view kSyncalTitle = shownText("Messages", "UHF Syncal");

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
// A word's last eight bits step by 1.6 / 256 MHz; within half a step of the top a
// frequency rounds up into the next word, which reads as 204.8 MHz.
constexpr double kWordStep = 1.6 / 256;

bool inByte(int v) {
    return v >= 0 && v <= 255;
}
bool inNibble(int v) {
    return v >= 0 && v <= 15;
}
bool wordFits(double f) {
    return std::isfinite(f) && f >= kLowestWordFreq && f < kHighestWordFreq - kWordStep / 2;
}

// floorOf(a / b) as a 16-bit value; nullopt for a zero divisor or an overflow.
std::optional<int> int16Quotient(double a, double b) {
    if (b == 0) return std::nullopt;
    const auto v = toInt16(floorOf(a / b));
    if (!v) return std::nullopt;
    return *v;
}

}  // namespace

std::vector<std::string> calibrationLog(SynthPath path, const BandValues& v) {
    const std::string mode = path == SynthPath::Tx ? "TX" : "RX";
    std::vector<std::string> lines;
    if (v.highDac > 25 || v.highDac < 8)
        lines.push_back("WARNING:  " + mode + " D/A OUTSIDE HIGH RANGE");
    lines.push_back(mode + " CALIBRATION SUCCESSFUL");
    lines.push_back("LOW FREQUENCY AND D/A:  " + numberText(v.lowFreq) + " -- " +
                    numberText(v.lowDac));
    lines.push_back("MID FREQUENCY AND D/A:  " + numberText(v.midFreq) + " -- " +
                    numberText(v.midDac));
    lines.push_back("LOWER SIDE SLOPE     :  " + numberText(v.lowerSlope / 128.0 / 1.6));
    lines.push_back("UPPER SIDE SLOPE     :  " + numberText(v.upperSlope / 128.0 / 1.6));
    lines.push_back("LO/HI BAND OFFSETS   :  " + numberText(v.loBandOffset) + " -- " +
                    numberText(v.hiBandOffset));
    lines.emplace_back(" ");
    return lines;
}

std::optional<BandResult> deriveBandResult(BandValues& v, double bandLowFreq) {
    // Extend the low side along the line through the low and mid points down to the
    // band edge.
    // Equal points (a zero span) give no line: the slope is then not finite.
    const double s = (v.lowDac - v.midDac + 1) / (v.midFreq - v.lowFreq);
    if (s == 0 || !std::isfinite(s)) return std::nullopt;
    int d = v.lowDac;
    double f = v.lowFreq;
    while (f + kHalfRaster > bandLowFreq) {
        // A falling line never reaches the edge: the 16-bit D/A count overflows.
        if (d == kMaxInt16) return std::nullopt;
        ++d;
        f = v.midFreq - (d - v.midDac + 1) / s;
        if (!std::isfinite(f)) return std::nullopt;
    }
    v.lowFreq = onRaster(f);
    v.lowDac = d;

    const auto lower =
        int16Quotient(kSlopeScale * (v.lowDac - v.midDac + 1), v.midFreq - v.lowFreq);
    const auto upper = int16Quotient(kSlopeScale * (v.midDac - v.highDac), v.highFreq - v.midFreq);
    if (!lower || !upper) return std::nullopt;
    v.lowerSlope = *lower;
    v.upperSlope = *upper;
    const BandOffsetResult offsets = bandOffsetsOf(v.lowDac, v.midDac);
    v.loBandOffset = offsets.lo;
    v.hiBandOffset = offsets.hi;
    v.bandOffsets = offsets.packed;

    // The radio keeps each slope in one byte and the two offsets in the two nibbles of
    // one byte; results that do not fit would be written as something else.
    if (!inByte(v.lowerSlope) || !inByte(v.upperSlope) || !inNibble(v.loBandOffset) ||
        !inNibble(v.hiBandOffset))
        return std::nullopt;
    if (!wordFits(v.lowFreq) || !wordFits(v.midFreq)) return std::nullopt;

    return BandResult{encodeFrequency(v.lowFreq), encodeFrequency(v.midFreq),
                      static_cast<Byte>(v.lowerSlope), static_cast<Byte>(v.bandOffsets),
                      static_cast<Byte>(v.upperSlope)};
}

int statusNumber(SyncalOutcome outcome) {
    switch (outcome) {
        case SyncalOutcome::SyncBelowLow:
            return 249;
        case SyncalOutcome::SyncAboveHigh:
            return 251;
        case SyncalOutcome::SyncNotFound:
            return 253;
        default:
            return 0;
    }
}

Syncal::Syncal(RadioLink& link, Prompts& prompts, SyncalSink& sink)
    : link_(link), prompts_(prompts), sink_(sink) {}

void Syncal::status(const std::string& text) {
    sink_.setStatusText(text);
}

void Syncal::releaseIfConnected() {
    if (aborted_) return;  // released when the run was abandoned
    const Transport& t = link_.transport();
    // A port that failed to open has nothing to release and would only fail again.
    if (t.portError() && !t.isOpen()) return;
    link_.releaseRadio();
}

void Syncal::showError(const std::string& text) {
    prompts_.ask(warning(text + kCR + kSquelchHint, kErrorTitle));
}

std::string outcomeText(SyncalOutcome outcome) {
    switch (outcome) {
        case SyncalOutcome::Completed:
            return "RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL";
        case SyncalOutcome::BandDataUnreadable:
            return shownText("Messages", "Unable to read the radio's band data.");
        case SyncalOutcome::BandDataInvalid:
            return shownText("Messages", "The radio's band data are blank or out of range.");
        case SyncalOutcome::RadioSilent:
            return shownText("Messages", "The radio stopped answering.");
        case SyncalOutcome::WriteFailed:
            return shownText("Messages", "Unable to write the alignment results to the radio.");
        case SyncalOutcome::SyncBelowLow:
        case SyncalOutcome::SyncAboveHigh:
            return "FM out of range range.";
        case SyncalOutcome::SyncNotFound:
            return shownText("Messages", "Unable to detect sync range.");
        case SyncalOutcome::NotStarted:
        case SyncalOutcome::Abandoned:
            break;
    }
    return "";
}

void Syncal::showOutcome(SyncalOutcome outcome) {
    const std::string text = outcomeText(outcome);
    if (outcome == SyncalOutcome::Completed)
        prompts_.ask(information(text, kSyncalTitle));
    else if (statusNumber(outcome) != 0)
        showError(text);  // a sync failure: the squelch setting is the usual cause
    else if (!text.empty())
        prompts_.ask(warning(text, kErrorTitle));
}

void Syncal::abort() {
    if (!running_ || aborted_) return;
    aborted_ = true;
    link_.releaseRadio();
}

SyncalOutcome Syncal::run() {
    const auto guard = link_.tryBeginOperation();
    if (!guard) return SyncalOutcome::NotStarted;
    running_ = true;
    aborted_ = false;
    completed_ = false;
    sink_.setStartEnabled(false);

    if (!readSyncalParameters()) {
        const SyncalOutcome outcome = failure_.value_or(SyncalOutcome::NotStarted);
        showOutcome(outcome);
        sink_.setStartEnabled(true);
        running_ = false;
        return outcome;
    }
    sink_.clearLog();
    sink_.showRunControls();
    link_.transport().delay(1000);

    SyncalOutcome outcome = SyncalOutcome::NotStarted;
    if (!aborted_ && link_.hookRadio(LineSpeed::Baud4800)) {
        outcome = alignPath(SynthPath::Rx, syncal_field::kRxResults, band_.keptRx);
        if (outcome == SyncalOutcome::Completed) {
            status("TX BAND CALC");
            outcome = alignPath(SynthPath::Tx, syncal_field::kTxResults, band_.keptTx);
        }
    }
    if (aborted_) {
        outcome = SyncalOutcome::Abandoned;
    } else {
        releaseIfConnected();
        completed_ = outcome == SyncalOutcome::Completed;
        showOutcome(outcome);
    }
    sink_.showIdleControls();
    status("");
    sink_.setStartEnabled(true);
    running_ = false;
    return outcome;
}

SyncalOutcome Syncal::alignPath(SynthPath path, int resultAddress, Byte keptByte) {
    if (!bandCalc(path)) return failure_.value_or(SyncalOutcome::Abandoned);
    return writeResults(resultAddress, *result_, keptByte) ? SyncalOutcome::Completed
                                                           : SyncalOutcome::WriteFailed;
}

bool Syncal::readSyncalParameters() {
    failure_.reset();
    if (!link_.hookRadio(LineSpeed::Baud4800)) {
        releaseIfConnected();
        return false;
    }
    Word edge{};
    Byte divisor{};
    SyncalBand band;
    const bool read = link_.readWord(syncal_field::kBandEdge, edge) &&
                      link_.readByteAt(syncal_field::kBandDivisor, divisor) &&
                      link_.readByteAt(syncal_field::kRxKeptByte, band.keptRx) &&
                      link_.readByteAt(syncal_field::kTxKeptByte, band.keptTx) &&
                      link_.confirmInStep();  // the kept bytes are written back later
    releaseIfConnected();
    if (!read) {
        fail(SyncalOutcome::BandDataUnreadable);
        return false;
    }
    const auto edges = decodeRadioBand(BandBytes{edge[0], edge[1], divisor});
    if (!edges) {
        fail(SyncalOutcome::BandDataInvalid);
        return false;
    }
    band.lowFreq = edges->lowMHz;
    band.highFreq = edges->highMHz;
    band_ = band;
    return true;
}

bool Syncal::probeSync(double freq, Byte dac, SynthPath path) {
    const FreqWord w = probeFrequency(freq);
    Transport& t = link_.transport();
    t.sendByte(kProbeCommand);
    t.sendByte(w.hi);
    t.sendByte(w.lo);
    t.sendByte(path == SynthPath::Tx ? static_cast<Byte>(kProbeControl + kProbeTxFlag)
                                     : kProbeControl);
    t.sendByte(dac);
    Byte answer{};
    const bool answered = t.receiveByte(answer);
    silentProbes_ = answered ? 0 : silentProbes_ + 1;
    return !answered || answer == 0;
}

bool Syncal::probe(double freq) {
    const bool inSync = probeSync(freq, dacValue_, path_);
    if (!inSync) noUnlockSeen_ = false;
    if (silentProbes_ >= kSilentProbeLimit) fail(SyncalOutcome::RadioSilent);
    return inSync;
}

void Syncal::findSyncEdges(double low, double high) {
    double f = low;
    double step = kCoarseStep;
    for (;;) {
        if (stopped()) return;
        f = onRaster(f + step);
        if (f >= high) {
            fail(SyncalOutcome::SyncAboveHigh);
            return;
        }
        if (probe(f)) {
            f = f - step;
            step = onRaster(step / 2);
            f = onRaster(f);
            if (!(step > kFinestStep)) break;
        }
    }
    syncLow_ = f;

    f = high;
    step = kCoarseStep;
    for (;;) {
        if (stopped()) return;
        f = onRaster(f - step);
        if (f <= low) {
            fail(SyncalOutcome::SyncBelowLow);
            return;
        }
        if (probe(f)) {
            f = f + step;
            step = onRaster(step / 2);
            f = onRaster(f);
            if (!(step > kFinestStep)) break;
        }
    }
    syncHigh_ = f;
}

bool Syncal::lowBandCalc() {
    dacValue_ = kLowStartDac;
    double f = floorOf(kLowStartFactor * band_.lowFreq);
    status("LOW BAND CALC");
    for (;;) {
        if (stopped()) return false;
        if (probe(f)) break;
        dacValue_ = static_cast<Byte>(dacValue_ - 1);
        if (dacValue_ > kLowFloorDac) continue;
        dacValue_ = kLowFloorDac;
        status("WARNING D/A LOW IS BEING ROUNDED");
        f = onRaster(f - kLowFreqStep);
        if (f > kLowestProbe) continue;
        return false;
    }
    findSyncEdges(floorOf(kRangeBelow * f + 0.5), floorOf(kRangeAbove * f));
    if (stopped()) return false;
    values_.lowFreq = onRaster(syncLow_ + kPointInRange * (syncHigh_ - syncLow_));
    values_.lowDac = dacValue_;
    return true;
}

bool Syncal::highBandCalc() {
    status("HIGH BAND CALC");
    const double f = floorOf(kHighStartFactor * band_.highFreq);
    dacValue_ = 0;
    for (;;) {
        if (stopped()) return false;
        if (probe(f)) break;
        dacValue_ = static_cast<Byte>(dacValue_ + 1);
        if (dacValue_ == kHighDacLimit) return false;
    }
    findSyncEdges(floorOf(kRangeBelow * f + 0.5), floorOf(kRangeAbove * f));
    if (stopped()) return false;
    values_.highFreq = onRaster(syncHigh_ - kPointInRange * (syncHigh_ - syncLow_));
    values_.highDac = dacValue_;
    return true;
}

void Syncal::midBandCalc() {
    status("MID BAND CALC");
    dacValue_ = static_cast<Byte>(values_.midDac);
    findSyncEdges(band_.lowFreq, band_.highFreq);
    if (stopped()) return;
    values_.midFreq = onRaster(syncHigh_ - kPointInRange * (syncHigh_ - syncLow_));
}

bool Syncal::bandCalc(SynthPath path) {
    path_ = path;
    // Nothing of an earlier step or run may end up in this step's results.
    failure_.reset();
    result_.reset();
    values_ = BandValues{};
    syncLow_ = syncHigh_ = 0;

    // A band step that fails (the low search fell to 403 MHz, the high search passed
    // D/A 31) has found nothing to go on with, even when some probe said out of sync.
    silentProbes_ = 0;
    noUnlockSeen_ = true;
    const bool low = lowBandCalc();
    if (stopped()) return false;
    if (!low || noUnlockSeen_) return notFound();

    noUnlockSeen_ = true;
    const bool high = highBandCalc();
    if (stopped()) return false;
    if (!high || noUnlockSeen_) return notFound();

    const MidDacResult mid = midDacOf(values_.lowDac, values_.highDac);
    values_.midDac = mid.value;
    if (mid.rounded) status("WARNING -- CURVE MIDPOINT HAS BEEN ROUNDED");

    noUnlockSeen_ = true;
    midBandCalc();
    if (stopped()) return false;
    if (noUnlockSeen_) return notFound();

    result_ = deriveBandResult(values_, band_.lowFreq);
    if (!result_) return notFound();
    for (const auto& line : calibrationLog(path_, values_)) sink_.addStatusLine(line);
    return true;
}

bool Syncal::writeResults(int address, const BandResult& r, Byte keptByte) {
    const std::array<Byte, 8> bytes{r.low.hi,     r.low.lo,      r.mid.hi,     r.mid.lo,
                                    r.lowerSlope, r.bandOffsets, r.upperSlope, keptByte};
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        if (!link_.writeWord(address + static_cast<int>(i), bytes.at(i), bytes.at(i + 1)))
            return false;
    return true;
}

}  // namespace zav
