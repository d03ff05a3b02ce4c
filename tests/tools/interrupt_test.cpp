// Ctrl-C in the middle of a write: zavtool cancels the transfer as the progress window's
// Cancel does, so the radio is released and the file it wrote from stays as it was.

#include <fcntl.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

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

std::size_t lineCount(const std::string& path) {
    std::ifstream in(path);
    return static_cast<std::size_t>(
        std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
}

TEST(ZavtoolInterrupt, CancelsAWriteReleasesTheRadioAndKeepsTheFile) {
    if (!std::filesystem::exists(kTool) || !std::filesystem::exists(kSim))
        GTEST_SKIP() << "zavtool or zavsim not built";
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("radio.frq")).toStdString();
    const std::string transcript = dir.filePath(QStringLiteral("line.txt")).toStdString();
    ASSERT_EQ(runTool("new '" + file + "'").status, 0);
    const Bytes before = readAll(file);
    int status = -1;
    {
        const SimProcess sim({"--pace", "--transcript", transcript});
        ASSERT_FALSE(sim.device().empty());
        const pid_t tool = ::fork();
        if (tool == 0) {
            const int devNull = ::open("/dev/null", O_WRONLY);
            ::dup2(devNull, STDOUT_FILENO);
            ::dup2(devNull, STDERR_FILENO);
            ::execl(kTool.c_str(), kTool.c_str(), "write", "--port", sim.device().c_str(),
                    file.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Well into the groups: the write program has been uploaded and blocks are going out.
        for (int i = 0; i < 200 && lineCount(transcript) < 1500; ++i)
            std::this_thread::sleep_for(50ms);
        ::kill(tool, SIGINT);
        ::waitpid(tool, &status, 0);
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_GE(lineCount(transcript), 1500u);
    EXPECT_EQ(lastHostByte(transcript), "01");  // the release
    EXPECT_EQ(readAll(file), before);
}

}  // namespace
