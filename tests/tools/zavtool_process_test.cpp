// The built zavtool as a user runs it: its help, its usage errors and exit statuses, and
// a round trip through zavsim on a pseudo-terminal.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QTemporaryDir>
#include <csignal>
#include <filesystem>

#include "tool_process.h"

namespace {

using namespace zav::tooltest;

class Zavtool : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(kTool) || !std::filesystem::exists(kSim))
            GTEST_SKIP() << "zavtool or zavsim not built";
        ASSERT_TRUE(dir.isValid());
    }
    [[nodiscard]] std::string path(const char* name) const {
        return dir.filePath(QString::fromLatin1(name)).toStdString();
    }
    [[nodiscard]] std::string file(const char* name) const { return "'" + path(name) + "'"; }
    QTemporaryDir dir;
};

TEST_F(Zavtool, AnswersHelpVersionAndUsageErrorsWithTheirExitStatus) {
    struct Case {
        std::string args;
        int status;
        const char* shows;
    };
    const std::vector<Case> cases{
        {"", 2, "usage: zavtool COMMAND"},
        {"--help", 0, "  2  usage error"},
        {"--version", 0, "zavtool 1."},
        {"frob", 2, "unknown command 'frob'"},
        {"write-group --help", 0, "--labels          transfer the labels too"},
        {"read-group --port=1 --group=16 x.frq", 2, "--group takes a group number 1 to 15"},
        {"write-group --port 1 x.frq", 2, "--group is required"},
        {"dtmf --port 1 1125", 2, "'1125' is not a deviation code"},
        {"print x.frq --pdf a.pdf --pdf b.pdf", 2, "--pdf is given twice"},
        {"dump a.frq b.frq", 2, "unexpected 'b.frq'"},
        {"new", 2, "usage: zavtool new [--force] FILE.frq"},
        {"dump " + file("missing.frq"), 1, "File not found"},
        {"new " + file("no/such/x.frq"), 1, "Path not found"},
        {"read --port 1 /dev/null", 1, "/dev/null exists (use --force to replace it)"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.output;
        EXPECT_NE(run.output.find(c.shows), std::string::npos) << c.args << "\n" << run.output;
    }
}

TEST_F(Zavtool, WritesAFileAndReadsItBackThroughTheSimulatedRadio) {
    ASSERT_EQ(runTool("new " + file("radio.frq")).status, 0);
    ASSERT_EQ(runTool("new " + file("mine.frq")).status, 0);
    Bytes mine = readAll(path("mine.frq"));
    mine[56 + 3 * 128 + 20] ^= 0x5A;  // a byte of group 3's channels
    std::ofstream(path("mine.frq"), std::ios::binary)
        .write(reinterpret_cast<const char*>(mine.data()),
               static_cast<std::streamsize>(mine.size()));
    SimProcess sim({"--memory", path("radio.frq")});
    ASSERT_FALSE(sim.device().empty());
    const std::string port = " --port=" + sim.device() + " ";

    const ToolRun written = runTool("write" + port + file("mine.frq"));
    ASSERT_EQ(written.status, 0) << written.output;
    const ToolRun read = runTool("read" + port + file("back.frq"));
    ASSERT_EQ(read.status, 0) << read.output;
    EXPECT_EQ(readAll(path("back.frq")), mine);

    const ToolRun dump = runTool("dump " + file("back.frq"));
    EXPECT_EQ(dump.status, 0);
    EXPECT_NE(dump.output.find("Group 15 Data"), std::string::npos) << dump.output;
    const ToolRun pdf = runTool("print " + file("back.frq") + " --pdf " + file("back.pdf"));
    EXPECT_EQ(pdf.status, 0) << pdf.output;
    const Bytes document = readAll(path("back.pdf"));
    EXPECT_EQ(std::string(document.begin(),
                          document.begin() + std::min<std::ptrdiff_t>(5, std::ssize(document))),
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
    EXPECT_EQ(readAll(path("back.pdf")), document);
}

TEST_F(Zavtool, ASilentRadioFailsAfterTheHookMessageAndLeavesTheFile) {
    ASSERT_EQ(runTool("new " + file("x.frq")).status, 0);
    const Bytes before = readAll(path("x.frq"));
    SimProcess sim({"--silent"});
    const ToolRun run = runTool("read-global --port " + sim.device() + " " + file("x.frq"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("COMM ERROR: Error Hooking to Radio."), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("x.frq is unchanged"), std::string::npos) << run.output;
    EXPECT_EQ(readAll(path("x.frq")), before);
}

}  // namespace
