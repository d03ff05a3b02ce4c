// The built zavtool's own contract: its exit statuses (0 done, 1 failed, 2 usage error),
// its usage texts, the files it writes, through zavsim on a pseudo-terminal, and Ctrl-C.
// How the link meets a faulty radio is the link tests' business.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"
#include "tool_process.h"

namespace {

using namespace zav::tooltest;

class Zavtool : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(kTool) || !std::filesystem::exists(kSim))
            GTEST_SKIP() << "zavtool or zavsim not built";
    }
    [[nodiscard]] std::string file(const char* name) const { return "'" + dir.file(name) + "'"; }
    zav::test::TempDir dir;
};

TEST_F(Zavtool, AnswersHelpVersionAndUsageErrorsWithTheirExitStatus) {
    ASSERT_EQ(runTool("new " + file("x.frq")).status, 0);
    const auto before = zav::test::readBytes(dir.file("x.frq"));
    const std::pair<std::string, int> cases[] = {
        {"", 2},
        {"--help", 0},
        {"--version", 0},
        {"frob", 2},
        {"write-group --help", 0},
        {"read-group --port=1 --group=16 x.frq", 2},
        {"write-group --port=1 --group=0 x.frq", 2},
        {"write-group --port 1 x.frq", 2},
        {"dtmf --port 1 1125", 2},
        {"dump a.frq b.frq", 2},
        {"print x.frq --pdf a.pdf --pdf b.pdf", 2},
        {"new", 2},
        {"dump " + file("missing.frq"), 1},
        {"new " + file("no/such/x.frq"), 1},
        // Group 15 is a group: the command runs and fails only at the port.
        {"read-group --port /dev/zav-no-such-port --group 15 " + file("x.frq"), 1},
    };
    for (const auto& [args, status] : cases) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, status) << args << "\n" << run.output;
        // A usage error names the usage; help names the exit statuses.
        const bool named = run.output.find("usage: zavtool ") != std::string::npos;
        EXPECT_TRUE(status != 2 || named) << args << "\n" << run.output;
    }
    EXPECT_NE(runTool("--help").output.find("2  usage error"), std::string::npos);
    // read makes a new file: an existing one needs --force, asked before any radio talk.
    const ToolRun read = runTool("read --port /dev/zav-no-such-port " + file("x.frq"));
    EXPECT_EQ(read.status, 1);
    EXPECT_NE(read.output.find("exists (use --force to replace it)"), std::string::npos);
    EXPECT_EQ(zav::test::readBytes(dir.file("x.frq")), before);  // a failed read leaves it
}

TEST_F(Zavtool, WritesAFileAndReadsItBackThroughTheSimulatedRadio) {
    ASSERT_EQ(runTool("new " + file("radio.frq")).status, 0);
    ASSERT_EQ(runTool("new " + file("mine.frq")).status, 0);
    auto mine = zav::test::readBytes(dir.file("mine.frq"));
    mine[56 + 3 * 128 + 20] ^= 0x5A;  // a byte of group 3's channels
    zav::test::writeBytes(dir.file("mine.frq"), mine);
    SimProcess sim({"--memory", dir.file("radio.frq")});
    ASSERT_FALSE(sim.device().empty());
    const std::string port = " --port=" + sim.device() + " ";

    ASSERT_EQ(runTool("write" + port + file("mine.frq")).status, 0);
    ASSERT_EQ(runTool("read" + port + file("back.frq")).status, 0);
    EXPECT_EQ(zav::test::readBytes(dir.file("back.frq")), mine);
    const ToolRun dump = runTool("dump " + file("back.frq"));
    EXPECT_EQ(dump.status, 0);
    EXPECT_NE(dump.output.find("Group 15"), std::string::npos) << dump.output;
    EXPECT_EQ(runTool("print " + file("back.frq") + " --pdf " + file("back.pdf")).status, 0);
    const auto pdf = zav::test::readBytes(dir.file("back.pdf"));
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + std::min<std::ptrdiff_t>(5, std::ssize(pdf))),
              "%PDF-");

    // A PDF that cannot be written whole fails the command and leaves the old one.
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{1024, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed tool
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const ToolRun full = runTool("print " + file("back.frq") + " --pdf " + file("back.pdf"));
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(full.status, 1) << full.output;
    EXPECT_EQ(zav::test::readBytes(dir.file("back.pdf")), pdf);
}

// Ctrl-C in the middle of a write cancels the transfer as the progress window's Cancel
// does: the radio is released and the file written from stays as it was.
TEST_F(Zavtool, CtrlCCancelsAGlobalWriteReleasesTheRadioAndKeepsTheFile) {
    ASSERT_EQ(runTool("new " + file("radio.frq")).status, 0);
    const auto before = zav::test::readBytes(dir.file("radio.frq"));
    int status = -1;
    {
        // Slow replies stretch the global write to several seconds.
        const SimProcess sim({"--pace", "--slow", "100", "--transcript", dir.file("line.txt")});
        ASSERT_FALSE(sim.device().empty());
        const pid_t tool = ::fork();
        if (tool == 0) {
            const int out = ::open(dir.file("out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
            ::execl(kTool.c_str(), kTool.c_str(), "write-global", "--port", sim.device().c_str(),
                    dir.file("radio.frq").c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // well inside the write
        ::kill(tool, SIGINT);
        ::waitpid(tool, &status, 0);
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const auto said = zav::test::readBytes(dir.file("out.txt"));
    EXPECT_NE(std::string(said.begin(), said.end()).find("zavtool write-global: cancelled"),
              std::string::npos);
    const auto line = zav::test::readBytes(dir.file("line.txt"));
    const std::string transcript(line.begin(), line.end());
    const auto last = transcript.rfind("host->radio  ");
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(transcript.substr(last + 13, 2), "01");  // the release
    EXPECT_EQ(zav::test::readBytes(dir.file("radio.frq")), before);
}

}  // namespace
