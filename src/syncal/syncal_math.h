#pragma once
// The number rules of the synthesizer alignment: the 12.5 kHz raster, the radio's
// frequency words and the results' formulas (the band edges are model/radio_band.h's).
// Int is the floor throughout, as the radio's tables were computed that way.

#include <cstdint>
#include <optional>
#include <string>

#include "model/memory_image.h"

namespace zav {

// Two bytes of a frequency word as the radio stores them: f / 1.6 - 256 in fixed point
// with 8 fractional bits, high byte first.
struct FreqWord {
    Byte hi{};
    Byte lo{};

    friend bool operator==(const FreqWord&, const FreqWord&) = default;
};

// The largest integer not above x.
double floorOf(double x);

// The nearest multiple of 12.5 kHz: floorOf(80 x + 0.5) / 80.
double onRaster(double x);

// The log's number format: a blank before a value that is not negative, "-" before a
// negative one, no zero before the point of a fraction (" .0537"), no point for whole
// values, at most 15 significant digits.
std::string numberText(double x);

// The frequency word written with the results (the fraction rounded half up).
FreqWord encodeFrequency(double freq);

// The frequency word sent in a probe: the fraction rounded half to even, and for
// frequencies below 409.6 MHz (a negative high part) the lowest bit of the low byte set.
FreqWord probeFrequency(double freq);

// The mid-band D/A value between the low and high band values, kept within 25..40.
struct MidDacResult {
    int value = 0;
    bool rounded = false;  // it had to be raised to 25 or lowered to 40
};
MidDacResult midDacOf(int lowDac, int highDac);

// The band offsets of the results: the high offset from the mid D/A value, the low one
// from the low D/A value, packed as low * 16 + high.
struct BandOffsetResult {
    int lo = 0;
    int hi = 0;
    int packed = 0;
};
BandOffsetResult bandOffsetsOf(int lowDac, int midDac);

// Conversion of a computed value to the radio's 16-bit integers: nullopt when it is not
// a finite number within -32768..32767 (the arithmetic failure of the procedure).
std::optional<std::int16_t> toInt16(double x);

}  // namespace zav
