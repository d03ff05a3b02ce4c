// Ctrl-C in the middle of a write: zavtool cancels the transfer as the progress window's
// Cancel does, so the radio is released and the file it wrote from stays as it was. (A
// whole-radio write, like the progress window's, runs to its end.)

#include <fcntl.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/temp_dir.h"
#include "tool_process.h"

namespace {

using namespace zav::tooltest;
using namespace std::chrono_literals;

std::string lastHostByte(const std::string& transcriptPath) {
    std::ifstream in(transcriptPath);
    std::string line;
    std::string last;
    while (std::getline(in, line)) {
        const auto at = line.find("host->radio  ");
        if (at != std::string::npos) last = line.substr(at + 13, 2);
    }
    return last;
}

TEST(ZavtoolInterrupt, CancelsAGlobalWriteReleasesTheRadioAndKeepsTheFile) {
    if (!std::filesystem::exists(kTool) || !std::filesystem::exists(kSim))
        GTEST_SKIP() << "zavtool or zavsim not built";
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("radio.frq")).toStdString();
    const std::string transcript = dir.filePath(QStringLiteral("line.txt")).toStdString();
    ASSERT_EQ(runTool("new '" + file + "'").status, 0);
    const auto before = zav::test::readBytes(file);
    const std::string errors = dir.filePath(QStringLiteral("err.txt")).toStdString();
    int status = -1;
    {
        // Slow replies stretch the global write to several seconds.
        const SimProcess sim({"--pace", "--slow", "100", "--transcript", transcript});
        ASSERT_FALSE(sim.device().empty());
        const pid_t tool = ::fork();
        if (tool == 0) {
            const int out = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
            ::execl(kTool.c_str(), kTool.c_str(), "write-global", "--port", sim.device().c_str(),
                    file.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::this_thread::sleep_for(1500ms);  // well inside the write
        ::kill(tool, SIGINT);
        ::waitpid(tool, &status, 0);
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream in(errors);
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find("zavtool write-global: cancelled"), std::string::npos) << said;
    EXPECT_EQ(lastHostByte(transcript), "01");  // the release
    EXPECT_EQ(zav::test::readBytes(file), before);
}

}  // namespace
