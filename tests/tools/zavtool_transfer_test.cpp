// zavtool's whole-radio, group and label transfers end to end: the real serial
// transport against zavsim on a pseudo-terminal.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tool_process.h"

namespace {

namespace fs = std::filesystem;
using namespace zav::tooltest;

class ZavtoolTransferTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kTool) || !fs::exists(kSim)) GTEST_SKIP() << "zavtool or zavsim not built";
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(runTool("new '" + file("default.frq") + "'").status, 0);
        defaultFile = readAll(file("default.frq"));
        ASSERT_EQ(defaultFile.size(), kFileSize);
        // The radio: random memory with every group present, random labels.
        radioFile = defaultFile;
        std::mt19937 rng(17);
        for (std::size_t i = kImage; i < kImage + 2048; ++i)
            radioFile[i] = static_cast<unsigned char>(rng());
        for (std::size_t i = 80; i < 88; ++i) radioFile[kImage + i] = 0x88;
        for (std::size_t i = kLabels; i < kFileSize; ++i)
            radioFile[i] = static_cast<unsigned char>(rng());
        writeAll(file("radio.frq"), radioFile);
    }
    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string quoted(const char* name) const { return "'" + file(name) + "'"; }
    SimProcess startSim(std::vector<std::string> faults = {}) {
        std::vector<std::string> args{"--memory", file("radio.frq"), "--dump-memory",
                                      file("dump.bin")};
        args.insert(args.end(), faults.begin(), faults.end());
        return SimProcess(args);
    }

    QTemporaryDir dir;
    Bytes defaultFile;
    Bytes radioFile;
};

TEST_F(ZavtoolTransferTest, AWholeReadWithLabelsGivesTheRadioOnTheDefaults) {
    SimProcess sim = startSim();
    ASSERT_FALSE(sim.device().empty());
    const auto run = runTool("read --labels --port " + sim.device() + " " + quoted("out.frq"));
    ASSERT_EQ(run.status, 0) << run.output;
    const Bytes out = readAll(file("out.frq"));
    ASSERT_EQ(out.size(), kFileSize);
    // Header and spare byte as a new file has them; memory and labels the radio's.
    Bytes expected = radioFile;
    expected[kImage + 2048] = defaultFile[kImage + 2048];
    EXPECT_EQ(out, expected);
}

TEST_F(ZavtoolTransferTest, AWholeWriteChangesOnlyWhatTheMasksAllowAndNotItsInput) {
    Bytes changed = radioFile;
    std::mt19937 rng(3);
    for (std::size_t i = 0; i < 2048; ++i)
        if (i < 80 || i >= 88) changed[kImage + i] = static_cast<unsigned char>(rng());
    writeAll(file("changed.frq"), changed);
    {
        SimProcess sim = startSim();
        const auto run = runTool("write --port " + sim.device() + " " + quoted("changed.frq"));
        ASSERT_EQ(run.status, 0) << run.output;
    }
    EXPECT_EQ(readAll(file("changed.frq")), changed);
    const Bytes dump = readAll(file("dump.bin"));
    ASSERT_EQ(dump.size(), 2048u);
    for (std::size_t a = 0; a < 2048; ++a) {
        unsigned mask = 0xFF;
        if (a < 128)
            mask = (a == 96 || a == 97 || a == 98 || a == 111) ? 0xFF : a == 119 ? 0xF9 : 0x00;
        else if (a % 128 >= 8 && a % 128 < 16)
            mask = 0x00;
        const unsigned expected =
            (changed[kImage + a] & mask) | (radioFile[kImage + a] & ~mask & 0xFFu);
        ASSERT_EQ(dump[a], expected) << "address " << a;
    }
}

TEST_F(ZavtoolTransferTest, ALabelRoundTripOfOneGroupTouchesOnlyThatGroup) {
    // Labels of group 3 written from one file come back into another file's copy.
    Bytes mine = defaultFile;
    for (std::size_t i = kLabels; i < kFileSize; ++i) mine[i] = static_cast<unsigned char>(i * 5);
    writeAll(file("mine.frq"), mine);
    Bytes other = defaultFile;
    other[52] = 0x7E;  // a header byte the editor does not check
    other[kImage + 2048] = 0x5A;
    writeAll(file("other.frq"), other);
    SimProcess sim = startSim();
    auto run = runTool("write-labels --group 3 --port " + sim.device() + " " + quoted("mine.frq"));
    ASSERT_EQ(run.status, 0) << run.output;
    run = runTool("read-labels --group 3 --port " + sim.device() + " " + quoted("other.frq"));
    ASSERT_EQ(run.status, 0) << run.output;
    const Bytes back = readAll(file("other.frq"));
    ASSERT_EQ(back.size(), kFileSize);
    for (std::size_t i = 0; i < kFileSize; ++i) {
        // Group index 2 is the fastest-varying index of the label image.
        const bool group3 = i >= kLabels && (i - kLabels) % 15 == 2;
        ASSERT_EQ(back[i], group3 ? mine[i] : other[i]) << i;
    }
}

TEST_F(ZavtoolTransferTest, ReadGroupPatchesOnlyItsBlockAndKeepsTheRestOfTheFile) {
    Bytes mine = defaultFile;
    mine[50] = 0x11;
    mine.push_back(0xEE);  // trailing bytes stay too
    writeAll(file("mine.frq"), mine);
    SimProcess sim = startSim();
    const auto run =
        runTool("read-group --group 5 --port " + sim.device() + " " + quoted("mine.frq"));
    ASSERT_EQ(run.status, 0) << run.output;
    const Bytes back = readAll(file("mine.frq"));
    ASSERT_EQ(back.size(), mine.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        const bool block5 = i >= kImage + 640 && i < kImage + 768;
        ASSERT_EQ(back[i], block5 ? radioFile[i] : mine[i]) << i;
    }
}

TEST_F(ZavtoolTransferTest, ADroppedSegmentByteFailsTheReadAndLeavesTheFile) {
    writeAll(file("out.frq"), defaultFile);
    SimProcess sim = startSim({"--drop-segment-byte", "600"});
    const auto run = runTool("read --port " + sim.device() + " " + quoted("out.frq"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("COMM ERROR: Error reading radio"), std::string::npos) << run.output;
    EXPECT_EQ(readAll(file("out.frq")), defaultFile);
}

TEST_F(ZavtoolTransferTest, ABadAcknowledgementFailsTheWrite) {
    SimProcess sim = startSim({"--bad-ack", "3"});
    const auto run =
        runTool("write --skip-global --port " + sim.device() + " " + quoted("radio.frq"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Write Failed. Cycle Radio Power before Retrying."),
              std::string::npos)
        << run.output;
}

TEST_F(ZavtoolTransferTest, AGroupOutsideOneTo15IsAUsageError) {
    for (const char* g : {"0", "16", "x"}) {
        const auto run =
            runTool(std::string("read-group --group ") + g + " --port 1 " + quoted("x.frq"));
        EXPECT_EQ(run.status, 2) << g;
        EXPECT_NE(run.output.find("--group takes a group number 1 to 15"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(file("x.frq")));
}

}  // namespace
