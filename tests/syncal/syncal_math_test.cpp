#include "syncal/syncal_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "syncal/syncal.h"

namespace zav {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(SyncalMath, FrequencyWords) {
    // Frequency, result word, probe word: a result rounds the fraction half up, a probe
    // to even and sets the low bit below 409.6 MHz; a fraction of 256 carries.
    const std::tuple<double, FreqWord, FreqWord> words[] = {
        {450.0, {25, 64}, {25, 64}},
        {403.0, {251, 224}, {251, 225}},
        {1.6 * (256 + 25 + 64.5 / 256), {25, 65}, {25, 64}},
        {1.6 * (256 + 25 + 65.5 / 256), {25, 66}, {25, 66}},
        {451.1984, {26, 0}, {26, 0}},
        {410.0, {0, 64}, {0, 64}},               // just above 409.6 MHz
        {1.6 * (256 + 300), {44, 0}, {44, 0}}};  // beyond a word: the low eight bits
    for (const auto& [freq, result, probe] : words) {
        EXPECT_EQ(encodeFrequency(freq), result) << freq;
        EXPECT_EQ(probeFrequency(freq), probe) << freq;
    }
    for (const double f : {1e300, -1e300, kInf, kNaN}) {
        const FreqWord word = encodeFrequency(f);  // nothing undefined happens on the way
        (void)probeFrequency(f);
        if (!std::isfinite(f)) EXPECT_EQ(word, (FreqWord{0, 0})) << f;  // no word holds it
    }
}

TEST(SyncalMath, NumbersOfTheProcedure) {
    const std::pair<double, double> raster[] = {{452.53, 452.525},    {452.51874, 452.5125},
                                                {452.51876, 452.525}, {-0.00624, 0.0},
                                                {3.2 / 2, 1.6},       {0.4 / 2, 0.2}};
    for (const auto& [x, on] : raster) EXPECT_EQ(onRaster(x), on) << x;
    const std::pair<double, const char*> texts[] = {{0.0537, " .0537"},
                                                    {452.525, " 452.525"},
                                                    {50, " 50"},
                                                    {0, " 0"},
                                                    {-3, "-3"},
                                                    {-0.5, "-.5"},
                                                    {1.0 / 3, " .333333333333333"},
                                                    {123456789012.5, " 123456789012.5"}};
    for (const auto& [x, text] : texts) EXPECT_EQ(numberText(x), text) << x;
    // Low and high D/A, mid D/A, whether it had to be rounded into 25 ... 40.
    const std::tuple<int, int, int, bool> mids[] = {{47, 12, 30, false}, {47, 2, 25, false},
                                                    {47, 0, 25, true},   {55, 24, 40, false},
                                                    {56, 25, 40, true},  {60, 30, 40, true}};
    for (const auto& [low, high, mid, rounded] : mids) {
        const MidDacResult r = midDacOf(low, high);
        EXPECT_EQ(std::tie(r.value, r.rounded), std::tie(mid, rounded)) << low << "/" << high;
    }
    const BandOffsetResult r = bandOffsetsOf(50, 30);
    EXPECT_EQ(std::tie(r.lo, r.hi, r.packed), std::tuple(8, 10, 138));
    EXPECT_EQ(bandOffsetsOf(58, 40).packed, 0);
    EXPECT_EQ(bandOffsetsOf(43, 25).packed, 255);
    for (const int x : {32767, -32768}) EXPECT_EQ(toInt16(x), x);
    for (const double x : {32768.0, -32769.0, kInf, kNaN}) EXPECT_FALSE(toInt16(x));
}

TEST(SyncalMath, DerivesTheResultsFromTheBandPoints) {
    // Band low edge; low, mid and high frequency and D/A; the low D/A afterwards (extended
    // to the edge once the line is known); whether results are derived: not on an
    // arithmetic failure, nor when the radio's bytes cannot hold them.
    // clang-format off
    const std::tuple<const char*, double, double, int, double, int, double, int, int, bool> cases[] = {
        {"D/A 48 still lies above 450 MHz on the line, 49 below it", 450, 452.5, 47, 478.2375, 30, 505.8375, 12, 49, true},
        {"the line meets the edge exactly, low offset 0", 449.0125, 458, 49, 478, 30, 505.8375, 12, 58, true},
        {"lower slope 255", 450, 454, 49, 470, 30, 505.8375, 12, 55, true},
        {"the lowest frequency a word holds", 204.8125, 208.8, 49, 228.8, 30, 250, 12, 53, true},
        {"upper slope 0", 450, 452.5, 47, 478.2375, 30, 505.8375, 30, 49, true},
        {"the first frequency beyond a word", 586.1625, 588.6625, 47, 614.4, 30, 641, 12, 49, false},
        {"half a step below it, which rounds up into it", 586.1625, 588.6625, 47, 614.3968750000001, 30, 641, 12, 49, false},
        {"zero slope", 450, 452.5, 29, 478.2375, 30, 505.8375, 12, 29, false},
        {"low point at the mid point", 450, 478.2375, 47, 478.2375, 30, 505.8375, 12, 47, false},
        {"high point at the mid point", 450, 452.5, 47, 478.2375, 30, 478.2375, 12, 49, false},
        {"negative upper slope", 450, 452.5, 47, 478.2375, 30, 505.8375, 31, 49, false},
        {"upper slope above 255", 450, 452.5, 47, 478.2375, 30, 480, 12, 49, false},
        {"lower slope 256", 450, 454.0125, 49, 470, 30, 505.8375, 12, 55, false},
        {"low offset below 0", 450, 452.5, 58, 478.2375, 30, 505.8375, 12, 61, false},
        {"high offset 16", 450, 452.5, 47, 478.2375, 24, 505.8375, 12, 50, false},
        // The D/A count stops at 32767: a line reaching the edge there overflows the slope,
        // one rising to the low end never reaches it and its count is not kept.
        {"the edge at D/A 32767", 450, 478.23577415, 31, 478.2375, 30, 505.8375, 12, 32767, false},
        {"the count would pass 32767 before the edge", 399.99, 400, 32760, 500, 0, 505.8375, 12, 32760, false},
        {"a rising line", 450, 480, 47, 478.2375, 30, 505.8375, 12, 47, false}};
    // clang-format on
    for (const auto& [what, edge, low, lowDac, mid, midDac, high, highDac, after, derived] :
         cases) {
        BandValues v{low, mid, high, lowDac, midDac, highDac};
        EXPECT_EQ(deriveBandResult(v, edge).has_value(), derived) << what;
        EXPECT_EQ(v.lowDac, after) << what;
    }
    BandValues v{452.5, 478.2375, 505.8375, 47, 30, 12};
    const auto r = deriveBandResult(v, 450);
    ASSERT_TRUE(r);
    EXPECT_EQ(std::tie(v.lowFreq, v.lowerSlope, v.upperSlope, v.loBandOffset, v.hiBandOffset),
              std::tuple(449.6375, 143, 133, 9, 10));
    EXPECT_EQ(std::tie(r->low, r->mid, r->lowerSlope, r->bandOffsets, r->upperSlope),
              std::tuple(FreqWord{25, 6}, FreqWord{42, 230}, 143, 9 * 16 + 10, 133));
}

TEST(SyncalLog, HighRangeWarning) {
    BandValues v{449.275, 478.2375, 0, 50, 30, 12, 148, 133, 8, 10, 138};
    for (const int highDac : {26, 7, 8, 25}) {
        v.highDac = highDac;
        const auto lines = calibrationLog(SynthPath::Tx, v);
        const bool warned = lines.front() == "WARNING:  TX D/A OUTSIDE HIGH RANGE";
        EXPECT_EQ(warned, highDac > 25 || highDac < 8) << highDac;
        EXPECT_EQ(lines.size(), warned ? 8u : 7u);
    }
}

}  // namespace
}  // namespace zav
