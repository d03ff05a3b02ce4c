// zavtool, zavsim and the editor as terminal programs: errors name the file or the
// option, an output that exists needs --force, a file named "-" is standard input or
// output, escape codes go only to a terminal that takes them (a fleet's lines redrawn in
// place there), `ports` lists the serial ports as the port device dialog does (and
// completion offers those), and zavsim serves the demo radio. The editor reads its command
// line before the window system is needed, so that help, the version and a usage error
// work without a display, and each file named gets an editor.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

#include "files/frequency_file.h"
#include "progress_line.h"
#include "sim/demo_contents.h"
#include "support/temp_dir.h"
#include "tool_process.h"

namespace zav {
namespace {

using namespace tooltest;
using testing::AllOf, testing::HasSubstr, testing::Not;
constexpr auto npos = std::string::npos;

TEST(TerminalConventions, NameTheFileAndTheOptionAndTakeDashForAStream) {
    test::TempDir dir;
    const std::string x = dir.file("x.frq"), y = dir.file("y.frq"), z = dir.file("z.frq");
    const std::string pdf = dir.file("old.pdf");
    const std::string tool = "'" + kTool + "' ", sim = "'" + kSim + "' ";
    const std::string editor = "XDG_CONFIG_HOME='" + dir.path() +
                               "' timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
    const std::string zavprog = "'" + std::string(ZAV_BINARY_DIR) + "/src/zavprog' ";
    ASSERT_EQ(runTool("new " + x).status, 0);
    test::writeBytes(pdf, std::vector<Byte>{'%'});
    // The command, its exit status, a text its output holds and one it must not.
    const std::tuple<std::string, int, std::string, std::string> rows[] = {
        {tool + "diff " + x + " " + dir.file("missing.frq"), 2,
         "\n    File: " + dir.file("missing.frq") + "\n", "File: " + x},
        {tool + "print " + x + " --pdf " + pdf, 1, "exists (use --force", "wrote"},
        {tool + "print --force " + x + " --pdf " + pdf, 0, "wrote " + pdf, "exists"},
        {tool + "new - | " + tool + "dump -", 0, "Group 15", "wrote"},
        // A PDF goes to a file, even one named -: an existing one needs --force.
        {"cd " + dir.path() + " && : > ./- && " + tool + "print x.frq --pdf -", 1,
         "- exists (use --force", "wrote"},
        // The table through a pipe: nothing but the table on standard output.
        {tool + "export-csv " + x + " - | " + tool + "import-csv " + x + " - " + y, 0, "wrote " + y,
         "Error"},
        {sim + "--bogus", 2, "'--bogus'", "faults:"},
        {sim + "--drop=x", 2, "--drop does not take 'x'", "faults:"},
        {sim + "--memory", 2, "'--memory'", "faults:"},
        {sim + "--demo --memory=" + x, 2, "--demo and --memory", "faults:"},
        // The window system's own options are no usage error, nor files; a usage error
        // points to --help.
        {editor + zavprog + "--version", 0, "ZAVPROG", "Unknown"},
        {editor + zavprog + "--bogus x.frq", 2, "'bogus'.\nTry 'zavprog --help'", "FILE"},
        {editor + zavprog + "--screenshots", 2, "'--screenshots'.\nTry 'zavprog --help'", "FILE"},
        {editor + zavprog + "-platform offscreen -style=fusion --help", 0, "FILE", "Unknown"},
        {editor + zavprog + "-platform offscreen --frob", 2, "'frob'.\nTry 'zavprog --help'",
         "FILE"},
        // Two files, as a shell passes them: two editors, each shown.
        {tool + "new " + z + " && " + editor + "QT_QPA_PLATFORM=offscreen " + zavprog +
             "--report-shown " + x + " " + z + " 2>/dev/null",
         0, "shown\nshown\n", "shown\nshown\nshown"},
    };
    for (const auto& [command, status, holds, lacks] : rows) {
        const ToolRun run = shell(command);
        EXPECT_EQ(run.status, status) << command << "\n" << run.output;
        EXPECT_THAT(run.output, AllOf(HasSubstr(holds), Not(HasSubstr(lacks)))) << command;
    }
    EXPECT_EQ(test::readBytes(y), test::readBytes(x));
}

// The progress line's escape codes: only on a terminal whose TERM takes them.
TEST(TerminalConventions, EscapeCodesOnlyOnATerminalThatTakesThem) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master) | ::unlockpt(master), 0);
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    std::array<int, 2> pipe{};
    ASSERT_EQ(::pipe(pipe.data()), 0);
    const std::tuple<int, const char*, bool> cases[] = {
        {terminal, "xterm-256color", true}, {terminal, "dumb", false},
        {terminal, nullptr, false},         {terminal, "", false},
        {pipe[1], "xterm-256color", false},
    };
    for (const auto& [fd, term, takes] : cases)
        EXPECT_EQ(tool::takesEscapeCodes(fd, term), takes) << fd << " " << (term ? term : "unset");
    for (const int fd : {master, terminal, pipe[0], pipe[1]}) ::close(fd);
}

