#include "syncal/syncal_math.h"

#include <gtest/gtest.h>

#include <limits>

#include "syncal/syncal.h"

namespace zav {
namespace {

TEST(SyncalMath, BandEdges) {
    EXPECT_EQ(decodeBandEdge(25, 64), 450.0);
    EXPECT_EQ(bandHighEdge(450.0, 211), 512.0);
    // Words from 128 up stand for frequencies below 409.6 MHz.
    EXPECT_EQ(decodeBandEdge(0xFB, 0xE0), 403.0);
    EXPECT_EQ(decodeBandEdge(0x7F, 0xFF), 614.0);
    EXPECT_EQ(decodeBandEdge(0x80, 0x00), 204.0);  // Int of 204.8
    EXPECT_EQ(bandHighEdge(450.0, 1), 450.0 + 13107);
    EXPECT_FALSE(bandHighEdge(450.0, 0));
}

struct WordCase {
    double freq;
    FreqWord result;
    FreqWord probe;
};

TEST(SyncalMath, FrequencyWords) {
    const WordCase cases[] = {
        {450.0, {25, 64}, {25, 64}},
        // Below 409.6 MHz: the high byte wraps, and a probe also sets the low bit.
        {403.0, {251, 224}, {251, 225}},
        // Fractions of exactly one half: up in a result word, to even in a probe.
        {1.6 * (256 + 25 + 64.5 / 256), {25, 65}, {25, 64}},
        {1.6 * (256 + 25 + 65.5 / 256), {25, 66}, {25, 66}},
        // A fraction that rounds up to 256 carries into the high byte.
        {451.1984, {26, 0}, {26, 0}},
        {512.0, {64, 0}, {64, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.freq);
        EXPECT_EQ(encodeFrequency(c.freq), c.result);
        EXPECT_EQ(probeFrequency(c.freq), c.probe);
    }
}

TEST(SyncalMath, WordsOfFrequenciesNoWordHolds) {
    // Only the low eight bits of each part survive; nothing undefined happens on the way.
    for (const double f : {1e300, -1e300, std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN(), 0.0, 1e6}) {
        (void)encodeFrequency(f);
        (void)probeFrequency(f);
    }
    EXPECT_EQ(encodeFrequency(1.6 * (256 + 300)), (FreqWord{300 - 256, 0}));
}

TEST(SyncalMath, Raster) {
    EXPECT_EQ(onRaster(452.53), 452.525);
    EXPECT_EQ(onRaster(452.51874), 452.5125);
    EXPECT_EQ(onRaster(452.51876), 452.525);
    EXPECT_EQ(onRaster(-0.00624), 0.0);
    // The edge search halves its step on the raster: 3.2, 1.6, 0.8, 0.4, then 0.2.
    double step = 3.2;
    std::vector<double> steps;
    while (step > 0.2) {
        steps.push_back(step);
        step = onRaster(step / 2);
    }
    EXPECT_EQ(steps, (std::vector<double>{3.2, 1.6, 0.8, 0.4}));
    EXPECT_EQ(step, 0.2);
}

TEST(SyncalMath, numberText) {
    const std::pair<double, const char*> cases[] = {
        {0.0537, " .0537"},
        {452.525, " 452.525"},
        {50, " 50"},
        {0, " 0"},
        {-3, "-3"},
        {-0.5, "-.5"},
        {1.0 / 3, " .333333333333333"},
        {148 / 128.0 / 1.6, " .72265625"},
        {123456789012.5, " 123456789012.5"},
    };
    for (const auto& [x, text] : cases) EXPECT_EQ(numberText(x), text) << x;
}

TEST(SyncalMath, MidDacRounding) {
    struct Case {
        int low, high, mid;
        bool rounded;
    };
    const Case cases[] = {
        {47, 12, 30, false}, {47, 2, 25, false}, {47, 0, 25, true},  // 24 raised
        {60, 30, 40, true},                                          // 45 lowered
        {55, 24, 40, false}, {56, 25, 40, true},                     // 41 lowered
    };
    for (const auto& c : cases) {
        const MidDacResult r = midDacOf(c.low, c.high);
        EXPECT_EQ(r.value, c.mid) << c.low << "/" << c.high;
        EXPECT_EQ(r.rounded, c.rounded) << c.low << "/" << c.high;
    }
}

TEST(SyncalMath, bandOffsets) {
    const BandOffsetResult r = bandOffsetsOf(50, 30);
    EXPECT_EQ(r.lo, 8);
    EXPECT_EQ(r.hi, 10);
    EXPECT_EQ(r.packed, 138);
    EXPECT_EQ(bandOffsetsOf(58, 40).packed, 0);
    EXPECT_EQ(bandOffsetsOf(43, 25).packed, 255);
}

TEST(SyncalMath, Int16Range) {
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_FALSE(toInt16(32768));
    EXPECT_FALSE(toInt16(-32769));
    EXPECT_FALSE(toInt16(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(toInt16(std::numeric_limits<double>::quiet_NaN()));
}

BandValues Sample(int highDac) {
    BandValues v;
    v.lowFreq = 449.275;
    v.lowDac = 50;
    v.midFreq = 478.2375;
    v.midDac = 30;
    v.highDac = highDac;
    v.lowerSlope = 148;
    v.upperSlope = 133;
    const BandOffsetResult o = bandOffsetsOf(v.lowDac, v.midDac);
    v.loBandOffset = o.lo;
    v.hiBandOffset = o.hi;
    v.bandOffsets = o.packed;
    return v;
}

TEST(SyncalLog, HighRangeWarning) {
    for (const int highDac : {26, 7, 8, 25, 12, 0, 31}) {
        const bool warn = highDac > 25 || highDac < 8;
        for (const bool tx : {false, true}) {
            const auto lines = calibrationLog(tx, Sample(highDac));
            const std::string mode = tx ? "TX" : "RX";
            ASSERT_EQ(lines.size(), warn ? 8u : 7u) << highDac;
            if (warn) {
                EXPECT_EQ(lines[0], "WARNING:  " + mode + " D/A OUTSIDE HIGH RANGE");
            }
            EXPECT_EQ(lines[warn ? 1 : 0], mode + " CALIBRATION SUCCESSFUL");
        }
    }
}

TEST(SyncalLog, Lines) {
    EXPECT_EQ(calibrationLog(false, Sample(12)), (std::vector<std::string>{
                                                     "RX CALIBRATION SUCCESSFUL",
                                                     "LOW FREQUENCY AND D/A:   449.275 --  50",
                                                     "MID FREQUENCY AND D/A:   478.2375 --  30",
                                                     "LOWER SIDE SLOPE     :   .72265625",
                                                     "UPPER SIDE SLOPE     :   .6494140625",
                                                     "LO/HI BAND OFFSETS   :   8 --  10",
                                                     " ",
                                                 }));
}

}  // namespace
}  // namespace zav
