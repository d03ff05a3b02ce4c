// zavtool's fleet in-process on simulated radios: on a terminal each radio's line is
// redrawn in place while the radios run; on a pipe nothing but the plain lines, which
// both end with, one per radio in port order.

#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "support/temp_dir.h"
#include "tool_process.h"

namespace zav {
namespace {

TEST(ZavtoolFleet, DrawsEachRadiosLineInPlaceOnlyOnATerminal) {
    test::isolateDataHome();
    test::TempDir dir;
    const std::string file = dir.file("fleet.frq");
    ASSERT_EQ(tooltest::runInProcess("new " + file).status, 0);
    for (const bool terminal : {true, false}) {
        SCOPED_TRACE(terminal ? "terminal" : "pipe");
        std::array<sim::SimRadio, 2> radios;
        for (auto& radio : radios) tooltest::loadDefaults(radio);
        std::ostringstream out, err;
        const PortFactory ports = [&radios](const std::string& device) {
            return std::make_unique<sim::VirtualPort>(radios.at(device == "sim1"));
        };
        tool::ToolIo io{.out = out, .err = err, .terminal = terminal, .makePort = ports};
        io.historyFolder = dir.file("history");
        const std::vector<std::string> args{"write",  "--no-backup", "--port", "sim0",
                                            "--port", "sim1",        file};
        ASSERT_EQ(tool::run(args, io), tool::kExitDone) << err.str();
        const std::string drawn = err.str();
        // Cursor movements and erasures, and a line per radio with its step and percent.
        EXPECT_EQ(drawn.find('\x1b') != std::string::npos, terminal) << drawn;
        for (const char* line : {"\rsim0: Writing Radio 100%\x1b[K\n", "\rsim1: written\x1b[K\n"})
            EXPECT_EQ(drawn.find(line) != std::string::npos, terminal) << drawn;
        EXPECT_TRUE(drawn.empty() || drawn.ends_with("\x1b[2A\r\x1b[J")) << drawn;
        const std::string told = out.str();  // in port order
        EXPECT_LT(told.find("sim0: wrote "), told.find("sim1: wrote ")) << told;
        EXPECT_NE(told.find("sim1: wrote "), std::string::npos) << told;
    }
}

}  // namespace
}  // namespace zav
