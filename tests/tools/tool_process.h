#pragma once
// Running the built zavtool and zavsim from a test: zavtool in a shell with its output
// collected, zavsim in the background on a pseudo-terminal.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zav::tooltest {

inline const std::string kTool = std::string(ZAV_BINARY_DIR) + "/tools/zavtool";
inline const std::string kSim = std::string(ZAV_BINARY_DIR) + "/tools/zavsim";

using Bytes = std::vector<unsigned char>;

// Where a frequency file keeps its parts, written out here rather than taken from the
// code under test.
inline constexpr std::size_t kImage = 56;
inline constexpr std::size_t kLabels = 2105;
inline constexpr std::size_t kFileSize = 4025;

struct ToolRun {
    int status = -1;
    std::string output;
};

// Runs zavtool with the arguments (shell words); output is stdout, with stderr too when
// withErrors is set.
inline ToolRun runTool(const std::string& arguments, bool withErrors = true) {
    const std::string command =
        "'" + kTool + "' " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    ToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 512> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) run.output.append(buf.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

inline std::string shellWord(const std::string& path) {
    return "'" + path + "'";
}

inline Bytes readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeAll(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline bool toolsBuilt() {
    return std::filesystem::exists(kTool) && std::filesystem::exists(kSim);
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
        // The first line is the device to open.
        char c = 0;
        while (::read(out[0], &c, 1) == 1 && c != '\n') device_ += c;
        ::close(out[0]);
    }
    ~SimProcess() { stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    [[nodiscard]] const std::string& device() const { return device_; }
    // Stops the radio; its exit status (it writes --dump-memory on the way out).
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

}  // namespace zav::tooltest
