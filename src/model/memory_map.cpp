#include "model/memory_map.h"

#include <charconv>

#include <stdexcept>
#include <string>

namespace zav {

namespace {

Byte& at(MemImage& mem, int addr) {
    if (addr < 0) throw std::out_of_range("memory image index " + std::to_string(addr));
    return mem.at(static_cast<std::size_t>(addr));
}

Byte at(const MemImage& mem, int addr) {
    if (addr < 0) throw std::out_of_range("memory image index " + std::to_string(addr));
    return mem.at(static_cast<std::size_t>(addr));
}

// Characters that are not hexadecimal digits count as 0.
int hexDigitValue(char ch) {
    int value = 0;
    (void)std::from_chars(&ch, &ch + 1, value, 16);
    return value;
}

void checkGroup(int g) {
    if (g < 0 || g >= kGroupCount) throw std::out_of_range("group index " + std::to_string(g));
}

}  // namespace

int blockAddress(int b) {
    if (b < 0 || b >= static_cast<int>(kPageCount))
        throw std::out_of_range("block " + std::to_string(b));
    return b * static_cast<int>(kPageSize);
}

int groupAddress(int g) {
    checkGroup(g);
    return blockAddress(g + 1);
}

int channelAddress(int g, int c) {
    if (c < 0 || c >= kChannelsPerGroup) {
        throw std::out_of_range("channel index " + std::to_string(c));
    }
    return groupAddress(g) + channel_field::kFirstRecord + channel_field::kRecordSize * c;
}

int getBits(const MemImage& mem, int addr, int bitpos, int width) {
    return (at(mem, addr) >> bitpos) & ((1 << width) - 1);
}

void setBits(MemImage& mem, int addr, int bitpos, int width, int value) {
    Byte& b = at(mem, addr);
    const int mask = ((1 << width) - 1) << bitpos;
    b = static_cast<Byte>((b & ~mask) | ((value << bitpos) & mask));
}

int getBits(const MemImage& mem, BitField field, int base) {
    return getBits(mem, base + field.offset, field.bitpos, field.width);
}

void setBits(MemImage& mem, BitField field, int value, int base) {
    setBits(mem, base + field.offset, field.bitpos, field.width, value);
}

void storeField(MemImage& mem, BitField field, int value, int base) {
    if (value < 0 || value > fieldMax(field)) {
        throw std::overflow_error("value " + std::to_string(value) + " does not fit a " +
                                  std::to_string(field.width) + "-bit field");
    }
    setBits(mem, field, value, base);
}

bool groupExists(const MemImage& mem, int g) {
    checkGroup(g);
    return getBits(mem, global_field::pageMapNibble(g + 1)) != 0;
}

int hexTextToValue(std::string_view text) {
    if (text.empty() || text.size() > 3) return 0;
    int value = 0;
    for (char ch : text) value = value * 16 + hexDigitValue(ch);
    return value;
}

Byte toBcd(int n) {
    const int bcd = (n / 10) * 16 + n % 10;
    if (n < 0 || bcd > 255) throw std::overflow_error("BCD of " + std::to_string(n));
    return static_cast<Byte>(bcd);
}

void initGlobalPage(MemImage& mem) {
    for (std::size_t i = 0; i < kPageSize; ++i) mem[i] = 0;
    for (int page = 1; page < static_cast<int>(kPageCount); ++page) {
        setBits(mem, global_field::pageMapNibble(page), global_field::kPagePresent);
    }
}

}  // namespace zav
