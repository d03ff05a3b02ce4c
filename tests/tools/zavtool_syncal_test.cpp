// zavtool syncal against zavsim: the alignment run as a technician starts it from the
// command line, its log, the words it leaves in the radio and its failures.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "syncal/syncal_math.h"
#include "tool_process.h"

namespace {

using namespace zav::tooltest;

constexpr unsigned char kByte77 = 0x5A;
constexpr unsigned char kByte6F = 0xA5;

// The values one mode's log gives: "LOW FREQUENCY AND D/A:   449.275 --  50" and so on.
struct ModeLog {
    double lowFreq = 0, lowDac = 0, midFreq = 0, midDac = 0;
    double lowerSlope = 0, upperSlope = 0, loOffset = 0, hiOffset = 0;
};

// The numbers after the colon of the line that starts with `head`, from `from` on.
std::vector<double> numbersAfter(const std::string& log, const std::string& head,
                                 std::size_t from) {
    const std::size_t p = log.find(head, from);
    if (p == std::string::npos) return {};
    const std::size_t colon = log.find(':', p);
    std::string rest = log.substr(colon + 1, log.find('\n', p) - colon - 1);
    for (std::size_t d; (d = rest.find("--")) != std::string::npos;) rest.replace(d, 2, " ");
    std::istringstream in(rest);
    std::vector<double> values;
    for (double v = 0; in >> v;) values.push_back(v);
    return values;
}

std::optional<ModeLog> parseMode(const std::string& log, const std::string& mode) {
    const std::size_t start = log.find(mode + " CALIBRATION SUCCESSFUL");
    if (start == std::string::npos) return std::nullopt;
    const auto low = numbersAfter(log, "LOW FREQUENCY AND D/A", start);
    const auto mid = numbersAfter(log, "MID FREQUENCY AND D/A", start);
    const auto lower = numbersAfter(log, "LOWER SIDE SLOPE", start);
    const auto upper = numbersAfter(log, "UPPER SIDE SLOPE", start);
    const auto offsets = numbersAfter(log, "LO/HI BAND OFFSETS", start);
    if (low.size() != 2 || mid.size() != 2 || lower.size() != 1 || upper.size() != 1 ||
        offsets.size() != 2)
        return std::nullopt;
    return ModeLog{low[0], low[1], mid[0], mid[1], lower[0], upper[0], offsets[0], offsets[1]};
}

class ZavtoolSyncalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!toolsBuilt()) GTEST_SKIP() << "zavtool or zavsim not built";
        ASSERT_TRUE(dir.isValid());
        // The radio: band 450 to 512 MHz, and recognisable bytes at 0x77 and 0x6F that the
        // alignment must write back as they were.
        ASSERT_EQ(runTool("new " + shellWord(file("radio.frq"))).status, 0);
        radioFile = readAll(file("radio.frq"));
        radioFile[kImage + 0x78] = 25;
        radioFile[kImage + 0x79] = 64;
        radioFile[kImage + 0x7C] = 211;
        radioFile[kImage + 0x77] = kByte77;
        radioFile[kImage + 0x6F] = kByte6F;
        for (std::size_t a = 0x68; a < 0x77; ++a)
            if (a != 0x6F) radioFile[kImage + a] = 0xEE;
        writeAll(file("radio.frq"), radioFile);
    }
    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }

    // Runs the alignment against zavsim with the given faults; the radio's memory after it.
    ToolRun align(std::vector<std::string> faults, Bytes* memory = nullptr) {
        std::vector<std::string> args{"--memory", file("radio.frq"), "--dump-memory",
                                      file("after.bin")};
        args.insert(args.end(), faults.begin(), faults.end());
        SimProcess sim(args);
        EXPECT_FALSE(sim.device().empty());
        ToolRun run = runTool("syncal --port " + sim.device());
        EXPECT_EQ(sim.stop(), 0);
        if (memory != nullptr) *memory = readAll(file("after.bin"));
        return run;
    }

    QTemporaryDir dir;
    Bytes radioFile;
};

