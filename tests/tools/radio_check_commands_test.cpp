// zavtool against the simulated radio's band and contents: a write refuses channels
// outside the band (unless --ignore-band), identify tells which radio it is, compare what
// a write of a file would change; neither of the two writes anything.

#include <gtest/gtest.h>

#include "files/frequency_file.h"
#include "model/globals.h"
#include "sim/synthesizer.h"
#include "support/temp_dir.h"
#include "tool_process.h"

namespace zav {
namespace {

using tooltest::runInProcess;
using tooltest::ToolRun;

bool has(const ToolRun& run, const std::string& text) {
    return run.output.find(text) != std::string::npos;
}

// A radio with the defaults and the band 450 to 512 MHz (none with Band::Unknown).
enum class Band : std::uint8_t { Known, Unknown };
std::unique_ptr<sim::SimRadio> radioWith(Band band) {
    auto radio = std::make_unique<sim::SimRadio>();
    tooltest::loadDefaults(*radio);
    if (band == Band::Known) sim::setBandData(radio->memory());
    return radio;
}

TEST(ZavtoolBand, AWriteStopsAtChannelsOutsideTheRadiosBand) {
    test::TempDir dir;
    Document doc;
    doc.group(0)->channel(0).setRecFreq("420");
    doc.group(0)->channel(1).setTxFreq("590");
    doc.group(2)->channel(0).setRecFreq("450");
    doc.group(2)->channel(0).setTxFreq("512");
    const std::string file = dir.file("radio.frq");
    test::writeBytes(file, encodeFrequencyFile(doc.mem, doc.labels));
    const std::string both[] = {"group 1, channel 1: receive frequency 420.00000 MHz",
                                "group 1, channel 2: transmit frequency 590.00000 MHz"};
    struct Case {
        const char* args;
        Band band;
        bool written;
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"write --port 1", Band::Known, false, {both[0], both[1], "450 to 512 MHz"}},
        {"write --port 1 --no-backup", Band::Known, false, {both[0], both[1], "450 to 512 MHz"}},
        {"write-group --group 1 --port 1", Band::Known, false, {both[0], both[1]}},
        {"write --port 1 --ignore-band", Band::Known, true, {}},
        {"write-group --group 3 --port 1", Band::Known, true, {}},
        {"write --port 1", Band::Unknown, true, {"the radio's band is unknown"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const auto radio = radioWith(c.band);
        const sim::RadioMemory before = radio->memory();
        const ToolRun run = runInProcess(c.args + (" " + file), radio.get());
        EXPECT_EQ(run.status, c.written ? 0 : 1) << run.output;
        EXPECT_EQ(radio->memory() != before, c.written);
        for (const std::string& text : c.told) EXPECT_TRUE(has(run, text)) << run.output;
    }
}

// identify: the band, the groups with their unit numbers and the password; the radio is
// only read.
TEST(ZavtoolIdentify, TellsTheBandAndTheUnitNumbersAndChangesNothing) {
    for (const Band band : {Band::Known, Band::Unknown}) {
        const auto radio = radioWith(band);
        MemImage image{};
        std::copy_n(radio->memory().begin(), kRadioMemorySize, image.begin());
        Document doc;
        doc.mem = image;
        doc.group(1)->writeIdNum("1234567");
        storePassword(doc.mem, band == Band::Known ? "00AB00" : "000000");
        std::fill_n(doc.mem.begin() + 80, 8, Byte{0x00});
        doc.mem[80] = 0x08;  // group 1
        doc.mem[81] = 0x80;  // group 2
        std::copy_n(doc.mem.begin(), kRadioMemorySize, radio->memory().begin());
        const sim::RadioMemory before = radio->memory();
        const ToolRun run = runInProcess("identify --port 1", radio.get());
        EXPECT_EQ(run.status, 0) << run.output;
        const std::string first =
            band == Band::Known ? "band: 450 to 512 MHz\n"
                                : "band: unknown (the band bytes are blank or out of range)\n";
        EXPECT_EQ(run.output, first + "groups: 1, 2\ngroup 1: ANI/ID " + doc.group(0)->readIdNum() +
                                  "\ngroup 2: ANI/ID 1234567\n" +
                                  "password: " + (band == Band::Known ? "set" : "not set") + "\n");
        EXPECT_EQ(radio->memory(), before);
    }
}

// compare: 0 when the radio holds the file, 1 naming the group when a writable byte
// differs; bytes no write owns are no difference; 2 when the radio is not read.
TEST(ZavtoolCompare, ListsWhatAWriteWouldChange) {
    test::TempDir dir;
    const sim::RadioMemory held = radioWith(Band::Known)->memory();
    Document doc;
    std::copy_n(held.begin(), kRadioMemorySize, doc.mem.begin());
    const std::string file = dir.file("radio.frq");
    test::writeBytes(file, encodeFrequencyFile(doc.mem, doc.labels));
    // A radio holding the file but for `edit`, compared with it.
    const auto compare = [&](const std::function<void(sim::SimRadio&)>& edit,
                             const std::string& path) {
        sim::SimRadio radio;
        radio.memory() = held;
        edit(radio);
        const sim::RadioMemory before = radio.memory();
        const ToolRun run = runInProcess("compare --port 1 " + path, &radio);
        EXPECT_EQ(radio.memory(), before);
        return run;
    };
    const auto none = [](sim::SimRadio& /*radio*/) {};
    EXPECT_EQ(compare(none, file).status, 0);
    // A group's protected bytes, the band and the page map are the radio's own.
    const ToolRun own = compare(
        [](sim::SimRadio& r) {
            r.memory()[kPageSize * 2 + 8] ^= 0xFF;
            r.memory()[0x78] ^= 0x01;
            r.memory()[80] ^= 0x01;
        },
        file);
    EXPECT_EQ(own.status, 0) << own.output;
    // Group 2, channel 1's receive frequency.
    const ToolRun differs =
        compare([](sim::SimRadio& r) { r.memory()[kPageSize * 2 + 16] = 0x55; }, file);
    EXPECT_EQ(differs.status, 1) << differs.output;
    EXPECT_TRUE(differs.output.starts_with("Group 2, Chan 1, Rec Freq: 455.")) << differs.output;
    EXPECT_TRUE(differs.output.ends_with(" -> none\n")) << differs.output;
    EXPECT_EQ(compare([](sim::SimRadio& r) { r.config().faults.silent = true; }, file).status, 2);
    EXPECT_EQ(compare(none, dir.file("missing.frq")).status, 2);
}

}  // namespace
}  // namespace zav
