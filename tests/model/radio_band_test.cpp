#include "model/radio_band.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

// The band bytes at their edges: the word's value from 128 up is negative, a zero divisor
// or erased bytes give no band, nor do edges no channel frequency can reach.
TEST(RadioBand, DecodesTheBandBytesAtTheirEdges) {
    struct Case {
        BandBytes bytes;
        std::optional<RadioBand> band;
    };
    const Case cases[] = {
        {{25, 64, 211}, RadioBand{450, 512}},
        {{0xFB, 0xE0, 211}, RadioBand{403, 465}},  // v >= 128: below 409.6 MHz
        {{0x7F, 0xFF, 0}, std::nullopt},           // zero divisor
        {{25, 64, 0}, std::nullopt},
        {{0xFF, 0xFF, 0xFF}, std::nullopt},        // erased memory
        {{0xFF, 0xFF, 211}, RadioBand{409, 471}},  // an erased word alone still decodes
        {{0x80, 0x00, 211}, std::nullopt},         // 204 MHz: no channel reaches it
        {{0xF9, 0xFF, 211}, std::nullopt},         // 399 MHz
        {{0xFA, 0x00, 211}, RadioBand{400, 462}},
        {{25, 64, 1}, std::nullopt},  // 13557 MHz wide
        {{0x51, 0xFF, 110}, RadioBand{540, 659}},
        {{0x51, 0xFF, 109}, std::nullopt},  // 660 MHz
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bytes.edgeHi) + "," + std::to_string(c.bytes.edgeLo) + " / " +
                     std::to_string(c.bytes.divisor));
        EXPECT_EQ(decodeRadioBand(c.bytes), c.band);
    }
    MemImage image{};
    image[0x78] = 25;
    image[0x79] = 64;
    image[0x7C] = 211;
    const auto band = decodeRadioBand(bandBytesOf(image));
    ASSERT_TRUE(band);
    EXPECT_EQ(bandText(*band), "450 to 512 MHz");
}

}  // namespace
}  // namespace zav
