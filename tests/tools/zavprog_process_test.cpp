// The built editor's command line: read before the window system is needed, so that help,
// the version and a usage error work without a display; each file named gets an editor.

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"
#include "tool_process.h"

namespace {

using namespace zav::tooltest;
constexpr auto npos = std::string::npos;
const std::string kEditor = std::string(ZAV_BINARY_DIR) + "/src/zavprog";

// The editor run to its end under `env` with these words, its settings in `home`, its
// output and error together.
ToolRun runEditor(const std::string& arguments, const std::string& env, const std::string& home) {
    return shell("XDG_CONFIG_HOME='" + home + "' exec env " + env + " timeout 60 '" + kEditor +
                 "' " + arguments);
}

TEST(Zavprog, ReadsItsCommandLineWithoutADisplay) {
    const zav::test::TempDir home;
    const std::string noDisplay = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
    struct Case {
        const char* arguments;
        int status;
        const char* named;  // in what it prints
    };
    const Case cases[] = {
        {"--help", 0, "FILE"},
        {"--version", 0, "ZAVPROG"},
        {"--bogus x.frq", 2, "bogus"},
        {"--screenshots", 2, "screenshots"},
        // The window system's own options are no usage error, nor files.
        {"-platform offscreen -style=fusion --help", 0, "FILE"},
        {"-platform offscreen --frob", 2, "frob"},
    };
    for (const auto& [arguments, status, named] : cases) {
        const ToolRun run = runEditor(arguments, noDisplay, home.path());
        EXPECT_EQ(run.status, status) << arguments << "\n" << run.output;
        EXPECT_NE(run.output.find(named), npos) << arguments << "\n" << run.output;
        EXPECT_TRUE(status != 2 || run.output.find("--help") != npos) << run.output;
    }
}

// Two files, as a shell passes them: two editors, each shown.
TEST(Zavprog, OpensAnEditorForEachFile) {
    const zav::test::TempDir dir;
    const std::string a = dir.file("a.frq"), b = dir.file("b.frq");
    ASSERT_EQ(runTool("new " + a).status, 0);
    ASSERT_EQ(runTool("new " + b).status, 0);
    const ToolRun run =
        runEditor("--report-shown " + a + " " + b, "QT_QPA_PLATFORM=offscreen", dir.path());
    EXPECT_EQ(run.status, 0) << run.output;
    std::size_t shown = 0;
    for (std::size_t at = run.output.find("shown\n"); at != npos;
         at = run.output.find("shown\n", at + 1))
        ++shown;
    EXPECT_EQ(shown, 2U) << run.output;
}

}  // namespace
