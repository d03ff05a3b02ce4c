#include "model/codecs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

// Display characters by label character code; codes 49 to 63 show nothing.
constexpr std::string_view kLabelCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-*$/+%\\|_<>h ";
constexpr int kBlankCode = 48;
static_assert(kLabelCharacters.size() == kBlankCode + 1);

// Frequencies are handled in units of 10 Hz.
constexpr std::int64_t kUnitsPerMHz = 100'000;
constexpr std::int64_t kBase400 = 400 * kUnitsPerMHz;
constexpr std::int64_t kBase500 = 500 * kUnitsPerMHz;
constexpr std::int64_t kStep = 1250;  // 12.5 kHz
// F0 is the BCD of the megahertz count; counts 100 to 159 still fit (high nibble A..F).
constexpr std::int64_t kMaxMHzCount = 159;

// Tones are handled in tenths of a hertz; from 800.0 Hz G0 bit 7 would mark a digital code.
constexpr int kToneLimit = 8000;

constexpr Byte kDcsMarker = 0x88;  // bit 7: digital code, bit 3: always written as 1
constexpr Byte kDcsInverted = 0x40;

// Nearest integer, ties to even; nullopt when it is negative or above `max`. (No
// frequency or tone is negative.)
std::optional<std::int64_t> roundHalfEven(double x, std::int64_t max) {
    if (!std::isfinite(x)) return std::nullopt;
    double r = std::floor(x);
    const double diff = x - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    if (r < 0 || r > static_cast<double>(max)) return std::nullopt;
    return static_cast<std::int64_t>(r);
}

bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

char toUpperAscii(char ch) {
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
}

int labelCode(char ch) {
    if (ch != 'h') ch = toUpperAscii(ch);
    const auto pos = kLabelCharacters.find(ch);
    return pos == std::string_view::npos ? kBlankCode : static_cast<int>(pos);
}

// Length of the character at the front of a UTF-8 text (a stray byte counts alone).
std::size_t frontCharLength(const std::string& text) {
    if (text.empty()) return 0;
    if ((static_cast<unsigned char>(text[0]) & 0xC0) != 0xC0) return 1;
    const auto next = std::find_if(text.begin() + 1, text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return static_cast<std::size_t>(next - text.begin());
}

}  // namespace

double leadingNumber(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    std::string number;
    if (text.starts_with('-')) number += '-';
    if (text.starts_with('-') || text.starts_with('+')) text.remove_prefix(1);
    bool point = false;
    for (; !text.empty(); text.remove_prefix(1)) {
        const char ch = text.front();
        if (ch == '.' && !point) {
            point = true;
        } else if (!isDigit(ch)) {
            break;
        }
        number += ch;
    }
    // Without a digit ("", "-", ".") the conversion fails and leaves the value 0.
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Too many digits for a double: an overflow, which no encoder may take for 0.
        const bool tiny = number.find_first_of("123456789") > number.find('.');
        if (tiny) return 0.0;
        return number.front() == '-' ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    }
    return value;
}

