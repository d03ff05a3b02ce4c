#pragma once
// The radio's UHF synthesizer as the alignment probe sees it.
//
// Model: at a D/A setting d the synthesizer locks (stays in sync) on every frequency
// inside a lock window that moves down the band as d rises:
//
//     centre(d) = top - slope * d + curvature * d * d,   window = centre(d) +- halfWidth
//
// Receive and transmit run on different curves (the transmitter's VCO sits higher and
// tunes a little faster). With the defaults and the band 450..512 MHz (word (25, 64)
// at 0x78, 211 at 0x7C) the alignment finds, for the receiver, the low point at D/A 50
// and the high point at D/A 12, and converges for both paths. The window edges lie off
// the 6.25 kHz grid of the probe words, so no probe falls exactly on an edge.
//
// A probe frame is '0' (0x30), the frequency word (high, low; the value f / 1.6 - 256
// with 8 fractional bits, from 128 up negative), the control byte (bit 7 set for the
// transmitter) and the D/A value. The answer is 0 when the frequency is inside the
// window, 1 when it is not.
//
// Faults:
//  - silent: probes are never answered (the host takes every probe as in sync).
//  - bow: the curve bows up by `bow` MHz around D/A 32 (falling to nothing at 20 and
//    44), as a failing varactor would; it leaves the band's ends alone and lifts the
//    mid-band lock range. About 38 MHz puts it across the top band edge, so the
//    downward edge search misses it and runs out of band (249); about 40 MHz lifts it
//    above the band, so the upward search runs out of band (251).

#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "sim/sim_radio.h"

namespace zav::sim {

struct LockCurve {
    double top = 0;
    double slope = 0;
    double curvature = 0;
    double halfWidth = 0;
};

struct SynthFaults {
    bool silent = false;
    double bow = 0;
};

struct SynthModel {
    LockCurve rx{525.203, 1.744, 0.005, 5.0};
    LockCurve tx{528.103, 1.8, 0.006, 4.5};
    SynthFaults faults;
};

// One probe as the synthesizer saw it.
struct ProbeRecord {
    Byte hi = 0;
    Byte lo = 0;
    Byte control = 0;
    Byte dac = 0;
    double freq = 0;  // decoded from hi, lo
    bool tx = false;
    bool inSync = false;
    bool answered = false;
};

class Synthesizer {
  public:
    explicit Synthesizer(SynthModel model = {}) : model_(model) {}

    [[nodiscard]] const SynthModel& model() const { return model_; }
    [[nodiscard]] SynthModel& model() { return model_; }
    // The lock window (low, high edge in MHz) at a D/A setting.
    [[nodiscard]] std::pair<double, double> lockWindow(bool tx, int dac) const;
    [[nodiscard]] bool inSync(bool tx, double freq, int dac) const;
    // Handles one complete probe frame and answers it.
    void probe(SimRadio& radio, std::span<const Byte> frame);

    [[nodiscard]] const std::vector<ProbeRecord>& probes() const { return probes_; }

  private:
    SynthModel model_;
    std::vector<ProbeRecord> probes_;
};

// The frequency a word of the radio stands for.
double decodeFrequencyWord(Byte hi, Byte lo);

// Gives the radio a synthesizer that answers the probe frames; the radio keeps it
// alive, the caller may keep the pointer to inspect it.
std::shared_ptr<Synthesizer> installSynthesizer(SimRadio& radio, SynthModel model = {});

// The band data the alignment reads: the low edge word at 0x78 and the width divisor at
// 0x7C. The defaults give 450..512 MHz.
inline constexpr Byte kDefaultBandEdgeHi = 25;
inline constexpr Byte kDefaultBandEdgeLo = 64;
inline constexpr Byte kDefaultBandDivisor = 211;
void setBandData(RadioMemory& memory, Byte edgeHi = kDefaultBandEdgeHi,
                 Byte edgeLo = kDefaultBandEdgeLo, Byte divisor = kDefaultBandDivisor);

}  // namespace zav::sim
