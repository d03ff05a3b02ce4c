#include "model/frequency_check.h"

#include "model/codecs.h"
#include "model/field_entry.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <system_error>

namespace zav {

namespace {

// A decimal number held exactly: value = (neg ? -1 : 1) * digits * 10^exp, with digits
// free of leading zeros ("0" for zero).
struct Decimal {
    bool neg = false;
    std::string digits = "0";
    long exp = 0;

    [[nodiscard]] bool isZero() const { return digits == "0"; }
    // Number of digits before the point (may be zero or negative for 0.00x).
    [[nodiscard]] long magnitude() const { return static_cast<long>(digits.size()) + exp; }
};

constexpr int kSignificantDigits = 15;
constexpr long kStepDecimals = 5;
constexpr long kExponentLimit = 100000;      // far beyond any double; stops runaway exponents
constexpr long kMaxWholeDigits = 18;         // fits 64 bits
constexpr std::int64_t kRasterUnits = 1250;  // the radio's 12.5 kHz step in units of 10 Hz
// The text the frequency columns show for no frequency.
constexpr std::string_view kNoFrequency = "none";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trim(std::string_view t) {
    while (!t.empty() && isBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
    return t;
}

void stripZeros(Decimal& d) {
    std::size_t lead = d.digits.find_first_not_of('0');
    if (lead == std::string::npos) {
        d = Decimal{};
        return;
    }
    d.digits.erase(0, lead);
    // The first digit is not 0, so this stops before the digits run out.
    while (d.digits.back() == '0') {
        d.digits.pop_back();
        ++d.exp;
    }
}

// Rounds half away from zero to 15 significant digits, as a double-precision cell would.
void roundSignificant(Decimal& d) {
    if (d.digits.size() <= kSignificantDigits) return;
    const bool up = d.digits[kSignificantDigits] >= '5';
    d.exp += static_cast<long>(d.digits.size() - kSignificantDigits);
    d.digits.resize(kSignificantDigits);
    if (up) {
        int i = kSignificantDigits - 1;
        for (; i >= 0; --i) {
            if (d.digits[static_cast<std::size_t>(i)] == '9') {
                d.digits[static_cast<std::size_t>(i)] = '0';
            } else {
                ++d.digits[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) d.digits.insert(d.digits.begin(), '1');
    }
    stripZeros(d);
}

std::optional<Decimal> parseDecimal(std::string_view text) {
    std::string_view t = trim(text);
    // The text is consumed from the front, so no index can run past its end.
    const auto takeSign = [](std::string_view& s) {
        const bool neg = s.starts_with('-');
        if (neg || s.starts_with('+')) s.remove_prefix(1);
        return neg;
    };
    Decimal d;
    d.neg = takeSign(t);
    std::string digits;
    long fraction = 0;
    bool point = false;
    for (; !t.empty(); t.remove_prefix(1)) {
        if (isDigit(t.front())) {
            digits.push_back(t.front());
            if (point) ++fraction;
        } else if (t.front() == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return std::nullopt;
    long exponent = 0;
    if (t.starts_with('e') || t.starts_with('E')) {
        t.remove_prefix(1);
        const bool expNeg = takeSign(t);
        if (t.empty() || !isDigit(t.front())) return std::nullopt;
        for (; !t.empty() && isDigit(t.front()); t.remove_prefix(1)) {
            exponent = exponent * 10 + (t.front() - '0');
            if (exponent > kExponentLimit) return std::nullopt;
        }
        if (expNeg) exponent = -exponent;
    }
    if (!t.empty()) return std::nullopt;
    d.digits = digits;
    d.exp = exponent - fraction;
    const bool neg = d.neg;
    stripZeros(d);
    d.neg = neg && !d.isZero();
    return d;
}

// A value of four or more whole digits is divided by 10 until three remain (an entry in
// kHz or finer becomes MHz). A power of ten ends at 100, where dividing only while above
// 1000 would end at 1000: neither is in the band.
void normaliseToMHz(Decimal& d) {
    if (d.neg || d.magnitude() < 4) return;
    d.exp = 3 - static_cast<long>(d.digits.size());
}

std::int64_t pow10(long n) {
    std::int64_t p = 1;
    for (long i = 0; i < n; ++i) p *= 10;
    return p;
}

// Whole number digits * 10^shift; the callers keep it within 64 bits.
std::int64_t scaled(const Decimal& d, long shift) {
    std::int64_t v = 0;
    for (char c : d.digits) v = v * 10 + (c - '0');
    v *= pow10(shift);
    return d.neg ? -v : v;
}

// "450.00000": exactly five digits after the point. The callers pass frequencies of the
// band (three digits before the point) with at most five decimals.
std::string formatMHz(const Decimal& d) {
    std::int64_t units = scaled(d, d.exp + 5);
    std::string whole = std::to_string(units / 100000);
    std::string frac = std::to_string(units % 100000);
    frac.insert(0, 5 - frac.size(), '0');
    return whole + "." + frac;
}

}  // namespace

bool isNumericText(std::string_view text) {
    return parseDecimal(text).has_value();
}

FieldEntry frequencyEntry(std::string_view typed) {
    const std::string_view entry = trim(typed);
    const FieldEntry none = FieldEntry::taken(std::string(kNoFrequency));
    if (entry.empty() || entry == kNoFrequency) return none;
    const FieldEntry notOfTheRadio = FieldEntry::refused(
        std::string(entry) + " is not a frequency of the radio: 400 to 600 MHz in 12.5 kHz steps.");
    auto parsed = parseDecimal(entry);
    if (!parsed) return notOfTheRadio;
    Decimal f = *parsed;
    roundSignificant(f);
    normaliseToMHz(f);
    // No frequency is negative, and none is finer than five decimals of a megahertz.
    if (f.neg || f.exp < -kStepDecimals) return notOfTheRadio;
    // In units of 10 Hz the entry must be a whole number of 2.5 kHz or 6.25 kHz steps.
    const std::int64_t steps = scaled(f, f.exp + kStepDecimals);
    if (steps % 250 != 0 && steps % 625 != 0) return notOfTheRadio;
    // Those units read as megahertz again (an entry below 1 MHz scales up as kHz would).
    f.exp += kStepDecimals;
    normaliseToMHz(f);
    if (f.isZero()) return none;
    // 400 <= value <= 600: three digits before the point, leading digit 4 or 5, or 600.
    const bool inBand = f.magnitude() == 3 && (f.digits[0] == '4' || f.digits[0] == '5' ||
                                               (f.digits == "6" && f.exp == 2));
    if (!inBand) return notOfTheRadio;
    // At most five decimals are left (eight digits, three of them whole).
    const std::string shown = formatMHz(f);
    if (scaled(f, f.exp + kStepDecimals) % kRasterUnits != 0)
        return FieldEntry::refused(shown + " MHz is off the radio's 12.5 kHz steps.");
    // Last, what the frequency field makes of it: in the band only 400.00000 differs (it
    // encodes as no frequency).
    const auto bytes = freqTextToBytes(shown);
    if (!bytes || freqBytesToText((*bytes)[0], (*bytes)[1]) != shown)
        return FieldEntry::refused(shown + " MHz is stored as no frequency; leave the cell empty.");
    return FieldEntry::taken(shown);
}

std::optional<std::int64_t> wholeUnits(std::string_view text, int decimals) {
    const auto d = parseDecimal(text);
    if (!d || d->neg) return std::nullopt;
    if (d->isZero()) return 0;
    // The digits carry no trailing zeros, so a negative shift means digits finer than a unit.
    const long shift = d->exp + decimals;
    if (shift < 0 || static_cast<long>(d->digits.size()) + shift > kMaxWholeDigits)
        return std::nullopt;
    return scaled(*d, shift);
}

std::string addOffset(std::string_view baseText, std::string_view offsetText) {
    const double sum = leadingNumber(baseText) + leadingNumber(offsetText);
    char buf[64];
    auto [ptr, ec] =
        std::to_chars(buf, buf + sizeof buf, sum, std::chars_format::general, kSignificantDigits);
    if (ec != std::errc{}) return "0";
    return {buf, ptr};
}

}  // namespace zav
