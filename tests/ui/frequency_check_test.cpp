#include "model/frequency_check.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

struct FreqCase {
    const char* typed;
    FreqCheckOutcome outcome;
    const char* shown;  // the cell's text when accepted
};

class CheckFrequencyTable : public ::testing::TestWithParam<FreqCase> {};

TEST_P(CheckFrequencyTable, GivesTheCellItsValue) {
    const FreqCase& c = GetParam();
    FreqCheckResult r = checkFrequency(c.typed);
    EXPECT_EQ(r.outcome, c.outcome) << c.typed;
    if (c.outcome == FreqCheckOutcome::Accepted) {
        EXPECT_EQ(r.text, c.shown) << c.typed;
    }
}

constexpr auto A = FreqCheckOutcome::Accepted;
constexpr auto R = FreqCheckOutcome::Rejected;
constexpr auto U = FreqCheckOutcome::Unchanged;

INSTANTIATE_TEST_SUITE_P(
    Entries, CheckFrequencyTable,
    ::testing::Values(FreqCase{"450125", A, "450.12500"},      // kHz
                      FreqCase{"4501250", A, "450.12500"},     // hundreds of Hz
                      FreqCase{"450.001", R, ""},              // off both steps
                      FreqCase{"450.01", A, "450.01000"},      // 2.5 kHz step
                      FreqCase{"450.0125", A, "450.01250"},    // 2.5 kHz step
                      FreqCase{"450.00625", A, "450.00625"},   // 6.25 kHz step
                      FreqCase{"399.9975", R, ""},             // on the step, below the band
                      FreqCase{"600.0025", R, ""},             // on the step, above the band
                      FreqCase{"400", A, "400.00000"},         // band edges
                      FreqCase{"600", A, "600.00000"},         //
                      FreqCase{"450.1234567", R, ""},          // 11 characters
                      FreqCase{"0", U, ""},                    // no band check
                      FreqCase{"0.000", U, ""},                //
                      FreqCase{" 512.5375 ", A, "512.53750"},  // blanks around
                      FreqCase{"599.9875", A, "599.98750"},    //
                      FreqCase{"1000", R, ""},                 // 1000 is not scaled down
                      FreqCase{"-450", R, ""},                 // negative
                      FreqCase{"4.5E2", A, "450.00000"},       // exponent form
                      FreqCase{"450.12500000000001", A, "450.12500"},  // 15 digits kept
                      FreqCase{"none", R, ""},                         // not a number
                      FreqCase{"", R, ""}));

TEST(NumericText, AcceptsNumbersOnly) {
    for (const char* yes : {"450", "-5", "+5", ".5", "5.", " 450.125 ", "4.5e2", "1E-3"})
        EXPECT_TRUE(isNumericText(yes)) << yes;
    for (const char* no : {"", "-", ".", "-.", "-x", "none", "4 5", "1e", "450.1.2", "D023"})
        EXPECT_FALSE(isNumericText(no)) << no;
}

TEST(NumericText, LeadingNumberIgnoresTheRest) {
    EXPECT_DOUBLE_EQ(leadingNumber("067.0"), 67.0);
    EXPECT_DOUBLE_EQ(leadingNumber("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(leadingNumber(" -5"), -5.0);
    EXPECT_DOUBLE_EQ(leadingNumber("none"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("D023"), 0.0);
}

TEST(Offset, SumIsExactToFifteenDigits) {
    EXPECT_EQ(addOffset("450.12500", "-5"), "445.125");
    EXPECT_EQ(addOffset("450.12500", "-60"), "390.125");
    EXPECT_EQ(addOffset("450.10000", "0.2"), "450.3");  // no binary noise
    EXPECT_EQ(addOffset("none", "5"), "5");
    EXPECT_EQ(checkFrequency(addOffset("450.12500", "-5")).text, "445.12500");
    EXPECT_EQ(checkFrequency(addOffset("450.12500", "-60")).outcome, FreqCheckOutcome::Rejected);
}

}  // namespace
}  // namespace zav
