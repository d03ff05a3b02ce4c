// The built zavtool's own contract: its exit statuses (0 done, 1 failed, 2 usage error),
// the files it writes, through zavsim on a pseudo-terminal, and Ctrl-C or SIGTERM.
// How the link meets a faulty radio is the link and operations tests' business.

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "tool_process.h"

namespace {

using namespace zav::tooltest;
using zav::test::readBytes;
constexpr auto npos = std::string::npos;

// test_tools depends on zavtool and zavsim: both are built.
TEST(Zavtool, EndsWithItsExitStatusAndWritesOnlyWholeFiles) {
    zav::test::TempDir dir;
    const std::string x = dir.file("x.frq");
    ASSERT_EQ(runTool("new " + x).status, 0);
    const auto before = readBytes(x);
    const std::pair<std::string, int> cases[] = {
        {"", 2},
        {"--help", 0},
        {"--version", 0},
        {"frob", 2},
        {"write-group --help", 0},
        {"read-group --port=1 --group=16 x.frq", 2},
        {"write-group --port=1 --group=0 x.frq", 2},
        {"write-group --port 1 x.frq", 2},
        {"dtmf --port 1 1125", 2},
        {"dump a.frq b.frq", 2},
        {"print x.frq --pdf a.pdf --pdf b.pdf", 2},
        {"new", 2},
        {"dump " + dir.file("missing.frq"), 1},
        {"new " + dir.file("no/such/x.frq"), 1},
        // Group 15 is a group: the command runs and fails only at the port.
        {"read-group --port /dev/zav-no-such-port --group 15 " + x, 1},
        // Several radios: a file each, unit numbers that fit, never one device twice.
        {"read --port 1 --port 2 " + x, 2},
        {"write --port 1 --ani-groups 3 " + x, 2},
        {"write --port 1 --port 2 --ani-from 9999999 " + x, 2},
        {"write --port 1 --port /dev/ttyS0 " + x, 2},
        // A trace starts with the radio connection: x is left as it was.
        {"--trace " + x + " dump", 2},
        {"--trace " + x + " dump " + x, 0},
    };
    for (const auto& [args, status] : cases) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, status) << args << "\n" << run.output;
        // A usage error names the usage.
        EXPECT_TRUE(status != 2 || run.output.find("usage: zavtool ") != npos) << run.output;
    }
    // read makes a new file: an existing one needs --force, asked before any radio talk.
    const ToolRun read = runTool("read --port /dev/zav-no-such-port " + x);
    EXPECT_EQ(read.status, 1);
    EXPECT_NE(read.output.find("exists (use --force to replace it)"), npos);
    EXPECT_EQ(readBytes(x), before);  // a failed read leaves it

    // A file written to the simulated radio and read back, then printed, each named in
    // Latin-1: the names are not UTF-8 and still name those very files.
    const std::string mine = dir.file("caf\xe9.frq"), back = dir.file("back\xe9.frq");
    ASSERT_EQ(runTool("new " + mine).status, 0);
    auto bytes = readBytes(mine);
    bytes[56 + 3 * 128 + 20] ^= 0x5A;  // a byte of group 3's channels
    zav::test::writeBytes(mine, bytes);
    const SimProcess sim("--memory " + x);
    const std::string port = " --port=" + sim.device() + " ";

    ASSERT_EQ(runTool("write" + port + mine).status, 0);
    ASSERT_EQ(runTool("read" + port + back).status, 0);
    EXPECT_EQ(readBytes(back), bytes);
    const ToolRun dump = runTool("dump " + back);
    EXPECT_EQ(dump.status, 0);
    EXPECT_NE(dump.output.find("Group 15"), npos) << dump.output;
    const std::string csv = dir.file("caf\xe9.csv"), trace = dir.file("trace\xe9.txt");
    for (const std::string& step :
         {"export-csv " + back + " " + csv, "import-csv --force " + back + " " + csv + " " + mine,
          "--trace " + trace + " read-group --group 3" + port + mine})
        EXPECT_EQ(runTool(step).status, 0) << step;
    EXPECT_EQ(readBytes(mine), bytes);
    EXPECT_FALSE(readBytes(trace).empty());
    const std::string print = "print " + back + " --pdf " + dir.file("back\xe9.pdf");
    EXPECT_EQ(runTool(print).status, 0);
    const auto pdf = readBytes(dir.file("back\xe9.pdf"));
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + std::min<std::ptrdiff_t>(5, std::ssize(pdf))),
              "%PDF-");

    // A PDF that cannot be written whole fails the command and leaves the old one.
    const ToolRun full = runTool(print, "trap '' XFSZ; ulimit -f 2;");  // a full disk
    EXPECT_EQ(full.status, 1) << full.output;
    EXPECT_EQ(readBytes(dir.file("back\xe9.pdf")), pdf);

    // Two radios at once, each with its own unit number, read back into a file each.
    const SimProcess second("--memory " + x);
    const std::string both = port + "--port=" + second.device() + " ";
    const std::string log = dir.file("fleet\xe9.csv");
    const ToolRun fleet = runTool("write" + both + "--ani-from 41 --log " + log + " " + mine);
    EXPECT_EQ(fleet.status, 0) << fleet.output;
    const ToolRun reads =
        runTool("read" + both + "--output-pattern " + dir.file("r\xe9{port}.frq"));
    ASSERT_EQ(reads.status, 0) << reads.output;
    for (const auto& [device, unit] : {std::pair{sim.device(), 41}, {second.device(), 42}}) {
        const std::string name = dir.file("r\xe9" + device.substr(device.rfind('/') + 1) + ".frq");
        const std::string shown = runTool("dump " + name).output;
        EXPECT_NE(shown.find("ANI/ID Number: 00000" + std::to_string(unit)), npos) << shown;
        EXPECT_EQ(shown.find("ANI/ID Number: 00000" + std::to_string(83 - unit)), npos);
    }
    const auto logged = readBytes(log);
    EXPECT_EQ(std::ranges::count(logged, '\n'), 3);  // the header and a row per radio
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))  // no other name
        EXPECT_EQ(entry.path().string().find("\uFFFD"), npos) << entry.path();
}

// Ctrl-C or SIGTERM in the middle of a write cancels the transfer as the progress window's
// Cancel does: the radio is released and the file written from stays as it was.
TEST(Zavtool, CtrlCOrSigtermCancelsAGlobalWriteAndReleasesTheRadio) {
    zav::test::TempDir dir;
    const std::string file = dir.file("radio.frq");
    ASSERT_EQ(runTool("new " + file).status, 0);
    const auto before = readBytes(file);
    // The radio, still hooked, takes the byte 01 as its release (in its transcript).
    const auto released = [](const std::string& line) {
        return line.find("host->radio  01 ") != npos && line.ends_with("  release\n");
    };
    for (const std::string sig : {"INT", "TERM"}) {
        // Slow replies stretch the global write to several seconds.
        SimProcess sim("--pace --slow 100 --transcript /dev/stdout");
        const ToolRun run = runTool("write-global --port " + sim.device() + " " + file,
                                    "timeout --foreground --preserve-status -s " + sig + " 1.5");
        EXPECT_EQ(run.status, 1) << sig;
        EXPECT_NE(run.output.find("zavtool write-global: cancelled"), npos) << run.output;
        // zavsim takes the host's bytes at the line's pace, after zavtool may have ended.
        EXPECT_TRUE(sim.waitForLine(released, std::chrono::seconds(10))) << sig;
    }
    EXPECT_EQ(readBytes(file), before);
}

}  // namespace
