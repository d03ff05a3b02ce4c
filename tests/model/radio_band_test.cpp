#include "model/radio_band.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

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
