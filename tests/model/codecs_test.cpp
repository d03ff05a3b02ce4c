#include "model/codecs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zav {
namespace {

constexpr int kRefused = -1;
const std::string kHuge(400, '9');  // too many digits for a double

// A text, the two bytes it encodes to (first * 256 + second, or refused), and the text
// those bytes read back as.
struct TextBytes {
    std::string text;
    int bytes;
    const char* shown = "";
};

void expectBothWays(const TextBytes& c, std::optional<BytePair> (*encode)(std::string_view),
                    std::string (*decode)(Byte, Byte)) {
    const auto bytes = encode(c.text);
    ASSERT_EQ(bytes ? (*bytes)[0] * 256 + (*bytes)[1] : kRefused, c.bytes) << c.text;
    if (bytes) EXPECT_EQ(decode((*bytes)[0], (*bytes)[1]), c.shown) << c.text;
}

TEST(Codecs, FrequencyTextsAndBytesBothWays) {
    // clang-format off
    const TextBytes cases[] = {
        {"450.0125", 0x5002, "450.01250"}, {"512.5375", 0x1257, "512.53750"},
        {"499.9875", 0x999E, "499.98750"}, {"500", 0x0001, "500.00000"},
        {"600.00000", 0xA001, "600.00000"}, {"659.9875", 0xF99F, "659.98750"},
        {"400.0000", 0, "none"}, {"none", 0, "none"}, {"", 0, "none"},
        // Off the 12.5 kHz raster: truncated to the step below.
        {"450.0130", 0x5002, "450.01250"}, {"450.0249", 0x5002, "450.01250"},
        {"450.00625", 0x5000, "450.00000"}, {"  450.1MHz", 0x5010, "450.10000"},
        {"\t+450.1", 0x5010, "450.10000"}, {"450.1.2", 0x5010, "450.10000"},
        {"450.", 0x5000, "450.00000"}, {"-", 0, "none"}, {".", 0, "none"}, {"0." + std::string(400, '0') + "1", 0, "none"},
        // Megahertz counts F0 cannot carry are refused instead of wrapping round.
        {"399.9875", kRefused}, {"-450", kRefused}, {"660", kRefused}, {"99999999", kRefused},
        {kHuge, kRefused}};
    // clang-format on
    for (const auto& c : cases) expectBothWays(c, freqTextToBytes, freqBytesToText);
    EXPECT_EQ(freqBytesToText(0xFF, 0xFF), "none");
    EXPECT_EQ(freqBytesToText(0xFF, 0xFE), "566.58750");
    EXPECT_EQ(freqBytesToText(0x01, 0x12), "401.11250");
    EXPECT_EQ(freqTextToBytes(std::string_view("450.1", 4)),
              (BytePair{0x50, 0x00}));                       // a view's end
    for (long v = 40'001'250; v <= 60'000'000; v += 1250) {  // the band's raster, in 10 Hz
        const std::string text =
            std::to_string(v / 100'000) + "." + std::to_string(100'000 + v % 100'000).substr(1);
        const auto bytes = freqTextToBytes(text);
        ASSERT_TRUE(bytes) << text;
        ASSERT_EQ(freqBytesToText((*bytes)[0], (*bytes)[1]), text);
    }
}

TEST(Codecs, CodeGuardTextsAndBytesBothWays) {
    // clang-format off
    const TextBytes cases[] = {
        {"67.0", 0x0670, "067.0"}, {"250.3", 0x2503, "250.3"}, {"799.9", 0x7999, "799.9"},
        {"67.25", 0x0672, "067.2"}, {"67.75", 0x0678, "067.8"},  // ties to even
        {"-0.04", 0, ""}, {"none", 0, ""}, {".5", 0x0005, "000.5"}, {"D023", 0x8813, "D023"}, {"d023-", 0xC813, "D023-"},
        {"D754", 0x89EC, "D754"}, {"D777-", 0xC9FF, "D777-"}, {"D0234", 0x8813, "D023"},
        {"D989", 0x8841, "D101"},  // only three bits of a digit count
        {"D02", kRefused}, {"D 23", kRefused}, {"D0X3", kRefused}, {"D02-", kRefused},
        {"-0.1", kRefused}, {"-" + kHuge, kRefused},
        {"800", kRefused}};  // from 800.0 Hz a tone would read back as a digital code
    // clang-format on
    for (const auto& c : cases) expectBothWays(c, cgTextToBytes, cgBytesToText);
    EXPECT_EQ(cgBytesToText(0xBE, 0x13), "D023");  // unused bits of a digital code ignored
    EXPECT_EQ(cgBytesToText(0x12, 0x34), "123.4");
    for (int code = 0; code < 1024; ++code) {  // every digital code, normal and inverted
        const auto g0 = static_cast<Byte>(0x88 | (code >> 8 & 1) | (code >> 3 & 0x40));
        EXPECT_EQ(cgTextToBytes(cgBytesToText(g0, static_cast<Byte>(code))),
                  (BytePair{g0, static_cast<Byte>(code)}));
    }
    for (int t = 1; t < 8000; ++t) {  // every tone, in tenths of a hertz
        const BytePair bcd{static_cast<Byte>(t / 1000 * 16 + t / 100 % 10),
                           static_cast<Byte>(t / 10 % 10 * 16 + t % 10)};
        ASSERT_EQ(cgTextToBytes(cgBytesToText(bcd[0], bcd[1])), bcd) << t;
    }
}

TEST(Codecs, LabelCharacters) {
    const std::pair<Byte, const char*> shown[] = {
        {0xFF, ""},  {0x00, "0"}, {0x15, "A."}, {0x5E, "h"}, {0x22, "H"}, {0x54, "\\"},
        {0x60, " "}, {0x62, ""},  {0x63, "."},  {0x7E, ""},  {0x95, "A."}};
    for (const auto& [b, text] : shown) EXPECT_EQ(labelByteToText(b), text) << int{b};
    for (int b = 0; b < 98; ++b) {  // every character code, with and without its point
        std::string text = labelByteToText(static_cast<Byte>(b));
        EXPECT_EQ(labelTextToByte(text), b);
        EXPECT_EQ(text, "");
    }
    // One display position is taken from the front of a text.
    const std::tuple<const char*, Byte, const char*> taken[] = {
        {"AB.C", 0x14, "B.C"},   {"B.C", 0x17, "C"}, {"", 0x60, ""},     {"a", 0x14, ""},
        {"..x", 0x61, "x"},      {"?", 0x60, ""},    {"9.9", 0x13, "9"}, {"h", 0x5E, ""},
        {"\xC3\xA9X", 0x60, "X"}};  // one UTF-8 character, shown as a blank
    for (const auto& [text, b, rest] : taken) {
        std::string s = text;
        EXPECT_EQ(labelTextToByte(s), b) << text;
        EXPECT_EQ(s, rest) << text;
    }
}

}  // namespace
}  // namespace zav
