#include "model/memory_map.h"

#include <stdexcept>
#include <string>

namespace zav {

namespace {

Byte& At(MemImage& mem, int addr) {
    if (addr < 0) throw std::out_of_range("memory image index " + std::to_string(addr));
    return mem.at(static_cast<std::size_t>(addr));
}

Byte At(const MemImage& mem, int addr) {
    if (addr < 0) throw std::out_of_range("memory image index " + std::to_string(addr));
    return mem.at(static_cast<std::size_t>(addr));
}

int HexDigitValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return 0;
}

void CheckGroup(int g) {
    if (g < 0 || g >= kGroupCount) throw std::out_of_range("group index " + std::to_string(g));
}

}  // namespace

int GroupAddress(int g) {
    CheckGroup(g);
    return (g + 1) * static_cast<int>(kPageSize);
}

int ChannelAddress(int g, int c) {
    if (c < 0 || c >= kChannelsPerGroup) {
        throw std::out_of_range("channel index " + std::to_string(c));
    }
    return GroupAddress(g) + channel_field::kFirstRecord + channel_field::kRecordSize * c;
}

int GetBits(const MemImage& mem, int addr, int bitpos, int width) {
    return (At(mem, addr) >> bitpos) & ((1 << width) - 1);
}

void SetBits(MemImage& mem, int addr, int bitpos, int width, int value) {
    Byte& b = At(mem, addr);
    const int mask = ((1 << width) - 1) << bitpos;
    b = static_cast<Byte>((b & ~mask) | ((value << bitpos) & mask));
}

int GetBits(const MemImage& mem, BitField field, int base) {
    return GetBits(mem, base + field.offset, field.bitpos, field.width);
}

void SetBits(MemImage& mem, BitField field, int value, int base) {
    SetBits(mem, base + field.offset, field.bitpos, field.width, value);
}

void StoreField(MemImage& mem, BitField field, int value, int base) {
    if (value < 0 || value > FieldMax(field)) {
        throw std::overflow_error("value " + std::to_string(value) + " does not fit a " +
                                  std::to_string(field.width) + "-bit field");
    }
    SetBits(mem, field, value, base);
}

int GroupExists(const MemImage& mem, int g) {
    CheckGroup(g);
    return GetBits(mem, global_field::PageMapNibble(g + 1));
}

int HexTextToValue(std::string_view text) {
    if (text.empty() || text.size() > 3) return 0;
    int value = 0;
    for (char ch : text) value = value * 16 + HexDigitValue(ch);
    return value;
}

Byte ToBCD(int n) {
    const int bcd = (n / 10) * 16 + n % 10;
    if (n < 0 || bcd > 255) throw std::overflow_error("BCD of " + std::to_string(n));
    return static_cast<Byte>(bcd);
}

void InitGlobalPage(MemImage& mem) {
    for (std::size_t i = 0; i < kPageSize; ++i) mem[i] = 0;
    for (int page = 1; page < static_cast<int>(kPageCount); ++page) {
        SetBits(mem, global_field::PageMapNibble(page), 8);
    }
}

}  // namespace zav
