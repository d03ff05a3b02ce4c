#pragma once
// The numeric texts a user types: the frequency gate (frequencyEntry, field_entry.h) works
// in exact decimal arithmetic on the typed digits, so no binary rounding can turn a valid
// entry into an invalid one or the other way round. Also the helpers the grid, the offset
// box and the code guard gate share.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/codecs.h"  // leadingNumber

namespace zav {

// True for a decimal number with optional blanks around it, an optional sign, an
// optional fraction and an optional exponent ("450.125", "-5", " 4.5E2 ", ".5").
bool isNumericText(std::string_view text);

// A non-negative numeric text in units of 10^-decimals, when it is a whole number of them
// of at most 18 digits ("67.0" in tenths is 670); nullopt otherwise ("67.05", "-1", "x").
std::optional<std::int64_t> wholeUnits(std::string_view text, int decimals);

// Receive frequency plus an offset, both in megahertz (the leading number of each text, 0
// when there is none), rounded to 15 significant digits and written as the shortest text.
std::string addOffset(std::string_view baseText, std::string_view offsetText);

}  // namespace zav
