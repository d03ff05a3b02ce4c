#include <gtest/gtest.h>

#include "syncal/syncal.h"

namespace zav {
namespace {

constexpr double kBandLow = 450;

// Band points as a band step leaves them (band 450 to 512 MHz); the radio is never used.
BandValues benchValues() {
    BandValues v;
    v.lowFreq = 452.5;
    v.lowDac = 47;
    v.midFreq = 478.2375;
    v.midDac = 30;
    v.highFreq = 505.8375;
    v.highDac = 12;
    return v;
}

TEST(SyncalDerive, ExtendsTheLowPointToTheBandEdge) {
    BandValues v = benchValues();
    const auto r = deriveBandResult(v, kBandLow);
    // D/A 48 still lies above 450 MHz on the line, 49 is below it.
    EXPECT_EQ(v.lowDac, 49);
    EXPECT_EQ(v.lowFreq, 449.6375);
    EXPECT_EQ(v.lowerSlope, 143);
    EXPECT_EQ(v.upperSlope, 133);
    EXPECT_EQ(v.loBandOffset, 9);
    EXPECT_EQ(v.hiBandOffset, 10);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->low, (FreqWord{25, 6}));
    EXPECT_EQ(r->mid, (FreqWord{42, 230}));
    EXPECT_EQ(r->lowerSlope, 143);
    EXPECT_EQ(r->bandOffsets, 9 * 16 + 10);
    EXPECT_EQ(r->upperSlope, 133);
}

TEST(SyncalDerive, ArithmeticFailures) {
    struct Case {
        const char* name;
        void (*change)(BandValues&);
    };
    const Case cases[] = {
        // A line that rises towards the low end never reaches the band edge: the D/A
        // count passes 32767.
        {"falling line", [](BandValues& v) { v.lowFreq = 480; }},
        {"zero slope", [](BandValues& v) { v.lowDac = 29; }},
        {"low point at the mid point", [](BandValues& v) { v.lowFreq = v.midFreq; }},
        {"high point at the mid point", [](BandValues& v) { v.highFreq = v.midFreq; }},
        // Results the radio's bytes cannot hold.
        {"negative upper slope", [](BandValues& v) { v.highDac = 31; }},
        {"upper slope above 255", [](BandValues& v) { v.highFreq = 480; }},
        {"low offset below 0", [](BandValues& v) { v.lowDac = 58; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BandValues v = benchValues();
        c.change(v);
        EXPECT_FALSE(deriveBandResult(v, kBandLow));
    }
}

TEST(SyncalDerive, OverflowStopsAtTheLargestDacCount) {
    BandValues v = benchValues();
    v.lowFreq = 480;
    EXPECT_FALSE(deriveBandResult(v, kBandLow));
    EXPECT_EQ(v.lowDac, 47);  // left as found
}

}  // namespace
}  // namespace zav
