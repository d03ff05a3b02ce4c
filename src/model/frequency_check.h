#pragma once
// Checks a frequency typed into the channel grid before it is stored: after scaling the
// entry to megahertz it must lie in 400 ... 600 MHz and be a whole multiple of 2.5 kHz or
// of 6.25 kHz. The arithmetic is exact decimal arithmetic on the typed digits, so no
// binary rounding can turn a valid entry into an invalid one or the other way round.
// Also the numeric-text helpers the grid and the offset box share.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/codecs.h"  // leadingNumber
#include "model/field_entry.h"

namespace zav {

// True for a decimal number with optional blanks around it, an optional sign, an
// optional fraction and an optional exponent ("450.125", "-5", " 4.5E2 ", ".5").
bool isNumericText(std::string_view text);

enum class FreqCheckOutcome {
    Accepted,   // the cell shows `text`
    Unchanged,  // zero entry: the cell keeps what was typed
    Rejected,   // the cell returns to its earlier value, with a beep
};

struct FreqCheckResult {
    FreqCheckOutcome outcome = FreqCheckOutcome::Rejected;
    std::string text;  // accepted value in megahertz, "000.00000" format
};

// The check of one numeric cell text. A text that is not numeric is rejected.
FreqCheckResult checkFrequency(std::string_view text);

// Why the radio's frequency field cannot hold an accepted frequency ("000.00000" text)
// exactly, or nullopt when it stores what the cell shows: the field holds 12.5 kHz steps
// only, and 400.00000 encodes as "no frequency".
std::optional<std::string> unstorableReason(std::string_view mhzText);

// What a frequency cell stores for a typed text: the text it then shows, or why the entry
// is refused. An empty entry, "none" and zero clear the frequency ("none"); anything else
// must pass checkFrequency and be storable. Every entry path takes frequencies so.
using FrequencyEntry = FieldEntry;
FrequencyEntry frequencyEntry(std::string_view typed);

// A non-negative numeric text in units of 10^-decimals, when it is a whole number of them
// of at most 18 digits ("67.0" in tenths is 670); nullopt otherwise ("67.05", "-1", "x").
std::optional<std::int64_t> wholeUnits(std::string_view text, int decimals);

// Receive frequency plus an offset, both in megahertz (the leading number of each text, 0
// when there is none), rounded to 15 significant digits and written as the shortest text.
std::string addOffset(std::string_view baseText, std::string_view offsetText);

}  // namespace zav
