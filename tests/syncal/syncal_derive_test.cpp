#include <gtest/gtest.h>

#include "support/sim_link.h"
#include "syncal/recording_sink.h"
#include "syncal/syncal.h"

namespace zav {
namespace {

// The curve results from given band points; the radio is never used.
struct Bench {
    Bench() {
        syncal.radioLowFreq = 450;
        syncal.radioHighFreq = 512;
        BandValues& v = syncal.values;
        v.lowFreq = 452.5;
        v.lowDac = 47;
        v.midFreq = 478.2375;
        v.midDac = 30;
        v.highFreq = 505.8375;
        v.highDac = 12;
    }
    test::SimLink sim;
    test::RecordingSink sink;
    Syncal syncal{sim.link, sim.prompts, sink};
};

class SyncalDerive : public ::testing::Test, public Bench {};

TEST_F(SyncalDerive, ExtendsTheLowPointToTheBandEdge) {
    ASSERT_TRUE(syncal.deriveResults());
    const BandValues& v = syncal.values;
    // D/A 48 still lies above 450 MHz on the line, 49 is below it.
    EXPECT_EQ(v.lowDac, 49);
    EXPECT_EQ(v.lowFreq, 449.6375);
    EXPECT_EQ(v.lowerSlope, 143);
    EXPECT_EQ(v.upperSlope, 133);
    EXPECT_EQ(v.loBandOffset, 9);
    EXPECT_EQ(v.hiBandOffset, 10);
    ASSERT_TRUE(syncal.result());
    const BandResult& r = *syncal.result();
    EXPECT_EQ(r.low, (FreqWord{25, 6}));
    EXPECT_EQ(r.mid, (FreqWord{42, 230}));
    EXPECT_EQ(r.lowerSlope, 143);
    EXPECT_EQ(r.bandOffsets, 9 * 16 + 10);
    EXPECT_EQ(r.upperSlope, 133);
}

TEST_F(SyncalDerive, ArithmeticFailures) {
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
        Bench fresh;
        c.change(fresh.syncal.values);
        EXPECT_FALSE(fresh.syncal.deriveResults());
        EXPECT_FALSE(fresh.syncal.result());
    }
}

TEST_F(SyncalDerive, OverflowStopsAtTheLargestDacCount) {
    syncal.values.lowFreq = 480;
    EXPECT_FALSE(syncal.deriveResults());
    EXPECT_EQ(syncal.values.lowDac, 47);  // left as found
}

}  // namespace
}  // namespace zav
