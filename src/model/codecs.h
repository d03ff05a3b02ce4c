#pragma once
// Conversions between the texts the user sees and the radio's field bytes: frequencies,
// code guards (tones and digital codes) and label characters. Encoders that cannot encode
// a text return std::nullopt; the caller then leaves the stored bytes unchanged.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/memory_image.h"

namespace zav {

using BytePair = std::array<Byte, 2>;

// Value of the number at the front of a text, as BASIC's Val reads it: leading blanks
// skipped, an optional sign, digits with at most one point; reading stops at the first
// other character; 0 when there is no number.
double leadingNumber(std::string_view text);

// Frequency in MHz ("450.0125") to the two frequency bytes. Off-raster values are
// truncated to the 12.5 kHz step below; 0 (or no number) gives 00 00 (no frequency).
// Values whose megahertz count the two bytes cannot carry (below 400 MHz, 660 MHz and
// above) are refused.
std::optional<BytePair> freqTextToBytes(std::string_view text);

// "none" for 00 00 and FF FF, else three digits, a point and five digits ("450.01250").
std::string freqBytesToText(Byte f0, Byte f1);

// Tone ("67.0") or digital code ("D023", "d023-" inverted) to the two code guard bytes.
// No number gives 00 00. Refused: a digital code whose three digits are missing or not
// digits, and a tone that does not fit the four BCD digits below 800.0 Hz (from 800.0 Hz
// the bytes would read back as a digital code).
std::optional<BytePair> cgTextToBytes(std::string_view text);

// "" for 00 00, a tone as "067.0", a digital code as "D023" or "D023-".
std::string cgBytesToText(Byte g0, Byte g1);

// One display position: "" for erased memory (0xFF), else the character (if its code
// has one) followed by "." when the point bit is set.
std::string labelByteToText(Byte b);

// Encodes the display position at the front of `text` and removes what it used: one
// character (a multi-byte UTF-8 character counts as one) and a following point. Unknown
// characters and an empty text give a blank.
Byte labelTextToByte(std::string& text);

}  // namespace zav
