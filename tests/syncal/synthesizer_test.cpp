// The simulated synthesizer's documented model.

#include "sim/synthesizer.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

TEST(SimSynthesizer, LockWindowsMoveDownWithTheDac) {
    const sim::Synthesizer synth;
    const auto [lo12, hi12] = synth.lockWindow(false, 12);
    EXPECT_NEAR(lo12, 499.995, 1e-9);
    EXPECT_NEAR(hi12, 509.995, 1e-9);
    for (const bool tx : {false, true}) {
        for (int d = 1; d < 64; ++d) {
            const auto a = synth.lockWindow(tx, d - 1);
            const auto b = synth.lockWindow(tx, d);
            ASSERT_LT(b.first, a.first) << d;
        }
    }
    // The transmitter runs on its own curve.
    EXPECT_NE(synth.lockWindow(true, 30), synth.lockWindow(false, 30));
    EXPECT_TRUE(synth.inSync(false, 505.0, 12));
    EXPECT_FALSE(synth.inSync(false, 501.0, 11));
}

TEST(SimSynthesizer, BowLiftsOnlyTheMidRange) {
    sim::Synthesizer plain;
    sim::SynthModel bowed;
    bowed.faults.bow = 40;
    sim::Synthesizer synth(bowed);
    for (int d = 0; d < 64; ++d) {
        const double lift = synth.lockWindow(false, d).first - plain.lockWindow(false, d).first;
        if (d <= 20 || d >= 44)
            EXPECT_NEAR(lift, 0, 1e-9) << d;
        else
            EXPECT_GT(lift, 0) << d;
    }
    EXPECT_NEAR(synth.lockWindow(false, 32).first - plain.lockWindow(false, 32).first, 40, 1e-9);
}

TEST(SimSynthesizer, FrequencyWords) {
    EXPECT_EQ(sim::decodeFrequencyWord(25, 64), 450.0);
    EXPECT_NEAR(sim::decodeFrequencyWord(251, 224), 403.0, 1e-9);
}

}  // namespace
}  // namespace zav
