#include "model/globals.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <tuple>

namespace zav {
namespace {

auto fields(const GlobalParams& p) {
    return std::tie(p.password, p.globalBat, p.bankScan, p.priRate, p.dtmfDev, p.aniRate,
                    p.porchTime);
}

TEST(Globals, BytesAndValuesBothWays) {
    // Bytes 96 to 98, 111 and 119; the values (the battery saver is stored inverted).
    const std::tuple<std::array<Byte, 5>, GlobalParams> cases[] = {
        {{0x01, 0x0A, 0xF0, 0xFF, 0x78}, {"010AF0", 1, 0, 15, 31, 1, 3}},
        {{0xFF, 0x00, 0x09, 0x30, 0x81}, {"FF0009", 0, 1, 0, 6, 0, 0}},
        {{0x00, 0x00, 0x00, 0xDA, 0x49}, {"000000", 1, 1, 9, 27, 0, 2}}};
    for (const auto& [bytes, values] : cases) {
        MemImage mem;
        for (std::size_t i = 0; i < mem.size(); ++i) mem[i] = static_cast<Byte>(i * 37 + 11);
        MemImage expected = mem;
        const std::size_t at[] = {96, 97, 98, 111, 119};
        for (std::size_t k = 0; k < 5; ++k) expected[at[k]] = bytes[k];
        expected[119] =
            static_cast<Byte>(expected[119] | (mem[119] & 0x06));  // bits 1, 2: not ours
        writeGlobalParams(mem, values);
        EXPECT_EQ(mem, expected);
        EXPECT_EQ(fields(readGlobalParams(mem)), fields(values));
    }
    for (int v = 0; v < 256; ++v) {  // every byte value survives a load and a store
        MemImage mem{};
        mem[111] = mem[96] = static_cast<Byte>(v);
        mem[119] = mem[98] = static_cast<Byte>(255 - v);
        const MemImage before = mem;
        writeGlobalParams(mem, readGlobalParams(mem));
        ASSERT_EQ(mem, before) << v;
    }
    const std::pair<const char*, const char*> passwords[] = {
        {"ABC", "000ABC"}, {"12345678", "123456"}, {"fe dcb", "FE0DCB"}};
    for (const auto& [text, stored] : passwords) {
        MemImage mem{};
        storePassword(mem, text);
        EXPECT_EQ(loadPassword(mem), stored);
        EXPECT_EQ(mem[95] | mem[99], 0);
    }
}

TEST(Globals, IndicesOutsideTheirListsAreRefusedAndStoreNothing) {
    const GlobalParams largest{"123456", 1, 1, 15, 31, 1, 3};
    const std::function<void(GlobalParams&)> changes[] = {
        [](GlobalParams& p) { p.globalBat = 2; }, [](GlobalParams& p) { p.globalBat = -1; },
        [](GlobalParams& p) { p.bankScan = 2; },  [](GlobalParams& p) { p.priRate = 16; },
        [](GlobalParams& p) { p.dtmfDev = 32; },  [](GlobalParams& p) { p.aniRate = 2; },
        [](GlobalParams& p) { p.porchTime = 4; }};
    for (const auto& change : changes) {
        MemImage mem{};
        GlobalParams p = largest;
        change(p);
        EXPECT_THROW(writeGlobalParams(mem, p), std::overflow_error);
        EXPECT_EQ(mem, MemImage{});
    }
}

}  // namespace
}  // namespace zav
