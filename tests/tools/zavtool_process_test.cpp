// The built zavtool's own contract: its exit statuses (0 done, 1 failed, 2 usage error),
// the files it writes, through zavsim on a pseudo-terminal, and the signals it takes. Every
// file it writes is also named as a user may name it: a FIFO (which must not hang the
// program), a link to a device, a link loop, a link to a file (written through), and a
// full disk (a file size limit); the table of what became of each is RELIABILITY.md's.
// How the link meets a faulty radio is the link and operations tests' business.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <tuple>

#include "support/chirp_table.h"
#include "support/reliability_table.h"
#include "support/temp_dir.h"
#include "tool_process.h"

namespace {

using namespace zav::tooltest;
using zav::test::readBytes;
namespace fs = std::filesystem;
constexpr auto npos = std::string::npos;

// test_tools depends on zavtool and zavsim: both are built.
TEST(Zavtool, EndsWithItsExitStatusAndWritesOnlyWholeFiles) {
    zav::test::TempDir dir;
    const std::string x = dir.file("x.frq");
    ASSERT_EQ(runTool("new " + x).status, 0);
    const auto before = readBytes(x);
    // clang-format off
    const std::pair<std::string, int> cases[] = {
        {"", 2}, {"--help", 0}, {"--version", 0}, {"frob", 2}, {"write-group --help", 0},
        {"read-group --port=1 --group=16 x.frq", 2}, {"write-group --port=1 --group=0 x.frq", 2},
        {"write-group --port 1 x.frq", 2}, {"dtmf --port 1 1125", 2}, {"dump a.frq b.frq", 2},
        {"print x.frq --pdf a.pdf --pdf b.pdf", 2}, {"new", 2},
        {"dump " + dir.file("missing.frq"), 1}, {"new " + dir.file("no/such/x.frq"), 1},
        // Group 15 is a group: the command runs and fails only at the port.
        {"read-group --port /dev/zav-no-such-port --group 15 " + x, 1},
        // Several radios: a file each, unit numbers that fit, never one device twice.
        {"read --port 1 --port 2 " + x, 2}, {"write --port 1 --ani-groups 3 " + x, 2},
        {"write --port 1 --port 2 --ani-from 9999999 " + x, 2},
        {"write --port 1 --port /dev/ttyS0 " + x, 2},
        // A trace starts with the radio connection: x is left as it was.
        {"--trace " + x + " dump", 2}, {"--trace " + x + " dump " + x, 0},
        // A trace would destroy the command's own file, however it is named.
        {"--trace " + dir.path() + "/./x.frq write-global --port /dev/zav-no-such-port " + x, 2},
    };
    // clang-format on
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
    // Latin-1: the names are not UTF-8 and still name those very files. Last, two radios at
    // once, each with its own unit number, read back into a file each.
    const std::string mine = dir.file("caf\xe9.frq"), back = dir.file("back\xe9.frq");
    ASSERT_EQ(runTool("new " + mine).status, 0);
    auto bytes = readBytes(mine);
    bytes[56 + 3 * 128 + 20] ^= 0x5A;  // a byte of group 3's channels
    zav::test::writeBytes(mine, bytes);
    SimProcess sim("--memory " + x), second("--memory " + x);
    const std::string port = " --port=" + sim.device + " ";
    const std::string both = port + "--port=" + second.device + " ";
    const std::string csv = dir.file("caf\xe9.csv"), trace = dir.file("trace\xe9.txt");
    const std::string log = dir.file("fleet\xe9.csv");
    for (const std::string& step :
         {"write" + port + mine, "read" + port + back, "dump " + back,
          "export-csv " + back + " " + csv, "import-csv --force " + back + " " + csv + " " + mine,
          "--trace " + trace + " read-group --group 3" + port + mine,
          "print " + back + " --pdf " + dir.file("back\xe9.pdf"),
          "write" + both + "--ani-from 41 --log " + log + " " + mine,
          "read" + both + "--output-pattern " + dir.file("r\xe9{port}.frq")}) {
        const ToolRun run = runTool(step);
        EXPECT_EQ(run.status, 0) << step << "\n" << run.output;
    }
    EXPECT_EQ(std::pair(readBytes(back), readBytes(mine)), std::pair(bytes, bytes));
    EXPECT_FALSE(readBytes(trace).empty());
    EXPECT_TRUE(zav::test::readText(dir.file("back\xe9.pdf")).starts_with("%PDF-"));
    for (const auto& [device, unit] : {std::pair{sim.device, 41}, {second.device, 42}}) {
        const std::string name = dir.file("r\xe9" + device.substr(device.rfind('/') + 1) + ".frq");
        const std::string shown = runTool("dump " + name).output;
        EXPECT_NE(shown.find("ANI/ID Number: 00000" + std::to_string(unit)), npos) << shown;
        EXPECT_EQ(shown.find("ANI/ID Number: 00000" + std::to_string(83 - unit)), npos);
    }
    EXPECT_EQ(std::ranges::count(readBytes(log), '\n'), 3);  // the header and a row per radio
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))  // no other name
        EXPECT_EQ(entry.path().string().find("\uFFFD"), npos) << entry.path();
}

