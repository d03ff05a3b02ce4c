// zavtool's radio commands run as a user would, against zavsim on a pseudo-terminal.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

const std::string kTool = std::string(ZAV_BINARY_DIR) + "/tools/zavtool";
const std::string kSim = std::string(ZAV_BINARY_DIR) + "/tools/zavsim";
constexpr std::size_t kImage = 56;  // image offset in a frequency file

struct Run {
    int status = -1;
    std::string output;
};

Run runTool(const std::string& arguments) {
    const std::string command = "'" + kTool + "' " + arguments + " 2>&1";
    Run run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 256> buf{};
    while (std::fgets(buf.data(), buf.size(), pipe) != nullptr) run.output += buf.data();
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

Bytes readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// zavsim running in the background; stopped (SIGTERM) and reaped on destruction.
class SimProcess {
  public:
    explicit SimProcess(std::vector<std::string> args) {
        int out[2];
        if (::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv{const_cast<char*>(kSim.c_str())};
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(kSim.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        char c = 0;
        while (::read(out[0], &c, 1) == 1 && c != '\n') device_ += c;
        ::close(out[0]);
    }
    ~SimProcess() { stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    [[nodiscard]] const std::string& device() const { return device_; }
    int stop() {
        if (pid_ <= 0) return -1;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    std::string device_;
};

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
    SimProcess sim({"--memory", file("radio.frq")});
    ASSERT_FALSE(sim.device().empty());
    const auto run = runTool("read-global --port " + sim.device() + " '" + file("x.frq") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    const Bytes after = readAll(file("x.frq"));
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        const bool global = i >= kImage && i < kImage + 128;
        ASSERT_EQ(after[i], global ? radioFile[i] : before[i]) << i;
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
