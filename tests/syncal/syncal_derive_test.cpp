#include <gtest/gtest.h>

#include "support/sim_link.h"
#include "syncal/recording_sink.h"
#include "syncal/syncal.h"

namespace zav {
namespace {

// The curve results from given band points; the radio is never used.
struct Bench {
    Bench() {
        syncal.RadioLowFreq = 450;
        syncal.RadioHighFreq = 512;
        BandValues& v = syncal.Values;
        v.LowFreq = 452.5;
        v.LowDac = 47;
        v.MidFreq = 478.2375;
        v.MidDac = 30;
        v.HighFreq = 505.8375;
        v.HighDac = 12;
    }
    test::SimLink sim;
    test::RecordingSink sink;
    Syncal syncal{sim.link, sim.prompts, sink};
};

class SyncalDerive : public ::testing::Test, public Bench {};

TEST_F(SyncalDerive, ExtendsTheLowPointToTheBandEdge) {
    ASSERT_TRUE(syncal.DeriveResults());
    const BandValues& v = syncal.Values;
    // D/A 48 still lies above 450 MHz on the line, 49 is below it.
    EXPECT_EQ(v.LowDac, 49);
    EXPECT_EQ(v.LowFreq, 449.6375);
    EXPECT_EQ(v.LowerSlope, 143);
    EXPECT_EQ(v.UpperSlope, 133);
    EXPECT_EQ(v.LoBandOffset, 9);
    EXPECT_EQ(v.HiBandOffset, 10);
    ASSERT_TRUE(syncal.Result());
    const BandResult& r = *syncal.Result();
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
        {"falling line", [](BandValues& v) { v.LowFreq = 480; }},
        {"zero slope", [](BandValues& v) { v.LowDac = 29; }},
        {"low point at the mid point", [](BandValues& v) { v.LowFreq = v.MidFreq; }},
        {"high point at the mid point", [](BandValues& v) { v.HighFreq = v.MidFreq; }},
        // Results the radio's bytes cannot hold.
        {"negative upper slope", [](BandValues& v) { v.HighDac = 31; }},
        {"upper slope above 255", [](BandValues& v) { v.HighFreq = 480; }},
        {"low offset below 0", [](BandValues& v) { v.LowDac = 58; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench fresh;
        c.change(fresh.syncal.Values);
        EXPECT_FALSE(fresh.syncal.DeriveResults());
        EXPECT_FALSE(fresh.syncal.Result());
    }
}

TEST_F(SyncalDerive, OverflowStopsAtTheLargestDacCount) {
    syncal.Values.LowFreq = 480;
    EXPECT_FALSE(syncal.DeriveResults());
    EXPECT_EQ(syncal.Values.LowDac, 47);  // left as found
}

}  // namespace
}  // namespace zav
