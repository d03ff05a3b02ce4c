// zavtool run in-process against the simulated radio's band and contents: a write refuses
// channels outside the band (unless --ignore-band), identify tells which radio it is,
// compare what a write of a file would change (neither of the two writes anything); diff,
// verify after write, and the radio history. (The serial trace:
// tests/tools/operation_paths_test.cpp.)

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "files/frequency_file.h"
#include "model/globals.h"
#include "model/group.h"
#include "sim/synthesizer.h"
#include "support/temp_dir.h"
#include "tool_process.h"

namespace zav {
namespace {

using testing::AllOf;
using testing::HasSubstr;
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

struct RadioCase {
    std::string args;
    std::function<void(sim::SimRadio&)> edit;
    int status;
    std::optional<bool> changed;  // whether the radio's memory changed; {}: either
    std::string text;             // in the output; one that ends a line is all of it
};

// A write stops at channels outside the radio's band (unless --ignore-band, or the group
// written holds none). identify tells the band, the groups with their unit numbers and the
// password, only reading. compare exits 0 when the radio holds the file, also where it
// differs only in bytes no write owns, 1 naming the field of a writable byte, 2 when the
// radio is not read. diff exits 0, 1 or 2 naming the field that differs; write --verify
// reads the radio back and names the address of a word the radio dropped.
TEST(ZavtoolOnRadio, WritesWithinTheBandIdentifiesComparesAndVerifies) {
    test::TempDir dir;
    const auto save = [&](const char* name, const Document& doc) {
        test::writeBytes(dir.file(name), encodeFrequencyFile(doc.mem, doc.labels));
        return " " + dir.file(name);
    };
    Document doc;
    const std::string plain = save("plain.frq", doc);  // the band is no byte a write owns
    doc.group(0)->channel(2).setRecFreq("450.0125");   // bytes 0x0A0 and 0x0A1
    const std::string file = save("radio.frq", doc);
    storePassword(doc.mem, "ABCDEF");  // the global block's bytes 0x060 to 0x062
    const std::string global = save("global.frq", doc);
    Document outside;
    outside.group(0)->channel(0).setRecFreq("420");
    outside.group(0)->channel(1).setTxFreq("590");
    outside.group(2)->channel(0).setRecFreq("450");
    const std::string band = save("band.frq", outside);
    const std::string refused =
        "group 1, channel 1: receive frequency 420.00000 MHz; group 1, channel 2: transmit "
        "frequency 590.00000 MHz: outside the radio's band, 450 to 512 MHz: nothing was written";
    const auto blank = [](sim::SimRadio& r) { sim::setBandData(r.memory(), 0xFF, 0xFF, 0xFF); };
    const auto identified = [](sim::SimRadio& r) {
        Document held;  // group 2's unit number, a password, only groups 1 and 2 present
        held.group(1)->writeIdNum("1234567");
        storePassword(held.mem, "00AB00");
        std::fill_n(held.mem.begin() + 80, 8, Byte{0});
        held.mem[80] = 0x08, held.mem[81] = 0x80;
        std::copy_n(held.mem.begin(), kRadioMemorySize, r.memory().begin());
        sim::setBandData(r.memory());
    };
    // A whole read would stand group 1 in for none.
    const auto none = [](sim::SimRadio& r) { std::fill_n(r.memory().begin() + 80, 8, Byte{0}); };
    const auto own = [](sim::SimRadio& r) {
        r.memory()[kPageSize * 2 + 8] ^= 0xFF;  // a group's protected byte
        r.memory()[0x78] ^= 0x01;               // the band
        r.memory()[80] ^= 0x01;                 // the page map
    };
    const auto edited = [](sim::SimRadio& r) { r.memory()[kPageSize * 2 + 16] = 0x55; };
    const auto silent = [](sim::SimRadio& r) { r.config().faults.silent = true; };
    const auto drops = [](int word) {
        return [word](sim::SimRadio& r) { r.config().faults.dropStoredWord = word; };
    };
    const std::string verify = " --port 1 --verify", failedAt = "verify failed at byte ";
    const std::string at0A0 = failedAt + "0x0A0, byte 0x0A1";
    const RadioCase cases[] = {
        {"write --port 1" + band, kAsIs, 1, false, refused},
        {"write --port 1 --ignore-band" + band, kAsIs, 0, true, ""},
        {"write-group --group 3 --port 1" + band, kAsIs, 0, true, ""},
        {"write --port 1" + band, blank, 0, true, "the radio's band is unknown"},
        {"identify --port 1", identified, 0, false,
         "band: 450 to 512 MHz\ngroups: 1, 2\ngroup 1: ANI/ID 0000000\n"
         "group 2: ANI/ID 1234567\npassword: set\n"},
        {"identify --port 1", none, 0, false,
         "band: 450 to 512 MHz\ngroups: none\npassword: not set\n"},
        {"compare --port 1" + plain, own, 0, false, ""},
        {"compare --port 1" + plain, edited, 1, false, "Group 2, Chan 1, Rec Freq: 455."},
        {"compare --port 1" + plain, silent, 2, false, ""},
        {"diff" + file + file, kAsIs, 0, false, ""},
        {"diff" + plain + file, kAsIs, 1, false, "Group 1, Chan 3, Rec Freq: none -> 450.01250\n"},
        {"write" + file + verify, kAsIs, 0, true, ""},
        {"write" + file + verify, drops(0x0A0), 1, {}, at0A0},
        {"write-group --group 1" + file + verify, drops(0x0A0), 1, {}, at0A0},
        {"write" + global + verify, drops(0x060), 1, {}, failedAt + "0x060, byte 0x061"},
    };
    for (const RadioCase& c : cases) {
        bool changed = false;
        const ToolRun run = onRadio(c.args, c.edit, &changed);
        SCOPED_TRACE(c.args + "\n" + run.output);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(changed, c.changed.value_or(changed));
        if (c.text.ends_with('\n'))
            EXPECT_EQ(run.output, c.text);
        else
            EXPECT_THAT(run.output, HasSubstr(c.text));
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
    EXPECT_THAT(write.output, HasSubstr("write-labels: radio history: " + history.path() + "/20"));
    EXPECT_EQ(run("write --no-backup --port 1").status, 0);
    EXPECT_EQ(run("read-group --group 2 --port 1").status, 0);
    const ToolRun listed = tooltest::runInProcess("history", nullptr, history.path());
    EXPECT_EQ(std::ranges::count(listed.output, '\n'), 2) << listed.output;
    EXPECT_THAT(listed.output, AllOf(HasSubstr("  ttyS0  0000000  before write labels  "),
                                     HasSubstr("  read group  ")));
}

}  // namespace
}  // namespace zav
