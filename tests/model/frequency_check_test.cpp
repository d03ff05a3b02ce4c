#include "model/frequency_check.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

constexpr auto A = FreqCheckOutcome::Accepted;
constexpr auto R = FreqCheckOutcome::Rejected;
constexpr auto U = FreqCheckOutcome::Unchanged;

TEST(FrequencyCheck, GivesTheCellItsValue) {
    // clang-format off
    const std::tuple<const char*, FreqCheckOutcome, const char*> cases[] = {
        // On the 2.5 kHz step, on the 6.25 kHz step only, on neither.
        {"450.0125", A, "450.01250"}, {"450.01", A, "450.01000"}, {"450.00625", A, "450.00625"},
        {"450.001", R, ""}, {" \t512.5375 ", A, "512.53750"},
        // Scaled to megahertz down to three whole digits (kHz and finer units).
        {"450125", A, "450.12500"}, {"4501250", A, "450.12500"}, {"4501", A, "450.10000"}, {"4501251", R, ""},
        {"1000", R, ""},
        // The band 400 ... 600 MHz; 0 is left unchanged.
        {"400", A, "400.00000"}, {"600", A, "600.00000"}, {"399.9975", R, ""}, {"600.0025", R, ""},
        {"700", R, ""}, {"-450", R, ""}, {"-0.005", R, ""}, {"0", U, ""}, {"-0.000", U, ""},
        {"4.5E2", A, "450.00000"}, {"0.45e+3", A, "450.00000"}, {"4501250e-4", A, "450.12500"},
        {"0.000000000450E12", A, "450.00000"},
        {"4.5E-2", A, "450.00000"},  // scaled to the step, then back below 1000
        {"4.5E-9", R, ""}, {"0.0000000045", R, ""},  // finer than any step
        {"5000000E-10", R, ""},  // 0.0005 is on neither step
        {"4.5E", R, ""}, {"4.5E+", R, ""}, {"4.5E2x", R, ""}, {"4.5E99999999999999999999", R, ""},
        // Fifteen significant digits are kept, the rest rounded half up.
        {"450.1250000000004", A, "450.12500"}, {"450.1250000000005", R, ""},
        {"399.9999999999999", A, "400.00000"}, {"999.9999999999999", R, ""}, {"599.99999999999999", A, "600.00000"},
        {"450.1234567", R, ""}, {"none", R, ""}, {"", R, ""}, {"4 5", R, ""}};
    // clang-format on
    for (const auto& [typed, outcome, shown] : cases) {
        const FreqCheckResult r = checkFrequency(typed);
        EXPECT_EQ(r.outcome, outcome) << typed;
        EXPECT_EQ(r.text, shown) << typed;
    }
    // A view into a longer text is read up to its own end only.
    EXPECT_EQ(checkFrequency(std::string_view("450.01259", 8)).text, "450.01250");
}

TEST(FrequencyCheck, NumericTexts) {
    for (const char* yes :
         {"450", "-5", "+5", ".5", "5.", " 450.125\t", "4.5e2", "1E-3", "1e100000"})
        EXPECT_TRUE(isNumericText(yes)) << yes;
    for (const char* no : {"", "-", ".", "-.", "-x", "4 5", "1e", "1e+", "450.1.2", "D023"})
        EXPECT_FALSE(isNumericText(no)) << no;
}

TEST(FrequencyCheck, OffsetSumIsExactToFifteenDigits) {
    EXPECT_EQ(addOffset("450.12500", "-5"), "445.125");
    EXPECT_EQ(addOffset("450.10000", "0.2"), "450.3");  // no binary noise
    EXPECT_EQ(addOffset("none", "5"), "5");
    EXPECT_EQ(addOffset("450.12500", "abc"), "450.125");
}

}  // namespace
}  // namespace zav
