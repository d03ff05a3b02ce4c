// zavtool's comparison, verify after write and radio history, run in-process against the
// simulated radio. (The serial trace: tests/tools/operation_paths_test.cpp.)

#include <gtest/gtest.h>

#include "files/frequency_file.h"
#include "model/globals.h"
#include "support/temp_dir.h"
#include "tool_process.h"

namespace zav {
namespace {

using tooltest::loadDefaults;
using tooltest::runInProcess;
using tooltest::ToolRun;

// diff exits 0, 1 or 2 and names the field that differs; write --verify reads the radio
// back and names the address of a word the radio dropped.
TEST(ZavtoolSupport, DiffAndVerifyNameWhatDiffers) {
    test::TempDir dir;
    Document doc;
    const std::string plain = dir.file("plain.frq"), file = dir.file("radio.frq");
    test::writeBytes(plain, encodeFrequencyFile(doc.mem, doc.labels));
    doc.group(0)->channel(2).setRecFreq("450.0125");  // bytes 0x0A0 and 0x0A1
    test::writeBytes(file, encodeFrequencyFile(doc.mem, doc.labels));
    storePassword(doc.mem, "ABCDEF");  // the global block's bytes 0x060 to 0x062
    const std::string global = dir.file("global.frq");
    test::writeBytes(global, encodeFrequencyFile(doc.mem, doc.labels));
    EXPECT_EQ(runInProcess("diff " + file + " " + file).status, 0);
    const ToolRun edited = runInProcess("diff " + plain + " " + file);
    EXPECT_EQ(edited.status, 1);
    EXPECT_EQ(edited.output, "Group 1, Chan 3, Rec Freq: none -> 450.01250\n");
    EXPECT_EQ(runInProcess("diff " + file + " " + dir.file("missing.frq")).status, 2);
    struct Case {
        const char* command;
        const std::string& file;
        int dropped;  // the word the radio does not store, 0 for none
        const char* named;
    };
    const Case cases[] = {{"write", file, 0, ""},
                          {"write", file, 0x0A0, "byte 0x0A0, byte 0x0A1"},
                          {"write-group --group 1", file, 0x0A0, "byte 0x0A0, byte 0x0A1"},
                          {"write", global, 0x060, "byte 0x060, byte 0x061"}};
    for (const Case& c : cases) {
        sim::SimRadio radio;
        loadDefaults(radio);
        if (c.dropped != 0) radio.config().faults.dropStoredWord = c.dropped;
        const ToolRun run =
            runInProcess(c.command + std::string(" --port 1 --verify ") + c.file, &radio);
        EXPECT_EQ(run.status, c.dropped != 0 ? 1 : 0) << run.output;
        EXPECT_EQ(run.output.find(std::string("verify failed at ") + c.named) != std::string::npos,
                  c.dropped != 0)
            << run.output;
    }
}

// A read keeps what it read and a write what it replaced, unless --no-backup; stderr names
// the file, and history lists them.
TEST(ZavtoolHistory, KeepsEachReadAndWhatAWriteReplaced) {
    test::TempDir dir, history;
    const std::string file = dir.file("radio.frq");
    test::writeBytes(file, encodeFrequencyFile(Document().mem, Document().labels));
    const auto run = [&](const std::string& words) {
        sim::SimRadio radio;
        loadDefaults(radio);
        return runInProcess(words + " " + file, &radio, history.path());
    };
    const ToolRun write = run("write-labels --port 1");
    EXPECT_NE(write.output.find("write-labels: radio history: " + history.path() + "/20"),
              std::string::npos)
        << write.output;
    EXPECT_EQ(run("write --no-backup --port 1").status, 0);
    EXPECT_EQ(run("read-group --group 2 --port 1").status, 0);
    const ToolRun listed = runInProcess("history", nullptr, history.path());
    EXPECT_EQ(std::ranges::count(listed.output, '\n'), 2) << listed.output;
    for (const char* operation : {"  ttyS0  0000000  before write labels  ", "  read group  "})
        EXPECT_NE(listed.output.find(operation), std::string::npos) << listed.output;
}

}  // namespace
}  // namespace zav
