// zavtool run in-process against the simulated radio's band and contents: a write refuses
// channels outside the band (unless --ignore-band), identify tells which radio it is,
// compare what a write of a file would change (neither of the two writes anything); diff,
// verify after write, and the radio history. (The serial trace:
// tests/tools/operation_paths_test.cpp.)

#include <gtest/gtest.h>

#include <tuple>

#include "files/frequency_file.h"
#include "model/globals.h"
#include "model/group.h"
#include "sim/synthesizer.h"
#include "support/temp_dir.h"
#include "tool_process.h"

namespace zav {
namespace {

using tooltest::ToolRun;

// The defaults with the band 450 to 512 MHz, edited, then run with `args` (and the radio
// history in `history`, empty for the test program's own).
ToolRun onRadio(const std::string& args, const std::function<void(sim::SimRadio&)>& edit,
                bool* changed = nullptr, const std::string& history = {}) {
    sim::SimRadio radio;
    tooltest::loadDefaults(radio);
    edit(radio);
    const sim::RadioMemory before = radio.memory();
    ToolRun run = tooltest::runInProcess(args, &radio, history);
    if (changed != nullptr) *changed = radio.memory() != before;
    return run;
}
const auto kAsIs = [](sim::SimRadio& /*r*/) {};

TEST(ZavtoolBand, AWriteStopsAtChannelsOutsideTheRadiosBand) {
    test::TempDir dir;
    Document doc;
    doc.group(0)->channel(0).setRecFreq("420");
    doc.group(0)->channel(1).setTxFreq("590");
    doc.group(2)->channel(0).setRecFreq("450");
    const std::string file = " " + dir.file("radio.frq");
    test::writeBytes(dir.file("radio.frq"), encodeFrequencyFile(doc.mem, doc.labels));
    const char* refused =
        "group 1, channel 1: receive frequency 420.00000 MHz; group 1, channel 2: transmit "
        "frequency 590.00000 MHz: outside the radio's band, 450 to 512 MHz: nothing was written";
    const auto blank = [](sim::SimRadio& r) { sim::setBandData(r.memory(), 0xFF, 0xFF, 0xFF); };
    const std::tuple<const char*, std::function<void(sim::SimRadio&)>, const char*> cases[] = {
        {"write --port 1", kAsIs, refused},
        {"write --port 1 --ignore-band", kAsIs, ""},
        {"write-group --group 3 --port 1", kAsIs, ""},
        {"write --port 1", blank, "the radio's band is unknown"}};
    for (const auto& [args, edit, told] : cases) {
        bool changed = false;
        const ToolRun run = onRadio(args + file, edit, &changed);
        EXPECT_EQ(run.status, told == refused ? 1 : 0) << run.output;
        EXPECT_EQ(changed, told != refused);
        EXPECT_NE(run.output.find(told), std::string::npos) << run.output;
    }
}

// identify: the band, the groups with their unit numbers and the password; only a read.
TEST(ZavtoolIdentify, TellsTheBandAndTheUnitNumbersAndChangesNothing) {
    const auto edit = [](sim::SimRadio& r) {
        Document doc;  // group 2's unit number, a password, only groups 1 and 2 present
        doc.group(1)->writeIdNum("1234567");
        storePassword(doc.mem, "00AB00");
        std::fill_n(doc.mem.begin() + 80, 8, Byte{0});
        doc.mem[80] = 0x08, doc.mem[81] = 0x80;
        std::copy_n(doc.mem.begin(), kRadioMemorySize, r.memory().begin());
        sim::setBandData(r.memory());
    };
    bool changed = true;
    const ToolRun run = onRadio("identify --port 1", edit, &changed);
    EXPECT_EQ(run.output,
              "band: 450 to 512 MHz\ngroups: 1, 2\ngroup 1: ANI/ID 0000000\n"
              "group 2: ANI/ID 1234567\npassword: set\n");
    EXPECT_FALSE(changed);
    // A whole read would stand group 1 in for none.
    const auto none = [](sim::SimRadio& r) { std::fill_n(r.memory().begin() + 80, 8, Byte{0}); };
    EXPECT_EQ(onRadio("identify --port 1", none).output,
              "band: 450 to 512 MHz\ngroups: none\npassword: not set\n");
}

// compare: 0 when the radio holds the file, also where it differs only in bytes no write
// owns; 1 naming the field of a writable byte; 2 when the radio is not read.
TEST(ZavtoolCompare, ListsWhatAWriteWouldChange) {
    test::TempDir dir;
    const Document doc;  // the defaults; the radio's band is no byte a write owns
    const std::string compare = "compare --port 1 " + dir.file("radio.frq");
    test::writeBytes(dir.file("radio.frq"), encodeFrequencyFile(doc.mem, doc.labels));
    EXPECT_EQ(onRadio(compare, kAsIs).status, 0);
    const auto own = [](sim::SimRadio& r) {
        r.memory()[kPageSize * 2 + 8] ^= 0xFF;  // a group's protected byte
        r.memory()[0x78] ^= 0x01;               // the band
        r.memory()[80] ^= 0x01;                 // the page map
    };
    EXPECT_EQ(onRadio(compare, own).status, 0);
    const auto edited = [](sim::SimRadio& r) { r.memory()[kPageSize * 2 + 16] = 0x55; };
    const ToolRun differs = onRadio(compare, edited);
    EXPECT_EQ(differs.status, 1) << differs.output;
    EXPECT_TRUE(differs.output.starts_with("Group 2, Chan 1, Rec Freq: 455.")) << differs.output;
    EXPECT_EQ(onRadio(compare, [](sim::SimRadio& r) { r.config().faults.silent = true; }).status,
              2);
}

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
    EXPECT_EQ(tooltest::runInProcess("diff " + file + " " + file).status, 0);
    const ToolRun edited = tooltest::runInProcess("diff " + plain + " " + file);
    EXPECT_EQ(edited.status, 1);
    EXPECT_EQ(edited.output, "Group 1, Chan 3, Rec Freq: none -> 450.01250\n");
    EXPECT_EQ(tooltest::runInProcess("diff " + file + " " + dir.file("missing.frq")).status, 2);
    // The command and its file, the word the radio does not store (0 for none) and the
    // bytes named.
    const std::tuple<std::string, int, const char*> cases[] = {
        {"write " + file, 0, ""},
        {"write " + file, 0x0A0, "byte 0x0A0, byte 0x0A1"},
        {"write-group --group 1 " + file, 0x0A0, "byte 0x0A0, byte 0x0A1"},
        {"write " + global, 0x060, "byte 0x060, byte 0x061"}};
    for (const auto& [command, dropped, named] : cases) {
        const ToolRun run =
            onRadio(command + " --port 1 --verify", [word = dropped](sim::SimRadio& r) {
                if (word != 0) r.config().faults.dropStoredWord = word;
            });
        EXPECT_EQ(run.status, dropped != 0 ? 1 : 0) << run.output;
        EXPECT_EQ(run.output.find(std::string("verify failed at ") + named) != std::string::npos,
                  dropped != 0)
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
        return onRadio(words + " " + file, kAsIs, nullptr, history.path());
    };
    const ToolRun write = run("write-labels --port 1");
    EXPECT_NE(write.output.find("write-labels: radio history: " + history.path() + "/20"),
              std::string::npos)
        << write.output;
    EXPECT_EQ(run("write --no-backup --port 1").status, 0);
    EXPECT_EQ(run("read-group --group 2 --port 1").status, 0);
    const ToolRun listed = tooltest::runInProcess("history", nullptr, history.path());
    EXPECT_EQ(std::ranges::count(listed.output, '\n'), 2) << listed.output;
    for (const char* operation : {"  ttyS0  0000000  before write labels  ", "  read group  "})
        EXPECT_NE(listed.output.find(operation), std::string::npos) << listed.output;
}

}  // namespace
}  // namespace zav