// CHIRP's table: refused whole for one row out of the band, imported but for it with
// --skip-unfit, and written back (--format chirp) to import again to the same file.
TEST(Zavtool, ImportsAndExportsChirpsTable) {
    zav::test::TempDir dir;
    const std::string x = dir.file("x.frq"), list = dir.file("list.csv"), out = dir.file("o.frq");
    ASSERT_EQ(runTool("new " + x).status, 0);
    auto records = zav::test::kSixRows;
    records.push_back(records[1]);
    records.back()[2] = "146.520000";  // row 8
    std::ofstream(list) << zav::test::tableOf(records, "\n", false);
    const std::string import = "import-csv --group 2 " + x + " " + list + " " + out;
    for (const auto& [options, status] : {std::pair("", 1), std::pair(" --skip-unfit", 0)}) {
        const ToolRun run = runTool(import + options);
        const bool named = run.output.find("row 8, Frequency: 146.520000") != npos;
        EXPECT_EQ(std::tuple(run.status, named, fs::exists(out)), std::tuple(status, true, !status))
            << run.output;
    }
    const std::string back = dir.file("back.csv"), again = dir.file("again.frq");
    EXPECT_EQ(runTool("export-csv --format chirp " + out + " " + back).status, 0);
    EXPECT_EQ(runTool("import-csv " + x + " " + back + " " + again).status, 0);
    EXPECT_EQ(readBytes(again), readBytes(out));
}

// A name as the user may give it, made by shell words in a folder: what the user is told.
// `old` stands for 500 bytes, more than a log row short of the file size limit (512
// bytes) that every other output passes.
struct Target {
    const char* caption;
    const char* cause;
    const char* make;
};
constexpr Target kTargets[] = {
    {"a FIFO", "not a regular file", "mkfifo out"},
    {"a link to /dev/null", "not a regular file", "ln -s /dev/null out"},
    {"a link loop", "Too many levels of symbolic links", "ln -s out out"},
    {"a link to a file", "", "old > out.real; ln -s out.real out"},
    {"a full disk", "File too large", "old > out"},
};
constexpr const Target &kLiveLink = kTargets[3], &kFullDisk = kTargets[4];

// What a folder holds: each name with its kind, a link's target, a file's bytes.
std::map<std::string, std::string> contents(const std::string& folder) {
    std::map<std::string, std::string> held;
    for (const auto& e : fs::directory_iterator(folder))
        held[e.path().filename().string()] =
            e.is_symlink() ? "link to " + fs::read_symlink(e.path()).string()
                           : (e.is_fifo() ? "fifo" : zav::test::readText(e.path().string()));
    return held;
}

