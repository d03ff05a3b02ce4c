#include "model/globals.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/lists.h"

namespace zav {
namespace {

std::string_view Entry(lists::Entries list, int index) {
    return list[static_cast<std::size_t>(index)];
}

TEST(Globals, Byte119Decoding) {
    MemImage mem{};
    mem[119] = 0x81;
    GlobalParams p = loadGlobalsToForm(mem);
    EXPECT_EQ(Entry(lists::kGlobalBattSave, p.globalBat), "Disabled");
    EXPECT_EQ(Entry(lists::kBankScan, p.bankScan), "Enabled");
    EXPECT_EQ(Entry(lists::kPriorityRate, p.priRate), "0");

    mem[119] = 0x78;
    p = loadGlobalsToForm(mem);
    EXPECT_EQ(Entry(lists::kPriorityRate, p.priRate), "3.75");
    EXPECT_EQ(Entry(lists::kGlobalBattSave, p.globalBat), "Enabled");
    EXPECT_EQ(Entry(lists::kBankScan, p.bankScan), "Disabled");
}

TEST(Globals, Byte111AllOnes) {
    MemImage mem{};
    mem[111] = 0xFF;
    const GlobalParams p = loadGlobalsToForm(mem);
    EXPECT_EQ(Entry(lists::kDtmfDeviation, p.dtmfDev), "Test 4");
    EXPECT_EQ(Entry(lists::kAniRate, p.aniRate), "20");
    EXPECT_EQ(Entry(lists::kFrontPorch, p.porchTime), "990");
}

TEST(Globals, PasswordShowsSixDigitsWithLeadingZeros) {
    MemImage mem{};
    mem[96] = 0x0A;
    mem[97] = 0xFF;
    mem[98] = 0x00;
    EXPECT_EQ(loadPassword(mem), "0AFF00");
    EXPECT_EQ(loadGlobalsToForm(mem).password, "0AFF00");
}

TEST(Globals, PasswordStoring) {
    const struct {
        const char* text;
        Byte b96, b97, b98;
    } cases[] = {{"ABC", 0x00, 0x0A, 0xBC},
                 {"12345678", 0x12, 0x34, 0x56},
                 {"fe dcb", 0xFE, 0x0D, 0xCB},
                 {"", 0x00, 0x00, 0x00},
                 {"123456", 0x12, 0x34, 0x56}};
    for (const auto& c : cases) {
        MemImage mem{};
        mem[95] = 0x77;
        mem[99] = 0x77;
        storePassword(mem, c.text);
        EXPECT_EQ(mem[96], c.b96) << c.text;
        EXPECT_EQ(mem[97], c.b97) << c.text;
        EXPECT_EQ(mem[98], c.b98) << c.text;
        EXPECT_EQ(mem[95], 0x77);
        EXPECT_EQ(mem[99], 0x77);
    }
}

TEST(Globals, StoringTouchesOnlyTheFields) {
    MemImage mem;
    for (std::size_t i = 0; i < mem.size(); ++i) mem[i] = static_cast<Byte>(i * 37 + 11);
    const MemImage before = mem;
    GlobalParams p;
    p.password = "C0FFEE";
    p.globalBat = 1;  // enabled: bit 7 clear
    p.bankScan = 1;
    p.priRate = 9;
    p.dtmfDev = 27;
    p.aniRate = 0;
    p.porchTime = 2;
    storeGlobalsFromForm(mem, p);
    EXPECT_EQ(mem[96], 0xC0);
    EXPECT_EQ(mem[97], 0xFF);
    EXPECT_EQ(mem[98], 0xEE);
    EXPECT_EQ(mem[111], (27 << 3) | (0 << 2) | 2);
    EXPECT_EQ(mem[119] & 0xF9, (9 << 3) | 1);
    EXPECT_EQ(mem[119] & 0x06, before[119] & 0x06);  // bits 1 and 2 are not ours
    for (std::size_t i = 0; i < mem.size(); ++i) {
        if (i == 96 || i == 97 || i == 98 || i == 111 || i == 119) continue;
        ASSERT_EQ(mem[i], before[i]) << "byte " << i;
    }
    const GlobalParams back = loadGlobalsToForm(mem);
    EXPECT_EQ(back.password, "C0FFEE");
    EXPECT_EQ(back.globalBat, 1);
    EXPECT_EQ(back.bankScan, 1);
    EXPECT_EQ(back.priRate, 9);
    EXPECT_EQ(back.dtmfDev, 27);
    EXPECT_EQ(back.aniRate, 0);
    EXPECT_EQ(back.porchTime, 2);
}

TEST(Globals, BatterySaverIsStoredInverted) {
    MemImage mem{};
    mem[119] = 0x06;
    GlobalParams p = loadGlobalsToForm(mem);
    p.globalBat = 0;  // "Disabled"
    storeGlobalsFromForm(mem, p);
    EXPECT_EQ(mem[119], 0x86);
    p.globalBat = 1;
    storeGlobalsFromForm(mem, p);
    EXPECT_EQ(mem[119], 0x06);
}

TEST(Globals, EveryByteValueSurvivesLoadAndStore) {
    for (int v = 0; v < 256; ++v) {
        MemImage mem{};
        mem[111] = static_cast<Byte>(v);
        mem[119] = static_cast<Byte>(255 - v);
        mem[96] = static_cast<Byte>(v);
        const MemImage before = mem;
        storeGlobalsFromForm(mem, loadGlobalsToForm(mem));
        ASSERT_EQ(mem, before) << v;
    }
}

TEST(Globals, IndicesOutsideTheirListsAreRefusedAndStoreNothing) {
    MemImage mem{};
    mem[119] = 0x42;
    const MemImage before = mem;
    const GlobalParams good = loadGlobalsToForm(mem);
    const auto refused = [&](auto change) {
        GlobalParams p = good;
        p.password = "123456";
        change(p);
        EXPECT_THROW(storeGlobalsFromForm(mem, p), std::overflow_error);
        EXPECT_EQ(mem, before);
    };
    refused([](GlobalParams& p) { p.globalBat = 2; });
    refused([](GlobalParams& p) { p.globalBat = -1; });
    refused([](GlobalParams& p) { p.bankScan = 2; });
    refused([](GlobalParams& p) { p.priRate = 16; });
    refused([](GlobalParams& p) { p.dtmfDev = 32; });
    refused([](GlobalParams& p) { p.aniRate = 2; });
    refused([](GlobalParams& p) { p.porchTime = 4; });
}

}  // namespace
}  // namespace zav