// The eight words of one mode at `base` (0x70 receiver, 0x68 transmitter) as the log
// reports them.
void expectWords(const Bytes& mem, std::size_t base, const ModeLog& log, unsigned char last) {
    const zav::FreqWord low = zav::encodeFrequency(log.lowFreq);
    const zav::FreqWord mid = zav::encodeFrequency(log.midFreq);
    EXPECT_EQ(mem[base + 0], low.hi);
    EXPECT_EQ(mem[base + 1], low.lo);
    EXPECT_EQ(mem[base + 2], mid.hi);
    EXPECT_EQ(mem[base + 3], mid.lo);
    // The log shows the slopes divided by 128 x 1.6, the offsets as they are packed.
    EXPECT_EQ(mem[base + 4], std::lround(log.lowerSlope * 128 * 1.6));
    EXPECT_EQ(mem[base + 5], std::lround(log.loOffset * 16 + log.hiOffset));
    EXPECT_EQ(mem[base + 6], std::lround(log.upperSlope * 128 * 1.6));
    EXPECT_EQ(mem[base + 7], last);
}

TEST_F(ZavtoolSyncalTest, AlignsReceiverAndTransmitterAndWritesTheLoggedResults) {
    Bytes mem;
    const ToolRun run = align({}, &mem);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("UHF Syncal: RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL"),
              std::string::npos)
        << run.output;
    const auto rx = parseMode(run.output, "RX");
    const auto tx = parseMode(run.output, "TX");
    ASSERT_TRUE(rx && tx) << run.output;
    EXPECT_LT(run.output.find("RX CALIBRATION"), run.output.find("TX CALIBRATION"));
    // Under the simulated synthesizer: receive low point D/A 50, mid point 30.
    EXPECT_EQ(rx->lowDac, 50);
    EXPECT_EQ(rx->midDac, 30);
    EXPECT_EQ(rx->loOffset, 8);
    EXPECT_EQ(rx->hiOffset, 10);

    ASSERT_EQ(mem.size(), 2048u);
    expectWords(mem, 0x70, *rx, kByte77);
    expectWords(mem, 0x68, *tx, kByte6F);
    // Nothing else in the radio changed.
    for (std::size_t a = 0; a < 2048; ++a) {
        if (a < 0x68 || a > 0x77) {
            ASSERT_EQ(mem[a], radioFile[kImage + a]) << a;
        }
    }
}

// A failed run ends non-zero, shows its message with the carriage return as a line break,
// and writes none of the sixteen result bytes.
void expectFailure(const ToolRun& run, const Bytes& mem, const Bytes& radioFile,
                   const std::string& message) {
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("Syncal Error: " + message +
                              "\nMake sure squelch knob is in the Code Guard position.\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find('\r'), std::string::npos);
    EXPECT_EQ(run.output.find("COMPLETE AND SUCCESSFUL"), std::string::npos);
    ASSERT_EQ(mem.size(), 2048u);
    for (std::size_t a = 0x68; a <= 0x77; ++a) EXPECT_EQ(mem[a], radioFile[kImage + a]) << a;
}

TEST_F(ZavtoolSyncalTest, ALockRangeBeyondTheBandEndsWithTheOutOfRangeMessage) {
    Bytes mem;
    const ToolRun run = align({"--synth-bow", "40"}, &mem);
    expectFailure(run, mem, radioFile, "FM out of range range.");
}

// Every probe waits its full half second for the answer that never comes: about 5 s.
TEST_F(ZavtoolSyncalTest, ASilentSynthesizerEndsWithTheNoSyncRangeMessage) {
    Bytes mem;
    const ToolRun run = align({"--synth-silent"}, &mem);
    expectFailure(run, mem, radioFile, "Unable to detect sync range.");
}

TEST_F(ZavtoolSyncalTest, NeedsAPort) {
    for (const char* args : {"syncal", "syncal --port", "syncal --port 1 extra"}) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.output.find("usage: zavtool syncal"), std::string::npos) << args;
    }
}

}  // namespace
