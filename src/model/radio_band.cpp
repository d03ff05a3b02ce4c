#include "model/radio_band.h"

#include <cmath>

#include "model/memory_fields.h"

namespace zav {

namespace {

constexpr double kStepMHz = 1.6;  // one unit of the word's integer part
constexpr double kWordBase = 256;
constexpr double kFraction = 256;  // 8 fractional bits
constexpr double kWidthScale = kStepMHz * 128 * 64;
constexpr Byte kErased = 0xFF;
// What a channel's frequency field carries.
constexpr int kLowestChannelMHz = 400;
constexpr int kChannelLimitMHz = 660;

}  // namespace

std::optional<RadioBand> decodeRadioBand(BandBytes bytes) {
    if (bytes.divisor == 0) return std::nullopt;
    if (bytes.edgeHi == kErased && bytes.edgeLo == kErased && bytes.divisor == kErased)
        return std::nullopt;
    double v = bytes.edgeHi + bytes.edgeLo / kFraction;
    if (v >= 128) v -= 256;
    RadioBand band;
    band.lowMHz = static_cast<int>(std::floor((kWordBase + v) * kStepMHz));
    band.highMHz = band.lowMHz + static_cast<int>(std::floor(kWidthScale / bytes.divisor));
    if (band.lowMHz < kLowestChannelMHz || band.highMHz >= kChannelLimitMHz) return std::nullopt;
    return band;
}

BandBytes bandBytesOf(const MemImage& image) {
    const auto at = [&](int a) { return image.at(static_cast<std::size_t>(a)); };
    return BandBytes{at(syncal_field::kBandEdge), at(syncal_field::kBandEdge + 1),
                     at(syncal_field::kBandDivisor)};
}

std::string bandText(const RadioBand& band) {
    return std::to_string(band.lowMHz) + " to " + std::to_string(band.highMHz) + " MHz";
}

}  // namespace zav
