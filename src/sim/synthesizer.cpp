#include "sim/synthesizer.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace zav::sim {

namespace {

constexpr Byte kProbeCommand = 0x30;
constexpr std::size_t kProbeLength = 5;
constexpr Byte kTxFlag = 0x80;
constexpr Byte kInSync = 0x00;
constexpr Byte kOutOfSync = 0x01;

constexpr std::size_t kBandEdgeAddress = 0x78;
constexpr std::size_t kBandDivisorAddress = 0x7C;

// The bow fault's shape: full at D/A 32, nothing from 12 steps away.
constexpr double kBowCentre = 32;
constexpr double kBowReach = 12;

}  // namespace

double decodeFrequencyWord(Byte hi, Byte lo) {
    double v = hi + lo / 256.0;
    if (v >= 128) v -= 256;
    return (256 + v) * 1.6;
}

std::pair<double, double> Synthesizer::lockWindow(bool tx, int dac) const {
    const LockCurve& c = tx ? model_.tx : model_.rx;
    const double d = dac;
    double centre = c.top - c.slope * d + c.curvature * d * d;
    const double t = (d - kBowCentre) / kBowReach;
    if (std::fabs(t) < 1) centre += model_.faults.bow * (1 - t * t);
    return {centre - c.halfWidth, centre + c.halfWidth};
}

bool Synthesizer::inSync(bool tx, double freq, int dac) const {
    const auto [low, high] = lockWindow(tx, dac);
    return freq >= low && freq <= high;
}

void Synthesizer::probe(SimRadio& radio, std::span<const Byte> frame) {
    ProbeRecord r;
    r.hi = frame[1];
    r.lo = frame[2];
    r.control = frame[3];
    r.dac = frame[4];
    r.freq = decodeFrequencyWord(r.hi, r.lo);
    r.tx = (r.control & kTxFlag) != 0;
    r.inSync = inSync(r.tx, r.freq, r.dac);
    r.answered = !model_.faults.silent;
    probes_.push_back(r);
    if (!r.answered) return;
    std::array<char, 64> note{};
    std::snprintf(note.data(), note.size(), "%s %.5f MHz D/A %d: %s", r.tx ? "TX" : "RX", r.freq,
                  r.dac, r.inSync ? "in sync" : "out of sync");
    radio.send(r.inSync ? kInSync : kOutOfSync, note.data());
}

std::shared_ptr<Synthesizer> installSynthesizer(SimRadio& radio, SynthModel model) {
    auto synth = std::make_shared<Synthesizer>(model);
    radio.installFrame(
        kProbeCommand, kProbeLength,
        [synth](SimRadio& r, std::span<const Byte> frame) { synth->probe(r, frame); });
    return synth;
}

void setBandData(RadioMemory& memory, Byte edgeHi, Byte edgeLo, Byte divisor) {
    memory[kBandEdgeAddress] = edgeHi;
    memory[kBandEdgeAddress + 1] = edgeLo;
    memory[kBandDivisorAddress] = divisor;
}

}  // namespace zav::sim
