#include "files/settings.h"

#include <gtest/gtest.h>

#include "files/startup.h"

namespace zav {
namespace {

TEST(Settings, StoredValuesOrTheirDefaults) {
    MemorySettingsStore store;
    const auto expectDefaults = [&](const char* why) {
        EXPECT_EQ(readPort(store), 1) << why;
        EXPECT_EQ(readLabelSetting(store), LabelSetting::Prompt) << why;
        EXPECT_EQ(readGroupWindowState(store), WindowState::Normal) << why;
        const auto g = readGroupWindowGeometry(store, {19200, 14400}, {9615, 7201});
        EXPECT_EQ(std::tie(g.top, g.left, g.width, g.height), std::tuple(3599, 4792, 9615, 7201))
            << why;
        EXPECT_EQ(readGlobalWindowPosition(store, {19200, 14400}, {4000, 3000}).left, 7600) << why;
    };
    expectDefaults("empty store");
    // Hand-edited nonsense and choices out of range give the defaults too.
    for (const char* text : {"abc", "3x", "1e39", "nan", "inf", "0x2", "  ", "1,5"}) {
        for (const SettingKey& k : settings::kAll)
            store.write(std::string(k.section), std::string(k.key), text);
        expectDefaults(text);
    }
    const std::tuple<const char*, const char*, const char*> outOfRange[] = {
        {"Comm", "Port", "5"},      {"Comm", "Port", "0"},      {"Features", "Label", "-1"},
        {"Features", "Label", "3"}, {"Position", "State", "3"}, {"Position", "State", "-1"}};
    for (const auto& [section, key, text] : outOfRange) {
        store.write(section, key, text);
        expectDefaults(text);
    }

    const std::tuple<const char*, const char*, const char*> stored[] = {
        {"Comm", "Port", " +4"},
        {"Features", "Label", "0"},
        {"Position", "State", "2"},
        {"Position", "GroupTop", "1234.5"},
        {"Position", "GlobalLeft", " -60 "},
        {"Comm", "Device4", "/dev/ttyUSB0"}};
    for (const auto& [section, key, text] : stored) store.write(section, key, text);
    EXPECT_EQ(std::tuple(readPort(store), readLabelSetting(store), readGroupWindowState(store)),
              std::tuple(4, LabelSetting::Always, WindowState::Maximised));
    EXPECT_EQ(readGroupWindowGeometry(store, {}, {}).top, 1234.5);
    EXPECT_EQ(readGlobalWindowPosition(store, {}, {}).left, -60);
    EXPECT_EQ(
        std::tuple(readDevicePath(store, 4), readDevicePath(store, 5), readDevicePath(store, 0)),
        std::tuple("/dev/ttyUSB0", "", ""));
    // A switch is 1 or 0; anything else reads as off.
    for (const SettingKey& k : {settings::kMoveLabels, settings::kVerifyWrite, settings::kTrace}) {
        for (const auto& [text, read] : {std::pair{"1", 1}, {"0", 0}, {"2", 0}}) {
            store.write(std::string(k.section), std::string(k.key), text);
            EXPECT_EQ(readInt(store, k), read) << k.key << text;
        }
    }
    // A number without a range of its own must still fit an int.
    const SettingKey plain{.section = "Test", .key = "Number", .form = SettingForm::Integer};
    for (const auto& [text, read] : {std::pair{"-2147483648", -2147483647 - 1},
                                     {"2147483647", 2147483647},
                                     {"2147483648", 7},
                                     {"-2147483649", 7}}) {
        store.write("Test", "Number", text);
        EXPECT_EQ(readInt(store, plain, 7), read) << text;
    }
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
    writeLabelSetting(store, LabelSetting::Never);
    writeGlobalWindowPosition(store, 1500, -15);
    writeLastOpen(store, "/x.frq");
    const auto p = readGlobalWindowPosition(store, {}, {});
    EXPECT_EQ(
        std::tuple(readPort(store), readLabelSetting(store), readLastOpen(store), p.top, p.left),
        std::tuple(3, LabelSetting::Never, "/x.frq", 1500, -15));
    EXPECT_EQ(store.read("Features", "Label", ""), "1");  // the file keeps its codes
    // Centred: the difference rounded to a whole number, then halved with integer division.
    // clang-format off
    const std::tuple<double, double, int> centred[] = {
        {1000, 400, 300}, {1000, 401, 299}, {1000.4, 400, 300}, {1000.6, 400, 300}, {1001.6, 400, 301},
        {400, 1001, -300}, {1e300, 0, 0}};
    // clang-format on
    for (const auto& [screen, window, at] : centred)
        EXPECT_EQ(centredPosition(screen, window), at) << screen << " " << window;
}

TEST(Startup, ACommandLineFileIsOpenedOtherwiseTheLastFileIsOffered) {
    MemorySettingsStore store;
    EXPECT_EQ(startupFile("", store).names.fileName, "");
    store.write("File", "LastOpen", "/data/last.frq");
    // clang-format off
    const std::pair<const char*, bool> cases[] = {
        {"/data/unit.rxt", true}, {"x.RxT", true}, {"/data/unit.frq", true},
        {"/data/unit.rxt.bak", true}, {"", false}};
    // clang-format on
    for (const auto& [commandLine, open] : cases) {
        const auto r = startupFile(commandLine, store);
        EXPECT_EQ(r.openAtStart, open) << commandLine;
        EXPECT_EQ(r.names.fileName, open ? commandLine : "/data/last.frq") << commandLine;
        EXPECT_EQ(r.names.prevFileName, "");
    }
    const std::vector<std::string> args{"/data/my", "unit.rxt"};
    EXPECT_EQ(commandLineText(args), "/data/my unit.rxt");
}

TEST(Startup, EachWordIsAFileUnlessTogetherTheyNameOne) {
    const auto exists = [](const std::string& path) { return path == "/data/my unit.frq"; };
    using Words = std::vector<std::string>;
    const std::pair<Words, Words> cases[] = {
        {{}, {}},
        {{"b.frq"}, {"b.frq"}},  // found or not: the one file
        {{"/data/my", "unit.frq"}, {"/data/my unit.frq"}},
        {{"a.frq", "b.frq"}, {"a.frq", "b.frq"}},
        {{"/data/my", "unit.rxt", "c.frq"}, {"/data/my", "unit.rxt", "c.frq"}},
    };
    for (const auto& [words, files] : cases)
        EXPECT_EQ(commandLineFiles(words, exists), files) << testing::PrintToString(words);
}

}  // namespace
}  // namespace zav
