#include "model/codecs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zav {
namespace {

struct FreqEncodeCase {
    const char* text;
    std::optional<BytePair> bytes;
};

class FreqEncode : public ::testing::TestWithParam<FreqEncodeCase> {};

TEST_P(FreqEncode, Bytes) {
    const auto& c = GetParam();
    EXPECT_EQ(freqTextToBytes(c.text), c.bytes) << '"' << c.text << '"';
}

constexpr std::optional<BytePair> Bytes(Byte a, Byte b) {
    return BytePair{a, b};
}

INSTANTIATE_TEST_SUITE_P(
    Codecs, FreqEncode,
    ::testing::Values(
        FreqEncodeCase{"450.0125", Bytes(0x50, 0x02)},
        FreqEncodeCase{"512.5375", Bytes(0x12, 0x57)},
        FreqEncodeCase{"599.9875", Bytes(0x99, 0x9F)}, FreqEncodeCase{"600", Bytes(0xA0, 0x01)},
        FreqEncodeCase{"600.00000", Bytes(0xA0, 0x01)}, FreqEncodeCase{"400", Bytes(0x00, 0x00)},
        FreqEncodeCase{"400.0000", Bytes(0x00, 0x00)}, FreqEncodeCase{"500", Bytes(0x00, 0x01)},
        FreqEncodeCase{"499.9875", Bytes(0x99, 0x9E)}, FreqEncodeCase{"none", Bytes(0x00, 0x00)},
        FreqEncodeCase{"", Bytes(0x00, 0x00)}, FreqEncodeCase{"0", Bytes(0x00, 0x00)},
        // Off the 12.5 kHz raster: truncated to the step below.
        FreqEncodeCase{"450.0130", Bytes(0x50, 0x02)},
        FreqEncodeCase{"450.00625", Bytes(0x50, 0x00)},
        FreqEncodeCase{"450.0249", Bytes(0x50, 0x02)},
        FreqEncodeCase{"  450.1MHz", Bytes(0x50, 0x10)},
        FreqEncodeCase{"+450.1", Bytes(0x50, 0x10)},
        // Megahertz counts F0 cannot carry: refused instead of wrapping round.
        FreqEncodeCase{"399.9875", std::nullopt}, FreqEncodeCase{"300", std::nullopt},
        FreqEncodeCase{"1", std::nullopt}, FreqEncodeCase{"-450", std::nullopt},
        FreqEncodeCase{"660", std::nullopt}, FreqEncodeCase{"2660", std::nullopt},
        FreqEncodeCase{"99999999", std::nullopt}));

TEST(Codecs, FrequenciesAboveTheBandThatStillFitDecodeToThemselves) {
    const auto bytes = freqTextToBytes("659.9875");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(freqBytesToText((*bytes)[0], (*bytes)[1]), "659.98750");
}

TEST(Codecs, freqBytesToText) {
    const struct {
        Byte f0, f1;
        const char* text;
    } cases[] = {{0x50, 0x02, "450.01250"}, {0x12, 0x57, "512.53750"}, {0x99, 0x9F, "599.98750"},
                 {0xA0, 0x01, "600.00000"}, {0x00, 0x00, "none"},      {0xFF, 0xFF, "none"},
                 {0x00, 0x01, "500.00000"}, {0x01, 0x00, "401.00000"}, {0x50, 0x12, "450.11250"},
                 {0xFF, 0xFE, "566.58750"}};
    for (const auto& c : cases) {
        EXPECT_EQ(freqBytesToText(c.f0, c.f1), c.text) << std::hex << int(c.f0) << ' ' << int(c.f1);
    }
}

TEST(Codecs, EveryRasterFrequencyInTheBandRoundTrips) {
    // 400.0125 to 600.0000 in 12.5 kHz steps, counted in units of 10 Hz.
    for (long v = 40'001'250; v <= 60'000'000; v += 1250) {
        std::string text =
            std::to_string(v / 100'000) + "." + std::to_string(100'000 + v % 100'000).substr(1);
        const auto bytes = freqTextToBytes(text);
        ASSERT_TRUE(bytes) << text;
        ASSERT_EQ(freqBytesToText((*bytes)[0], (*bytes)[1]), text) << text;
    }
}

TEST(Codecs, NumbersTooLargeForADoubleAreFailuresNotZero) {
    const std::string huge(400, '9');
    EXPECT_EQ(freqTextToBytes(huge), std::nullopt);
    EXPECT_EQ(cgTextToBytes(huge), std::nullopt);
    EXPECT_EQ(cgTextToBytes("-" + huge), std::nullopt);
    EXPECT_EQ(freqTextToBytes("0." + std::string(400, '0') + "1"), Bytes(0x00, 0x00));
}

TEST(Codecs, FreqTiesRoundToEven) {
    // 450.000005 MHz is 45000000.5 units of 10 Hz: ties go to the even 45000000.
    EXPECT_EQ(freqTextToBytes("450.000005"), Bytes(0x50, 0x00));
}

struct CGCase {
    const char* text;
    std::optional<BytePair> bytes;
    const char* readBack;  // nullptr when refused
};

class CodeGuard : public ::testing::TestWithParam<CGCase> {};

TEST_P(CodeGuard, EncodesAndReadsBack) {
    const auto& c = GetParam();
    const auto bytes = cgTextToBytes(c.text);
    ASSERT_EQ(bytes, c.bytes) << '"' << c.text << '"';
    if (bytes) {
        EXPECT_EQ(cgBytesToText((*bytes)[0], (*bytes)[1]), c.readBack);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codecs, CodeGuard,
    ::testing::Values(
        CGCase{"67.0", Bytes(0x06, 0x70), "067.0"}, CGCase{"067.0", Bytes(0x06, 0x70), "067.0"},
        CGCase{"250.3", Bytes(0x25, 0x03), "250.3"}, CGCase{"67", Bytes(0x06, 0x70), "067.0"},
        CGCase{"67.05", Bytes(0x06, 0x70), "067.0"},  // tie to even
        CGCase{"67.15", Bytes(0x06, 0x72), "067.2"},  // tie to even
        CGCase{"799.9", Bytes(0x79, 0x99), "799.9"}, CGCase{"", Bytes(0x00, 0x00), ""},
        CGCase{"none", Bytes(0x00, 0x00), ""}, CGCase{"D023", Bytes(0x88, 0x13), "D023"},
        CGCase{"D023-", Bytes(0xC8, 0x13), "D023-"}, CGCase{"d023-", Bytes(0xC8, 0x13), "D023-"},
        CGCase{"D754", Bytes(0x89, 0xEC), "D754"}, CGCase{"D777-", Bytes(0xC9, 0xFF), "D777-"},
        CGCase{"D000", Bytes(0x88, 0x00), "D000"},
        CGCase{"D989", Bytes(0x88, 0x41), "D101"},  // 8 acts as 0, 9 as 1
        CGCase{"D0234", Bytes(0x88, 0x13), "D023"}, CGCase{"D02", std::nullopt, nullptr},
        CGCase{"D", std::nullopt, nullptr}, CGCase{"D0X3", std::nullopt, nullptr},
        CGCase{"D 23", std::nullopt, nullptr}, CGCase{"D02-", std::nullopt, nullptr},
        // From 800.0 Hz a tone would set the digital-code bit.
        CGCase{"800", std::nullopt, nullptr}, CGCase{"-67", std::nullopt, nullptr},
        CGCase{"5000", std::nullopt, nullptr}, CGCase{"99999", std::nullopt, nullptr}));

TEST(Codecs, CGBytesToTextIgnoresUnusedDcsBits) {
    EXPECT_EQ(cgBytesToText(0x00, 0x00), "");
    EXPECT_EQ(cgBytesToText(0xBE, 0x13), "D023");  // bits 1 to 5 of G0 ignored
    EXPECT_EQ(cgBytesToText(0x80, 0x13), "D023");
}

TEST(Codecs, labelByteToText) {
    const struct {
        Byte b;
        const char* text;
    } cases[] = {{0xFF, ""},   {0x01, "0."}, {0x00, "0"}, {0x14, "A"}, {0x15, "A."},
                 {0x60, " "},  {0x61, " ."}, {0x5E, "h"}, {0x22, "H"}, {0x48, "-"},
                 {0x54, "\\"}, {0x56, "|"},  {0x5C, ">"}, {0x62, ""},  {0x63, "."},
                 {0x7E, ""},   {0xFE, ""},   {0x94, "A"}, {0x95, "A."}};
    for (const auto& c : cases) EXPECT_EQ(labelByteToText(c.b), c.text) << std::hex << int(c.b);
}

TEST(Codecs, EveryCharacterCodeRoundTripsThroughTheText) {
    for (int code = 0; code <= 48; ++code) {
        for (int point = 0; point <= 1; ++point) {
            const auto b = static_cast<Byte>(code * 2 + point);
            std::string text = labelByteToText(b);
            EXPECT_EQ(labelTextToByte(text), b) << code;
            EXPECT_EQ(text, "");
        }
    }
}

TEST(Codecs, LabelTextToByteConsumesOneDisplayPosition) {
    const struct {
        const char* text;
        Byte b;
        const char* rest;
    } cases[] = {{"AB.C", 0x14, "B.C"}, {"B.C", 0x17, "C"},       {"", 0x60, ""},
                 {"a", 0x14, ""},       {"h", 0x5E, ""},          {"H", 0x22, ""},
                 {"..x", 0x61, "x"},    {"?", 0x60, ""},          {" .", 0x61, ""},
                 {"9.9", 0x13, "9"},    {"\xC3\xA9X", 0x60, "X"},  // one UTF-8 character
                 {"_<", 0x58, "<"}};
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(labelTextToByte(text), c.b) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(Codecs, LeadingNumberFollowsBasicVal) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"450.0125", 450.0125},
                 {"  12abc", 12},
                 {"-3.5", -3.5},
                 {"+7", 7},
                 {"1.2.3", 1.2},
                 {"abc", 0},
                 {"", 0},
                 {".5", 0.5},
                 {"-", 0},
                 {".", 0},
                 {"5.", 5}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace zav
