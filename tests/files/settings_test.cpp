#include "files/settings.h"

#include <gtest/gtest.h>

#include "files/startup.h"

namespace zav {
namespace {

TEST(Settings, StoredValuesOrTheirDefaults) {
    MemorySettingsStore store;
    const auto expectDefaults = [&](const char* why) {
        EXPECT_EQ(readPort(store), 1) << why;
        EXPECT_EQ(readLabelSetting(store), 2) << why;
        EXPECT_EQ(readGroupWindowState(store), WindowState::Normal) << why;
        const auto g = readGroupWindowGeometry(store, {19200, 14400}, {9615, 7201});
        EXPECT_EQ(std::tie(g.top, g.left, g.width, g.height), std::tuple(3599, 4792, 9615, 7201))
            << why;
        EXPECT_EQ(readGlobalWindowPosition(store, {19200, 14400}, {4000, 3000}).left, 7600) << why;
    };
    expectDefaults("empty store");
    EXPECT_EQ(readLastOpen(store), "");
    // Hand-edited nonsense and choices out of range give the defaults too.
    for (const char* text : {"abc", "3x", "1e39", "nan", "inf", "0x2", "  ", "1,5"}) {
        for (const auto& [section, key] : {std::pair{"Comm", "Port"},
                                           {"Features", "Label"},
                                           {"Position", "State"},
                                           {"Position", "GroupTop"},
                                           {"Position", "GroupLeft"},
                                           {"Position", "GroupWidth"},
                                           {"Position", "GlobalLeft"}})
            store.write(section, key, text);
        expectDefaults(text);
    }
    store.write("Comm", "Port", "5");
    store.write("Features", "Label", "-1");
    store.write("Position", "State", "3");
    expectDefaults("out of range");

    store.write("Comm", "Port", "4");
    store.write("Features", "Label", "0");
    store.write("Position", "State", "2");
    store.write("Position", "GroupTop", "1234.5");
    store.write("Position", "GlobalLeft", " -60 ");
    store.write("File", "LastOpen", "/home/u/a b.frq");
    store.write("Comm", "Device4", "/dev/ttyUSB0");
    EXPECT_EQ(readPort(store), 4);
    EXPECT_EQ(readLabelSetting(store), 0);
    EXPECT_EQ(readGroupWindowState(store), WindowState::Maximised);
    EXPECT_EQ(readGroupWindowGeometry(store, {}, {}).top, 1234.5);
    EXPECT_EQ(readGlobalWindowPosition(store, {}, {}).left, -60);
    EXPECT_EQ(readLastOpen(store), "/home/u/a b.frq");
    EXPECT_EQ(readDevicePath(store, 4), "/dev/ttyUSB0");
    EXPECT_EQ(readDevicePath(store, 5), "");
    EXPECT_EQ(readDevicePath(store, 0), "");
}

TEST(Settings, WritesReadBack) {
    MemorySettingsStore store;
    writeGroupWindowPlacement(store, WindowState::Normal, {10, 20, 9000, 7000.5});
    writeGroupWindowPlacement(store, WindowState::Maximised, {0, 0, 30000, 20000});  // state only
    const auto g = readGroupWindowGeometry(store, {}, {});
    EXPECT_EQ(std::tie(g.top, g.left, g.width, g.height), std::tuple(10, 20, 9000, 7000.5));
    EXPECT_EQ(store.read("Position", "GroupHeight", ""), "7000.5");
    EXPECT_EQ(store.read("Position", "State", ""), "2");
    writePort(store, 3);
    writeLabelSetting(store, 1);
    writeGlobalWindowPosition(store, 1500, -15);
    writeLastOpen(store, "/x.frq");
    EXPECT_EQ(std::tuple(readPort(store), readLabelSetting(store), readLastOpen(store)),
              std::tuple(3, 1, "/x.frq"));
    const auto p = readGlobalWindowPosition(store, {}, {});
    EXPECT_EQ(std::tie(p.top, p.left), std::tuple(1500, -15));
    // Centred: the difference rounded to a whole number, then halved with integer division.
    const std::tuple<double, double, int> centred[] = {{1000, 400, 300},   {1000, 401, 299},
                                                       {1000.4, 400, 300}, {1000.6, 400, 300},
                                                       {1001.6, 400, 301}, {400, 1001, -300}};
    for (const auto& [screen, window, at] : centred)
        EXPECT_EQ(centredPosition(screen, window), at) << screen << " " << window;
}

TEST(Startup, ACommandLineRxtFileIsOpenedOtherwiseTheLastFileIsOffered) {
    MemorySettingsStore store;
    EXPECT_EQ(startupFile("", store).names.fileName, "");
    store.write("File", "LastOpen", "/data/last.frq");
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"/data/unit.rxt", true, "/data/unit.rxt"},
        {"x.RxT", true, "x.RxT"},
        {".rxt", true, ".rxt"},
        {"/data/unit.frq", false, "/data/last.frq"},
        {"/data/unit.rxt.bak", false, "/data/last.frq"},
        {"rxt", false, "/data/last.frq"},
        {"", false, "/data/last.frq"}};
    for (const auto& [commandLine, open, fileName] : cases) {
        const auto r = startupFile(commandLine, store);
        EXPECT_EQ(r.openAtStart, open) << commandLine;
        EXPECT_EQ(r.names.fileName, fileName) << commandLine;
        EXPECT_EQ(r.names.prevFileName, "") << commandLine;
    }
    const std::vector<std::string> args{"/data/my", "unit.rxt"};
    EXPECT_EQ(commandLineText(args), "/data/my unit.rxt");
}

}  // namespace
}  // namespace zav
