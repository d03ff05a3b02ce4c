#pragma once
// The synthesizer band a radio carries in its memory: the band low edge word at 0x78 and
// the width divisor at 0x7C. The alignment tunes within it, and a write refuses channels
// outside it, since the synthesizer can never lock there. Both read it through this one
// decode, with one notion of band bytes that give no usable band.

#include <optional>
#include <string>

#include "model/memory_image.h"

namespace zav {

// Band edges in whole megahertz, as the radio's formula gives them.
struct RadioBand {
    int lowMHz = 0;
    int highMHz = 0;

    friend bool operator==(const RadioBand&, const RadioBand&) = default;
};

// The three band bytes: the low edge word (high byte first) and the width divisor.
struct BandBytes {
    Byte edgeHi{};
    Byte edgeLo{};
    Byte divisor{};
};

// The low edge is floor((256 + v) * 1.6) with v = edgeHi + edgeLo / 256, values from 128
// up taken as negative; the high edge adds floor(1.6 * 128 * 64 / divisor). nullopt (the
// band is unknown) for blank bytes (erased memory, all 0xFF), a zero divisor, or edges a
// channel frequency cannot reach (below 400 MHz, 660 MHz and above).
std::optional<RadioBand> decodeRadioBand(BandBytes bytes);

// The band bytes as an image holds them.
BandBytes bandBytesOf(const MemImage& image);

// "450 to 512 MHz".
std::string bandText(const RadioBand& band);

}  // namespace zav
