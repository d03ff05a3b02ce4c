#include "model/frequency_check.h"

#include <gtest/gtest.h>

#include "model/field_entry.h"
#include "model/radio_band.h"

namespace zav {
namespace {

constexpr const char* kRange = "400 to 600 MHz";
constexpr const char* kRaster = "off the radio's 12.5 kHz steps";
constexpr const char* kNone = "stored as no frequency";

// The one frequency gate: what a frequency field shows once it takes the entry, or a part
// of why it refuses it (a text with blanks).
TEST(FrequencyEntry, TakesWhatTheFieldHoldsExactly) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        // On the 12.5 kHz raster; on the 2.5 or 6.25 kHz step only; on neither.
        {"450.0125", "450.01250"}, {" \t512.5375 ", "512.53750"}, {"450.01", kRaster},
        {"450.00625", kRaster}, {"450.001", kRange},
        // Scaled to megahertz down to three whole digits (kHz and finer units).
        {"450125", "450.12500"}, {"4501250", "450.12500"}, {"4501", "450.10000"},
        {"4501251", kRange}, {"1000", kRange},
        // The band 400 ... 600 MHz, whose lowest frequency the field holds as none; zero,
        // the empty text and "none" clear the field.
        {"400", kNone}, {"600", "600.00000"}, {"399.9975", kRange}, {"600.0025", kRange},
        {"700", kRange}, {"-450", kRange}, {"-0.005", kRange}, {"0", "none"}, {"-0.000", "none"},
        {"", "none"}, {" none ", "none"}, {"None", kRange},
        {"4.5E2", "450.00000"}, {"0.45e+3", "450.00000"}, {"4501250e-4", "450.12500"},
        {"0.000000000450E12", "450.00000"},
        {"4.5E-2", "450.00000"},  // scaled to the step, then back below 1000
        {"4.5E-9", kRange}, {"0.0000000045", kRange},  // finer than any step
        {"5000000E-10", kRange},  // 0.0005 is on neither step
        {"4.5E", kRange}, {"4.5E+", kRange}, {"4.5E2x", kRange}, {"4.5E99999999999999999999", kRange},
        // Fifteen significant digits are kept, the rest rounded half up.
        {"450.1250000000004", "450.12500"}, {"450.1250000000005", kRange},
        {"399.9999999999999", kNone}, {"999.9999999999999", kRange}, {"599.99999999999999", "600.00000"},
        {"450.1234567", kRange}, {"4 5", kRange}};
    // clang-format on
    for (const auto& [typed, expected] : cases) {
        const FieldEntry entry = frequencyEntry(typed);
        const bool taken = std::string_view(expected).find(' ') == std::string_view::npos;
        EXPECT_EQ(entry.accepted(), taken) << typed;
        EXPECT_NE((taken ? entry.shown() : entry.reason()).find(expected), std::string::npos)
            << typed << ": " << (taken ? entry.shown() : entry.reason());
    }
    // A view into a longer text is read up to its own end only.
    EXPECT_EQ(frequencyEntry(std::string_view("450.01259", 8)).shown(), "450.01250");
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

// The band bytes at their edges: the word's value from 128 up is negative (0xFB 0xE0: 403
// MHz); a zero divisor, erased bytes (0xFF thrice; the word alone still decodes) and edges
// no channel frequency reaches (204 and 399 MHz low, 660 and 13557 MHz high) give no band.
TEST(RadioBand, DecodesTheBandBytesAtTheirEdges) {
    const std::pair<BandBytes, std::optional<RadioBand>> cases[] = {
        {{25, 64, 211}, RadioBand{450, 512}},     {{0xFB, 0xE0, 211}, RadioBand{403, 465}},
        {{0x7F, 0xFF, 0}, std::nullopt},          {{25, 64, 0}, std::nullopt},
        {{0xFF, 0xFF, 0xFF}, std::nullopt},       {{0xFF, 0xFF, 211}, RadioBand{409, 471}},
        {{0x80, 0x00, 211}, std::nullopt},        {{0xF9, 0xFF, 211}, std::nullopt},
        {{0xFA, 0x00, 211}, RadioBand{400, 462}}, {{25, 64, 1}, std::nullopt},
        {{0x51, 0xFF, 110}, RadioBand{540, 659}}, {{0x51, 0xFF, 109}, std::nullopt}};
    for (const auto& [bytes, band] : cases)
        EXPECT_EQ(decodeRadioBand(bytes), band)
            << int{bytes.edgeHi} << "," << int{bytes.edgeLo} << " / " << int{bytes.divisor};
    EXPECT_EQ(bandText(RadioBand{450, 512}), "450 to 512 MHz");
}

}  // namespace
}  // namespace zav
