#pragma once
// Addresses and bit-field access on the memory image.
// An index outside the image is a programming error and throws std::out_of_range.

#include <string_view>

#include "model/memory_fields.h"
#include "model/memory_image.h"

namespace zav {

// First byte of block (page) b = 0..15: b*128. Block 0 is the global page, block g + 1
// holds group g.
int blockAddress(int b);

// First byte of group g's page (g = 0..14): (g+1)*128.
int groupAddress(int g);

// First byte of channel c's record (c = 0..13) in group g: (g+1)*128 + 16 + 8*c.
int channelAddress(int g, int c);

// (image[addr] >> bitpos) & (2^width - 1).
int getBits(const MemImage& mem, int addr, int bitpos, int width);

// Replaces the field's bits by value; value bits beyond the width are dropped and the
// other bits of the byte are kept.
void setBits(MemImage& mem, int addr, int bitpos, int width, int value);

// The same through a descriptor; `base` is added to the descriptor's offset (the page
// address for group-header fields, 0 for global fields).
int getBits(const MemImage& mem, BitField field, int base = 0);
void setBits(MemImage& mem, BitField field, int value, int base = 0);

// Like setBits, but a value that does not fit the field is refused with
// std::overflow_error instead of being cut, and nothing is written.
void storeField(MemImage& mem, BitField field, int value, int base = 0);

// Whether group g (0..14) is on the radio: its page-map nibble is not zero.
bool groupExists(const MemImage& mem, int g);

// Value of a text of 1 to 3 hexadecimal digits; characters that are not hexadecimal
// digits count as 0; an empty text or one longer than 3 characters gives 0.
int hexTextToValue(std::string_view text);

// Packed BCD of n: (n/10)*16 + n%10. Throws std::overflow_error when the result does not
// fit a byte (n outside 0..159; 100..159 give the non-decimal high nibbles A..F).
Byte toBcd(int n);

// Default global page: bytes 0..127 zero, page map 0x08, 0x88 x 7 (all 15 groups present).
void initGlobalPage(MemImage& mem);

}  // namespace zav
