// zavtool's radio commands run as a user would, against zavsim on a pseudo-terminal.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tool_process.h"

namespace {

namespace fs = std::filesystem;
using namespace zav::tooltest;

class ZavtoolRadioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kTool) || !fs::exists(kSim)) GTEST_SKIP() << "zavtool or zavsim not built";
        ASSERT_TRUE(dir.isValid());
        // The radio's memory: a frequency file whose image holds a pattern.
        ASSERT_EQ(runTool("new '" + file("radio.frq") + "'").status, 0);
        radioFile = readAll(file("radio.frq"));
        for (std::size_t i = 0; i < 2048; ++i)
            radioFile[kImage + i] = static_cast<unsigned char>(i * 7 + 3);
        writeAll(file("radio.frq"), radioFile);
    }
    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
    Bytes radioFile;
};

TEST_F(ZavtoolRadioTest, ReadGlobalFillsTheGlobalBlockOfTheFile) {
    ASSERT_EQ(runTool("new '" + file("x.frq") + "'").status, 0);
    const Bytes before = readAll(file("x.frq"));
    // Also when the first hook reply comes after the tool gave up on it.
    for (const std::string late : {"", "1:700"}) {
        std::vector<std::string> args{"--memory", file("radio.frq")};
        if (!late.empty()) args.insert(args.end(), {"--late", late});
        SimProcess sim(std::move(args));
        ASSERT_FALSE(sim.device().empty());
        const auto run = runTool("read-global --port " + sim.device() + " '" + file("x.frq") + "'");
        ASSERT_EQ(run.status, 0) << late << run.output;
        const Bytes after = readAll(file("x.frq"));
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            const bool global = i >= kImage && i < kImage + 128;
            ASSERT_EQ(after[i], global ? radioFile[i] : before[i]) << late << " byte " << i;
        }
    }
}

TEST_F(ZavtoolRadioTest, WriteGlobalChangesOnlyTheWritableBytesOnTheRadio) {
    Bytes image = readAll(file("radio.frq"));
    for (std::size_t i = 0; i < 2049; ++i) image[kImage + i] = 0xFF;
    writeAll(file("w.frq"), image);
    SimProcess sim({"--pace", "--memory", file("radio.frq"), "--dump-memory", file("dump.bin")});
    const auto run = runTool("write-global --port " + sim.device() + " '" + file("w.frq") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    ASSERT_EQ(sim.stop(), 0);
    const Bytes radio = readAll(file("dump.bin"));
    ASSERT_EQ(radio.size(), 2048u);
    for (std::size_t i = 0; i < 2048; ++i) {
        unsigned char expected = radioFile[kImage + i];
        if (i == 96 || i == 97 || i == 98 || i == 111) expected = 0xFF;
        if (i == 119) expected = static_cast<unsigned char>(0xF9 | (expected & 0x06));
        ASSERT_EQ(radio[i], expected) << i;
    }
}

TEST_F(ZavtoolRadioTest, ASilentRadioEndsNonZeroAfterTheMessageAndLeavesTheFile) {
    writeAll(file("x.frq"), radioFile);
    SimProcess sim({"--silent"});
    const auto start = std::chrono::steady_clock::now();
    const auto run = runTool("read-global --port " + sim.device() + " '" + file("x.frq") + "'");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("COMM ERROR: Error Hooking to Radio."), std::string::npos)
        << run.output;
    EXPECT_EQ(readAll(file("x.frq")), radioFile);
}

TEST_F(ZavtoolRadioTest, RetryAnswersTheQuestionTheGivenNumberOfTimes) {
    SimProcess sim({"--hook-reply", "23"});
    const auto run =
        runTool("write-global --retry 2 --port " + sim.device() + " '" + file("radio.frq") + "'");
    EXPECT_NE(run.status, 0);
    std::size_t questions = 0;
    for (std::size_t p = 0;
         (p = run.output.find("Error Hooking to Radio.", p)) != std::string::npos; ++p)
        ++questions;
    EXPECT_EQ(questions, 3u) << run.output;
}

TEST_F(ZavtoolRadioTest, AnAbsentPortIsReported) {
    const auto run = runTool("read-global --port /dev/zav-absent '" + file("x.frq") + "'");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("Unable to open Comm Port"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(file("x.frq")));
}

TEST_F(ZavtoolRadioTest, WrongArgumentsShowTheUsage) {
    for (const char* args :
         {"read-global x.frq", "read-global --port 1", "write-global --port 1 --retry x f.frq"}) {
        const auto run = runTool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.output.find("usage:"), std::string::npos) << args;
    }
}

}  // namespace