TEST(ZavtoolOutputs, RefuseWhatIsNoFileFollowLinksAndTellAFullDisk) {
    zav::test::TempDir dir;
    const std::string file = dir.file("radio.frq");
    ASSERT_EQ(runTool("new " + file).status, 0);
    const SimProcess sim("--memory " + file);
    const std::string port = " --port " + sim.device + " ";
    // The command writing each output to OUT; a trace starts from empty.
    const std::tuple<const char*, std::string, bool> outputs[] = {
        {"frequency file (`new`)", "new --force OUT", false},
        {"CSV table (`export-csv`)", "export-csv --force " + file + " OUT", false},
        {"PDF printout (`print`)", "print --force " + file + " --pdf OUT", false},
        {"serial trace (`--trace`)", "--trace OUT write-global" + port + file, true},
        {"fleet log (`--log`)", "write" + port + "--log OUT " + file, false},
    };
    std::string table = "| output |", rule = "|---|";
    for (const Target& t : kTargets) table += std::string(" ") + t.caption + " |", rule += "---|";
    table += "\n" + rule + "\n";
    int cell = 0;
    for (const auto& [name, command, fromEmpty] : outputs) {
        table += std::string("| ") + name + " |";
        for (const Target& target : kTargets) {
            const std::string folder = dir.file(std::to_string(++cell));
            fs::create_directory(folder);
            const std::string old = "old() { head -c 499 /dev/zero | tr '\\0' o; echo; }; ";
            ASSERT_EQ(std::system(("cd " + folder + "; " + old + target.make).c_str()), 0);
            const auto before = contents(folder);
            std::string args = command;
            args.replace(args.find("OUT"), 3, folder + "/out");
            const bool full = &target == &kFullDisk, written = &target == &kLiveLink;
            const ToolRun run = runTool(args, full ? "trap '' XFSZ; ulimit -f 1; " : "");
            const auto after = contents(folder);
            const bool told = run.output.find(target.cause) != std::string::npos;
            const char* fate = after == before                       ? "left as it was"
                               : run.status != 0                     ? "holds the part that fit"
                               : after.at("out") == before.at("out") ? "written through the link"
                                                                     : "replaced";
            const std::string text = " exit " + std::to_string(run.status) +
                                     (*target.cause != 0 && told ? ", told" : "") + ", " + fate +
                                     " |";

            // Refused and told, or written through the link; a trace on a full disk holds
            // what fit; never anything left beside the name, nor the name replaced.
            EXPECT_EQ(text, written             ? " exit 0, written through the link |"
                            : full && fromEmpty ? " exit 1, told, holds the part that fit |"
                                                : " exit 1, told, left as it was |")
                << name << ", " << target.caption << ":\n"
                << run.output;
            // Nothing left beside `out` (whether `out` itself was replaced, the text tells).
            EXPECT_EQ(after.size(), before.size());
            table += text;
        }
        table += "\n";
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    zav::test::expectReliabilityTable("outputs", "ZAV_OUTPUTS_TABLE", table);
}

// Every signal that ends a program from outside stops the transfer at its next safe point
// as the progress window's Cancel does, and the radio is released: a whole read between
// segments (the read program ends, no file is written), a write before it writes; exit 1.
// A hangup mid-fleet still logs every radio and says how many failed. A whole write runs
// its write program to the end and says so at once, the labels after it are not written,
// and a second Ctrl-C ends it there and then; output to a closed pipe ends quietly once
// the radio is released.
TEST(Zavtool, SignalsStopAtASafePointAndReleaseTheRadio) {
    zav::test::TempDir dir;
    const std::string file = dir.file("radio.frq"), log = dir.file("fleet.csv");
    ASSERT_EQ(runTool("new " + file).status, 0);  // every group on the page map
    // Slow replies stretch every segment and block to a second or so.
    const std::string radio = "--memory " + file + " --pace --slow 4 --transcript /dev/stdout";
    const auto heard = [](const std::string& note) {
        return [note](const std::string& l) { return l.ends_with("  " + note); };
    };
    using namespace std::chrono_literals;
    // The signal, the command (the port follows), the radio's faults, the radio's note the
    // signal waits for, what zavtool says ("": a second Ctrl-C follows), the radio's last note.
    using Row = std::tuple<int, std::string, const char*, const char*, const char*, const char*>;
    const std::string read = "read " + dir.file("read.frq") + " --port";
    const Row rows[] = {
        {SIGINT, read, "", "segment 0", "read: cancelled", "end of read program"},
        // A hook the radio refuses: Cancel, not the next of a thousand retries.
        {SIGTERM, "write --retry 1000 " + file + " --port", " --hook-reply 14", "hook",
         "write: cancelled", "release"},
        {SIGQUIT, read, "", "segment 0", "read: cancelled", "end of read program"},
        {SIGPIPE, read, "", "segment 0", "read: cancelled", "end of read program"},
        // The write goes on; a second Ctrl-C ends it there and then.
        {SIGINT, "write --no-backup --labels " + file + " --port", "", "block 15",
         "cancelled; the labels were not written", "end of write program"},
        {SIGINT, "write --no-backup " + file + " --port", "", "block 15", "", ""},
        // The terminal closed mid-fleet.
        {SIGHUP, "read --log " + log + " --output-pattern " + dir.file("r{port}.frq") + " --port",
         "", "segment 0", "2 of 2 radios failed or were cancelled", "end of read program"},
    };
    const std::string finishing =
        "finishing the write: it cannot be stopped safely; Ctrl-C again to abort";
    for (const auto& [sig, command, faults, from, said, ends] : rows) {
        SimProcess sim(radio + faults);
        const auto second = sig == SIGHUP ? std::make_unique<SimProcess>(radio) : nullptr;
        const std::string ports = sim.device + (second ? " --port " + second->device : "");
        BackgroundProcess tool("exec '" + kTool + "' " + command + " " + ports + " 2>&1");
        ASSERT_TRUE(sim.waitForLine(heard(from), 20s)) << command;
        tool.signal(sig);
        ASSERT_TRUE(std::string_view(from) != "block 15" ||
                    tool.waitForLine([&](const std::string& l) { return l == finishing; }, 10s));
        if (*said == 0) tool.signal(SIGINT);
        const ToolRun run = tool.finish();
        EXPECT_EQ(run.status, *said == 0 ? -1 : 1) << command << run.output;
        EXPECT_NE(run.output.find(said), npos) << run.output;
        EXPECT_EQ(run.output.find("Error reading radio"), npos) << run.output;  // no error told
        EXPECT_TRUE(*ends == 0 || sim.waitForLine(heard(ends), 10s)) << command;
        // No file read: only the radio's and the log.
        EXPECT_EQ(zav::test::entries(dir.path()), second ? 2 : 1);
    }
    EXPECT_EQ(std::ranges::count(readBytes(log), '\n'), 3);  // the header and both radios

    SimProcess sim(radio);
    BackgroundProcess closed("{ { '" + kTool + "' read-global --port " + sim.device + " " + file +
                             " 2>&3; echo \"exit $?\" >&3; } | true; } 3>&1");
    // Told on stderr: only where the radio history kept what was read.
    const std::string told = closed.finish().output;
    EXPECT_TRUE(told.starts_with("zavtool read-global: radio history: ")) << told;
    EXPECT_TRUE(told.ends_with(".frq\nexit 1\n")) << told;
    EXPECT_EQ(std::ranges::count(told, '\n'), 2) << told;
    EXPECT_TRUE(sim.waitForLine(heard("release"), 10s));
}

}  // namespace
