#include "files/startup.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

TEST(StartupFileTest, CommandLineRxtIsOpenedOtherwiseLastFileIsOffered) {
    MemorySettingsStore store;
    store.write("File", "LastOpen", "/data/last.frq");
    struct Case {
        const char* commandLine;
        bool open;
        const char* fileName;
    };
    for (const auto& c : {
             Case{"/data/unit.rxt", true, "/data/unit.rxt"},
             Case{"/data/UNIT.RXT", true, "/data/UNIT.RXT"},
             Case{"x.RxT", true, "x.RxT"},
             Case{".rxt", true, ".rxt"},
             Case{"/data/unit.frq", false, "/data/last.frq"},
             Case{"/data/unit.rxt.bak", false, "/data/last.frq"},
             Case{"rxt", false, "/data/last.frq"},
             Case{"", false, "/data/last.frq"},
         }) {
        const auto r = startupFile(c.commandLine, store);
        EXPECT_EQ(r.openAtStart, c.open) << c.commandLine;
        EXPECT_EQ(r.names.fileName, c.fileName) << c.commandLine;
        EXPECT_EQ(r.names.prevFileName, "") << c.commandLine;
    }
}

TEST(StartupFileTest, FirstRunHasNoFileName) {
    const MemorySettingsStore empty;
    const auto r = startupFile("", empty);
    EXPECT_FALSE(r.openAtStart);
    EXPECT_EQ(r.names.fileName, "");
}

TEST(StartupFileTest, ArgumentsJoinIntoOneCommandLine) {
    const std::vector<std::string> args{"/data/my", "unit.rxt"};
    EXPECT_EQ(commandLineText(args), "/data/my unit.rxt");
    EXPECT_EQ(commandLineText({}), "");
}

}  // namespace
}  // namespace zav
