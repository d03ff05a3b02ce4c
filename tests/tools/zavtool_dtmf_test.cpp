// zavtool dtmf against zavsim on a pseudo-terminal: the live deviation write keeps the
// radio's own low bits of byte 0x6F and touches nothing else.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

#include "tool_process.h"

namespace {

namespace fs = std::filesystem;
using namespace zav::tooltest;

// zavsim serving `memory`, with the given faults; its memory is dumped to `dump` when it
// stops.
SimProcess startSim(const std::string& memory, const std::string& dump,
                    std::vector<std::string> faults = {}) {
    std::vector<std::string> args{"--memory", memory, "--dump-memory", dump};
    args.insert(args.end(), faults.begin(), faults.end());
    return SimProcess(std::move(args));
}

class ZavtoolDtmf : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kTool) || !fs::exists(kSim)) GTEST_SKIP() << "zavtool or zavsim not built";
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(runTool("new '" + path("radio.frq") + "'").status, 0);
        Bytes file = readAll(path("radio.frq"));
        for (std::size_t i = 0; i < 2048; ++i)
            file[kImage + i] = static_cast<unsigned char>(i * 7 + 3);
        file[kImage + 0x6E] = 0xA5;
        file[kImage + 0x6F] = 0x06;  // code 0, front porch 2, ANI rate 1
        std::ofstream(path("radio.frq"), std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()),
                   static_cast<std::streamsize>(file.size()));
        radio.assign(file.begin() + kImage, file.begin() + kImage + 2048);
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
    Bytes radio;  // the radio's memory before the run
};

TEST_F(ZavtoolDtmf, WritesTheCodeByIndexOrListText) {
    struct Case {
        const char* code;
        unsigned char expected;
        std::vector<std::string> faults;
    };
    // The last also when the first hook reply comes after the tool gave up on it.
    for (const Case& c : {Case{"6", 0x36, {}}, Case{"'Test 1'", 28 * 8 + 6, {}},
                          Case{"187.5", 0x0E, {"--late", "1:700"}}}) {
        SimProcess sim = startSim(path("radio.frq"), path("dump.bin"), c.faults);
        ASSERT_FALSE(sim.device().empty());
        const ToolRun run = runTool("dtmf --port " + sim.device() + " " + c.code);
        ASSERT_EQ(run.status, 0) << c.code << ": " << run.output;
        ASSERT_EQ(sim.stop(), 0);
        const Bytes after = readAll(path("dump.bin"));
        ASSERT_EQ(after.size(), 2048u);
        for (std::size_t i = 0; i < after.size(); ++i)
            ASSERT_EQ(after[i], i == 0x6F ? c.expected : radio[i]) << c.code << " byte " << i;
    }
}

TEST_F(ZavtoolDtmf, ASilentRadioFailsWithTheHookMessage) {
    SimProcess sim = startSim(path("radio.frq"), path("dump.bin"), {"--silent"});
    const ToolRun run = runTool("dtmf --port " + sim.device() + " 6");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Error Hooking to Radio."), std::string::npos) << run.output;
    ASSERT_EQ(sim.stop(), 0);
    EXPECT_EQ(readAll(path("dump.bin")), radio);
}

TEST_F(ZavtoolDtmf, ACodeOutsideTheListIsAUsageError) {
    for (const char* args :
         {"--port 1 32", "--port 1 -1", "--port 1 1125", "--port 1", "7", "--port 1 6 7"}) {
        const ToolRun run = runTool(std::string("dtmf ") + args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.output.find("usage: zavtool dtmf"), std::string::npos) << run.output;
    }
}

}  // namespace
