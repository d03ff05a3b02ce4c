#include "syncal/syncal_math.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace zav {

namespace {

constexpr double kStepMHz = 1.6;  // one unit of the frequency word's integer part
constexpr double kWordBase = 256;
constexpr double kFraction = 256;  // 8 fractional bits
constexpr int kMidDacMin = 25;
constexpr int kMidDacMax = 40;

// Nearest integer, exact halves to the even one, whatever the FPU's rounding mode.
double roundHalfEven(double x) {
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff > 0.5) return floor + 1;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

// The low eight bits of a whole number, also for values no word can hold.
Byte toByte(double v) {
    if (!std::isfinite(v)) return 0;
    double m = std::fmod(v, 256.0);
    if (m < 0) m += 256;
    return static_cast<Byte>(static_cast<int>(m));
}

}  // namespace

double floorOf(double x) {
    return std::floor(x);
}

double onRaster(double x) {
    return floorOf(80 * x + 0.5) / 80;
}

std::string numberText(double x) {
    if (x == 0) return " 0";
    std::array<char, sizeof "1.23456789012345E-308"> buf{};
    std::snprintf(buf.data(), buf.size(), "%.15G", std::fabs(x));
    std::string digits = buf.data();
    if (digits.starts_with("0.")) digits.erase(0, 1);
    return (x < 0 ? "-" : " ") + digits;
}

FreqWord encodeFrequency(double freq) {
    double hi = floorOf(freq / kStepMHz) - kWordBase;
    double lo = floorOf((freq / kStepMHz - hi - kWordBase) * kFraction + 0.5);
    if (hi < 0) hi += 256;
    if (lo >= 256) {
        lo -= 256;
        hi += 1;
    }
    return FreqWord{toByte(hi), toByte(lo)};
}

FreqWord probeFrequency(double freq) {
    double hi = floorOf(freq / kStepMHz) - kWordBase;
    double lo = roundHalfEven((freq / kStepMHz - hi - kWordBase) * kFraction);
    if (lo >= 256) {
        lo -= 256;
        hi += 1;
    }
    Byte loByte = toByte(lo);
    if (hi < 0) {
        hi += 256;
        loByte |= 1;
    }
    return FreqWord{toByte(hi), loByte};
}

MidDacResult midDacOf(int lowDac, int highDac) {
    MidDacResult r;
    r.value = static_cast<int>(floorOf((lowDac + highDac + 1) / 2.0));
    if (r.value < kMidDacMin) {
        r.value = kMidDacMin;
        r.rounded = true;
    } else if (r.value > kMidDacMax) {
        r.value = kMidDacMax;
        r.rounded = true;
    }
    return r;
}

BandOffsetResult bandOffsetsOf(int lowDac, int midDac) {
    BandOffsetResult r;
    r.hi = 63 - midDac - 23;
    r.lo = 63 - lowDac - 5;
    r.packed = r.lo * 16 + r.hi;
    return r;
}

std::optional<std::int16_t> toInt16(double x) {
    if (!std::isfinite(x) || x < -32768.0 || x > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(x);
}

}  // namespace zav
