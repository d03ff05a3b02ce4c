#include "files/settings.h"

#include <gtest/gtest.h>

#include <set>

namespace zav {
namespace {

TEST(SettingsTest, EveryKeyIsDeclaredOnce) {
    std::set<std::pair<std::string_view, std::string_view>> seen;
    for (const auto& k : settings::kAll)
        EXPECT_TRUE(seen.insert({k.section, k.key}).second) << k.section << "/" << k.key;
    const std::set<std::string_view> sections{"Position", "File", "Comm", "Features"};
    for (const auto& k : settings::kAll) EXPECT_TRUE(sections.count(k.section)) << k.key;
}

TEST(SettingsTest, EmptyStoreGivesDefaults) {
    const MemorySettingsStore empty;
    EXPECT_EQ(readPort(empty), 1);
    EXPECT_EQ(readLabelSetting(empty), 2);
    EXPECT_EQ(readGroupWindowState(empty), WindowState::Normal);
    EXPECT_EQ(readLastOpen(empty), "");
    EXPECT_EQ(readDevicePath(empty, 1), "");

    const Extent screen{19200, 14400};
    const Extent window{9615, 7201};
    const auto g = readGroupWindowGeometry(empty, screen, window);
    EXPECT_EQ(g.top, 3599);   // 7199 div 2
    EXPECT_EQ(g.left, 4792);  // 9585 div 2
    EXPECT_EQ(g.width, 9615);
    EXPECT_EQ(g.height, 7201);
    const auto p = readGlobalWindowPosition(empty, screen, {4000, 3000});
    EXPECT_EQ(p.top, 5700);
    EXPECT_EQ(p.left, 7600);
}

TEST(SettingsTest, CentredPositionRoundsThenHalves) {
    struct Case {
        double screen, window;
        int expected;
    };
    for (const auto& c : {Case{1000, 400, 300}, Case{1000, 401, 299}, Case{1000.4, 400, 300},
                          Case{1000.6, 400, 300}, Case{1001.6, 400, 301},
                          Case{400, 1001, -300}}) {  // larger than the screen: truncates to zero
        EXPECT_EQ(centredPosition(c.screen, c.window), c.expected) << c.screen << " " << c.window;
    }
}

TEST(SettingsTest, StoredValuesAreRead) {
    MemorySettingsStore store;
    store.write("Comm", "Port", "3");
    store.write("Features", "Label", "0");
    store.write("Position", "State", "2");
    store.write("Position", "GroupTop", "1234.5");
    store.write("Position", "GlobalLeft", " -60 ");
    store.write("File", "LastOpen", "/home/u/a b.frq");
    store.write("Comm", "Device4", "/dev/ttyUSB0");
    EXPECT_EQ(readPort(store), 3);
    EXPECT_EQ(readLabelSetting(store), 0);
    EXPECT_EQ(readGroupWindowState(store), WindowState::Maximised);
    EXPECT_EQ(readGroupWindowGeometry(store, {}, {}).top, 1234.5);
    EXPECT_EQ(readGlobalWindowPosition(store, {}, {}).left, -60);
    EXPECT_EQ(readLastOpen(store), "/home/u/a b.frq");
    EXPECT_EQ(readDevicePath(store, 4), "/dev/ttyUSB0");
    EXPECT_EQ(readDevicePath(store, 5), "");
}

TEST(SettingsTest, HandEditedNonsenseGivesTheDefault) {
    for (const char* text : {"", "abc", "3x", "1e39", "nan", "inf", "0x2", "  ", "1,5"}) {
        MemorySettingsStore store;
        store.write("Comm", "Port", text);
        store.write("Features", "Label", text);
        store.write("Position", "State", text);
        store.write("Position", "GroupLeft", text);
        EXPECT_EQ(readPort(store), 1) << text;
        EXPECT_EQ(readLabelSetting(store), 2) << text;
        EXPECT_EQ(readGroupWindowState(store), WindowState::Normal) << text;
        EXPECT_EQ(readGroupWindowGeometry(store, {1000, 1000}, {400, 400}).left, 300) << text;
    }
}

TEST(SettingsTest, OutOfRangeChoicesGiveTheDefault) {
    MemorySettingsStore store;
    store.write("Comm", "Port", "9999999999");
    EXPECT_EQ(readPort(store), 1);
    store.write("Comm", "Port", "5");
    store.write("Features", "Label", "-1");
    store.write("Position", "State", "3");
    EXPECT_EQ(readPort(store), 1);
    EXPECT_EQ(readLabelSetting(store), 2);
    EXPECT_EQ(readGroupWindowState(store), WindowState::Normal);
}

TEST(SettingsTest, ClosingMaximisedWritesOnlyTheState) {
    MemorySettingsStore store;
    writeGroupWindowPlacement(store, WindowState::Normal, {10, 20, 9000, 7000.5});
    EXPECT_EQ(store.read("Position", "GroupTop", ""), "10");
    EXPECT_EQ(store.read("Position", "GroupHeight", ""), "7000.5");
    writeGroupWindowPlacement(store, WindowState::Maximised, {0, 0, 30000, 20000});
    EXPECT_EQ(store.read("Position", "State", ""), "2");
    const auto g = readGroupWindowGeometry(store, {}, {});
    EXPECT_EQ(g.top, 10);
    EXPECT_EQ(g.left, 20);
    EXPECT_EQ(g.width, 9000);
    EXPECT_EQ(g.height, 7000.5);
}

TEST(SettingsTest, WrittenNumbersReadBack) {
    MemorySettingsStore store;
    writePort(store, 4);
    writeLabelSetting(store, 1);
    writeGlobalWindowPosition(store, 1500, -15);
    EXPECT_EQ(store.read("Comm", "Port", ""), "4");
    EXPECT_EQ(store.read("Features", "Label", ""), "1");
    EXPECT_EQ(readPort(store), 4);
    EXPECT_EQ(readLabelSetting(store), 1);
    const auto p = readGlobalWindowPosition(store, {}, {});
    EXPECT_EQ(p.top, 1500);
    EXPECT_EQ(p.left, -15);
}

}  // namespace
}  // namespace zav
