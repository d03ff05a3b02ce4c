// zavtool dtmf against zavsim on a pseudo-terminal: the live deviation write keeps the
// radio's own low bits of byte 0x6F and touches nothing else.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <array>
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

struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun runTool(const std::string& arguments) {
    const std::string command = "'" + kTool + "' " + arguments + " 2>&1";
    ToolRun run;
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

// zavsim in the background, serving `memory`; its memory is dumped to `dump` when it stops.
class Sim {
  public:
    Sim(const std::string& memory, const std::string& dump, bool silent = false) {
        int out[2];
        if (::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<std::string> args{kSim, "--memory", memory, "--dump-memory", dump};
            if (silent) args.emplace_back("--silent");
            std::vector<char*> argv;
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
    ~Sim() { stop(); }
    Sim(const Sim&) = delete;
    Sim& operator=(const Sim&) = delete;
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
    };
    for (const Case c : {Case{"6", 0x36}, Case{"'Test 1'", 28 * 8 + 6}, Case{"187.5", 0x0E}}) {
        Sim sim(path("radio.frq"), path("dump.bin"));
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
    Sim sim(path("radio.frq"), path("dump.bin"), true);
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