// A fleet on a terminal redraws each radio's line in place while the radios run; on a
// pipe nothing but the plain lines, which both end with, one per radio in port order.
TEST(ZavtoolFleet, DrawsEachRadiosLineInPlaceOnlyOnATerminal) {
    test::isolateDataHome();
    test::TempDir dir;
    const std::string file = dir.file("fleet.frq");
    ASSERT_EQ(runInProcess("new " + file).status, 0);
    for (const bool terminal : {true, false}) {
        SCOPED_TRACE(terminal ? "terminal" : "pipe");
        std::array<sim::SimRadio, 2> radios;
        for (auto& radio : radios) loadDefaults(radio);
        std::ostringstream out, err;
        const PortFactory ports = [&radios](const std::string& device) {
            return std::make_unique<sim::VirtualPort>(radios.at(device == "sim1"));
        };
        tool::ToolIo io{.out = out, .err = err, .terminal = terminal, .makePort = ports};
        const std::vector<std::string> args{"write",  "--no-backup", "--port", "sim0",
                                            "--port", "sim1",        file};
        ASSERT_EQ(tool::run(args, io), tool::kExitDone) << err.str();
        const std::string drawn = err.str();
        // Cursor movements and erasures, and a line per radio with its step and percent.
        EXPECT_EQ(drawn.find('\x1b') != npos, terminal) << drawn;
        for (const char* line : {"\rsim0: Writing Radio 100%\x1b[K\n", "\rsim1: written\x1b[K\n"})
            EXPECT_EQ(drawn.find(line) != npos, terminal) << drawn;
        EXPECT_TRUE(drawn.empty() || drawn.ends_with("\x1b[2A\r\x1b[J")) << drawn;
        EXPECT_THAT(out.str(), testing::ContainsRegex("sim0: wrote .*sim1: wrote "));
    }
}

// The serial ports as the dialog lists them, a block per port that starts with its device;
// none is no failure.
TEST(ZavtoolPorts, ListsThePortsAsTheDialogSeesThem) {
    const SerialPortEntry usb{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", 0x0403, 0x6001, 900,
                              "A10K",         PortHolder{4242}};
    const SerialPortEntry builtIn{"/dev/ttyS0", "", "", {}, {}, 100, "", std::nullopt};
    const SerialPortEntry locked{"/dev/ttyS0", "", "", {}, {}, 100, "", PortHolder{}};
    const std::pair<std::vector<SerialPortEntry>, std::string> cases[] = {
        {{}, "no serial ports\n"},
        {{locked}, "/dev/ttyS0\n    in use: by another program\n"},
        {{builtIn, usb},
         "/dev/ttyS0\n    in use: no\n/dev/ttyUSB0\n    description: FT232R USB UART\n"
         "    manufacturer: FTDI\n    usb id: 0403:6001\n    serial number: A10K\n"
         "    in use: by process 4242\n    plugged in most recently\n"},
    };
    for (const auto& [entries, listed] : cases) {
        std::ostringstream out;
        tool::ToolIo io{out, out};
        io.listPorts = [&ports = entries] { return ports; };
        EXPECT_EQ(tool::run(std::vector<std::string>{"ports"}, io), tool::kExitDone);
        EXPECT_EQ(out.str(), listed);
    }
    // Completing --port offers the port numbers and exactly the devices ports lists.
    const ToolRun listed = runTool("ports");
    std::string offered = "1 2 3 4 ";
    std::istringstream lines(listed.output);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with('/')) offered += line + " ";
    const std::string completion = std::string(ZAV_SOURCE_DIR) + "/data/zavtool.bash-completion";
    const ToolRun completed =
        shell("PATH='" + std::string(ZAV_BINARY_DIR) +
              "/tools':$PATH bash -c '_init_completion() { "
              "words=(\"${COMP_WORDS[@]}\"); cword=$COMP_CWORD; cur=${words[cword]}; "
              "prev=${words[cword-1]}; }; . " +
              completion +
              "; COMP_WORDS=(zavtool read --port \"\"); "
              "COMP_CWORD=3; _zavtool; echo \"${COMPREPLY[*]} \"'");
    EXPECT_EQ(completed.output, offered + "\n");
}

// zavsim --demo serves the editor's demo radio: a write of the demo contents would
// change nothing on it, as on a radio given them as a file (--memory=FILE), unlike an
// erased one.
TEST(ZavsimDemo, ServesTheEditorsDemoRadio) {
    test::TempDir dir;
    const std::string demo = dir.file("demo.frq");
    const DemoContents contents = demoContents();
    test::writeBytes(demo, encodeFrequencyFile(contents.mem, contents.labels));
    for (const auto& [options, holds] :
         {std::pair{std::string("--demo"), true}, {"--memory=" + demo, true}, {"", false}}) {
        SimProcess sim(options);
        const ToolRun run = runTool("compare --labels --port=" + sim.device + " " + demo);
        EXPECT_EQ(run.status == 0, holds) << options << "\n" << run.output;
    }
}

}  // namespace
}  // namespace zav
