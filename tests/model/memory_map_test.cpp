#include "model/memory_map.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zav {
namespace {

TEST(MemoryMap, GroupAndChannelAddresses) {
    EXPECT_EQ(groupAddress(0), 128);
    EXPECT_EQ(groupAddress(14), 1920);
    EXPECT_EQ(channelAddress(0, 0), 144);
    EXPECT_EQ(channelAddress(3, 5), 4 * 128 + 16 + 40);
    EXPECT_EQ(channelAddress(14, 13), 2040);  // its record ends at 2047, the last radio byte
    EXPECT_EQ(channelAddress(14, 13) + 7, static_cast<int>(kRadioMemorySize) - 1);
}

TEST(MemoryMap, AddressesOutsideTheArraysThrow) {
    EXPECT_THROW(groupAddress(-1), std::out_of_range);
    EXPECT_THROW(groupAddress(15), std::out_of_range);
    EXPECT_THROW(channelAddress(0, 14), std::out_of_range);
    EXPECT_THROW(channelAddress(0, -1), std::out_of_range);
    MemImage mem{};
    EXPECT_THROW(getBits(mem, 2049, 0, 8), std::out_of_range);
    EXPECT_THROW(getBits(mem, -1, 0, 8), std::out_of_range);
    EXPECT_THROW(setBits(mem, 2049, 0, 8, 1), std::out_of_range);
    EXPECT_NO_THROW(setBits(mem, 2048, 0, 8, 1));  // the spare byte is part of the image
    EXPECT_THROW(groupExists(mem, 15), std::out_of_range);
}

struct NibbleCase {
    int group;
    int byte;
    bool high;
};

class pageMapNibble : public ::testing::TestWithParam<NibbleCase> {};

TEST_P(pageMapNibble, GroupExistsReadsItsOwnNibbleOnly) {
    const auto [group, byte, high] = GetParam();
    MemImage mem{};
    const Byte value = high ? 0x50 : 0x05;
    mem[static_cast<std::size_t>(byte)] = value;
    for (int g = 0; g < kGroupCount; ++g) {
        EXPECT_EQ(groupExists(mem, g), g == group ? 5 : 0) << "group " << g;
    }
}

INSTANTIATE_TEST_SUITE_P(groups, pageMapNibble,
                         ::testing::Values(NibbleCase{0, 80, false}, NibbleCase{1, 81, true},
                                           NibbleCase{2, 81, false}, NibbleCase{13, 87, true},
                                           NibbleCase{14, 87, false}));

TEST(MemoryMap, HighNibbleOfByte80IsTheGlobalPageNotAGroup) {
    MemImage mem{};
    mem[80] = 0xF0;
    for (int g = 0; g < kGroupCount; ++g) EXPECT_EQ(groupExists(mem, g), 0);
}

TEST(MemoryMap, SetBitsReplacesOnlyTheField) {
    MemImage mem{};
    mem[131] = 0x2F;
    setBits(mem, 131, 6, 2, 1);
    EXPECT_EQ(mem[131], 0x6F);
    EXPECT_EQ(getBits(mem, 131, 6, 2), 1);
    EXPECT_EQ(getBits(mem, 131, 0, 4), 0xF);
    setBits(mem, 131, 0, 4, 0x13);  // bits beyond the width are dropped
    EXPECT_EQ(mem[131], 0x63);
    setBits(mem, 131, 0, 8, 0xA5);
    EXPECT_EQ(mem[131], 0xA5);
}

TEST(MemoryMap, StoreFieldRefusesValuesThatDoNotFit) {
    MemImage mem{};
    mem[10] = 0x81;
    const BitField f{10, 1, 3};
    EXPECT_THROW(storeField(mem, f, 8, 0), std::overflow_error);
    EXPECT_THROW(storeField(mem, f, -1, 0), std::overflow_error);
    EXPECT_EQ(mem[10], 0x81);
    storeField(mem, f, 7, 0);
    EXPECT_EQ(mem[10], 0x8F);
    storeField(mem, BitField{2, 4, 4}, 3, 8);  // base added to the offset
    EXPECT_EQ(mem[10], 0x3F);
}

TEST(MemoryMap, hexTextToValue) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"1F", 31},     {"G1", 1},     {"", 0},    {"1234", 0}, {"f", 15},
                 {"abc", 0xABC}, {"FFF", 4095}, {"0A", 10}, {" 9", 9}};
    for (const auto& c : cases) EXPECT_EQ(hexTextToValue(c.text), c.value) << c.text;
}

TEST(MemoryMap, toBcd) {
    EXPECT_EQ(toBcd(0), 0x00);
    EXPECT_EQ(toBcd(7), 0x07);
    EXPECT_EQ(toBcd(42), 0x42);
    EXPECT_EQ(toBcd(99), 0x99);
    EXPECT_EQ(toBcd(100), 0xA0);
    EXPECT_EQ(toBcd(159), 0xF9);
    EXPECT_THROW(toBcd(160), std::overflow_error);
    EXPECT_THROW(toBcd(-1), std::overflow_error);
}

TEST(MemoryMap, DefaultGlobalPage) {
    MemImage mem;
    mem.fill(0xEE);
    initGlobalPage(mem);
    for (std::size_t i = 0; i < 128; ++i) {
        const Byte expected = i == 80 ? 0x08 : (i >= 81 && i <= 87) ? 0x88 : 0x00;
        EXPECT_EQ(mem[i], expected) << "byte " << i;
    }
    for (std::size_t i = 128; i < mem.size(); ++i) ASSERT_EQ(mem[i], 0xEE) << "byte " << i;
    for (int g = 0; g < kGroupCount; ++g) EXPECT_EQ(groupExists(mem, g), 8);
}

}  // namespace
}  // namespace zav
