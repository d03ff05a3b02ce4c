#include "model/memory_map.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zav {
namespace {

TEST(MemoryMap, AddressesAndTheirLimits) {
    MemImage mem{};
    EXPECT_THROW(groupAddress(-1), std::out_of_range);
    for (const int at : {2049, -1}) EXPECT_THROW(getBits(mem, at, 0, 8), std::out_of_range) << at;
    EXPECT_THROW(groupExists(mem, 15), std::out_of_range);
    for (const int block : {-1, 16}) EXPECT_THROW(blockAddress(block), std::out_of_range) << block;
    setBits(mem, 2048, 0, 8, 1);  // the spare byte is part of the image, as is byte 0
    setBits(mem, 0, 0, 8, 2);
    EXPECT_EQ(getBits(mem, 2048, 0, 8) + getBits(mem, 0, 0, 8), 3);
    // Each group reads its own page map nibble; the first one is the global page's.
    const std::tuple<int, std::size_t, Byte> nibbles[] = {{-1, 80, 0xF0}, {0, 80, 0x05},
                                                          {1, 81, 0x50},  {2, 81, 0x05},
                                                          {13, 87, 0x50}, {14, 87, 0x05}};
    for (const auto& [group, byte, value] : nibbles) {
        mem = MemImage{};
        mem[byte] = value;
        for (int g = 0; g < kGroupCount; ++g) EXPECT_EQ(groupExists(mem, g), g == group) << g;
    }
}

TEST(MemoryMap, FieldsReplaceOnlyTheirBits) {
    MemImage mem{};
    mem[131] = 0x2F;
    setBits(mem, 131, 6, 2, 1);
    EXPECT_EQ(std::tuple(mem[131], getBits(mem, 131, 0, 4)), std::tuple(0x6F, 0xF));
    setBits(mem, 131, 0, 4, 0x13);  // bits beyond the width are dropped
    EXPECT_EQ(mem[131], 0x63);
    const BitField f{2, 1, 3};
    for (const int v : {8, -1}) EXPECT_THROW(storeField(mem, f, v, 129), std::overflow_error) << v;
    EXPECT_EQ(mem[131], 0x63);
    storeField(mem, f, 7, 129);  // the base is added to the offset
    EXPECT_EQ(mem[131], 0x6F);
}

TEST(MemoryMap, NumberTexts) {
    const std::pair<const char*, int> hex[] = {{"1F", 31},    {"G1", 1}, {"", 0},
                                               {"1234", 0},   {" 9", 9}, {"Abf", 0xABF},
                                               {"FFF", 4095}, {"0a", 10}};
    for (const auto& [text, value] : hex) EXPECT_EQ(hexTextToValue(text), value) << text;
    const std::pair<int, Byte> bcd[] = {{0, 0x00}, {7, 0x07}, {42, 0x42}, {100, 0xA0}, {159, 0xF9}};
    for (const auto& [n, b] : bcd) EXPECT_EQ(toBcd(n), b) << n;
    for (const int n : {160, -1}) EXPECT_THROW(toBcd(n), std::overflow_error) << n;
}

}  // namespace
}  // namespace zav