std::optional<BytePair> freqTextToBytes(std::string_view text) {
    const auto rounded = roundHalfEven(leadingNumber(text) * static_cast<double>(kUnitsPerMHz),
                                       std::numeric_limits<std::int32_t>::max());
    if (!rounded) return std::nullopt;
    std::int64_t v = *rounded;
    if (v == 0) return BytePair{0, 0};

    int band = 0;
    if (v < kBase500) {
        v -= kBase400;
    } else {
        v -= kBase500;
        band = 1;
    }
    // Below 400 MHz, and from 660 MHz on, the megahertz count does not fit F0; such values
    // would otherwise wrap round to some other frequency.
    if (v < 0 || v / kUnitsPerMHz > kMaxMHzCount) return std::nullopt;

    const Byte f0 = toBcd(static_cast<int>(v / kUnitsPerMHz));
    const auto hundredKHz = (v % kUnitsPerMHz) / 10'000;
    const auto steps = ((v % 10'000) / kStep) & 7;
    const Byte f1 = static_cast<Byte>(hundredKHz * 16 | steps * 2 | band);
    return BytePair{f0, f1};
}

std::string freqBytesToText(Byte f0, Byte f1) {
    if ((f0 == 0 && f1 == 0) || (f0 == 0xFF && f1 == 0xFF)) return "none";
    std::int64_t f = std::int64_t{f0 / 16} * 1'000'000 + kBase400 +
                     std::int64_t{f0 & 15} * kUnitsPerMHz + std::int64_t{f1 / 16} * 10'000 +
                     std::int64_t{(f1 / 2) & 7} * kStep;
    if (f1 & 1) f += kBase500 - kBase400;
    std::string fraction = std::to_string(f % kUnitsPerMHz);
    fraction.insert(0, 5 - fraction.size(), '0');
    return std::to_string(f / kUnitsPerMHz) + "." + fraction;
}

std::optional<BytePair> cgTextToBytes(std::string_view text) {
    if (!text.empty() && toUpperAscii(text.front()) == 'D') {
        const bool inverted = text.back() == '-';
        if (text.size() < 4 || !isDigit(text[1]) || !isDigit(text[2]) || !isDigit(text[3])) {
            return std::nullopt;
        }
        // Only the low three bits of each digit count, so 8 acts as 0 and 9 as 1.
        const int d1 = (text[1] - '0') & 7;
        const int d2 = (text[2] - '0') & 7;
        const int d3 = (text[3] - '0') & 7;
        const Byte g0 =
            static_cast<Byte>(kDcsMarker | (d1 & 4) / 4 | (inverted ? kDcsInverted : 0));
        const Byte g1 = static_cast<Byte>((d1 & 3) * 64 + d2 * 8 + d3);
        return BytePair{g0, g1};
    }
    const auto rounded = roundHalfEven(leadingNumber(text) * 10.0, kToneLimit - 1);
    if (!rounded) return std::nullopt;
    const auto t = static_cast<int>(*rounded);
    const int th = t / 1000;
    const int h = (t / 100) % 10;
    const int te = (t / 10) % 10;
    const int u = t % 10;
    return BytePair{static_cast<Byte>(th * 16 + h), static_cast<Byte>(te * 16 + u)};
}

std::string cgBytesToText(Byte g0, Byte g1) {
    if ((g0 & 0x80) == 0) {
        if (g0 == 0 && g1 == 0) return "";
        return std::to_string(g0 / 16) + std::to_string(g0 & 15) + std::to_string(g1 / 16) + "." +
               std::to_string(g1 & 15);
    }
    std::string text = "D";
    text += std::to_string(g1 / 64 + (g0 & 1) * 4);
    text += std::to_string((g1 / 8) & 7);
    text += std::to_string(g1 & 7);
    if (g0 & kDcsInverted) text += '-';
    return text;
}

std::string labelByteToText(Byte b) {
    if (b == label_field::kErased) return "";
    std::string text;
    const auto code = static_cast<std::size_t>((b & fieldMask(label_field::kCharCode)) >>
                                               label_field::kCharCode.bitpos);
    if (code < kLabelCharacters.size()) text += kLabelCharacters[code];
    if (b & fieldMask(label_field::kPoint)) text += '.';
    return text;
}

Byte labelTextToByte(std::string& text) {
    int code = kBlankCode;
    if (!text.empty()) {
        const std::size_t len = frontCharLength(text);
        if (len == 1) code = labelCode(text[0]);
        text.erase(0, len);
    }
    int b = code << label_field::kCharCode.bitpos;
    if (!text.empty() && text.front() == '.') {
        b |= fieldMask(label_field::kPoint);
        text.erase(0, 1);
    }
    return static_cast<Byte>(b);
}

}  // namespace zav
