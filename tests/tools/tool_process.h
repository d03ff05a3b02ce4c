#pragma once
// Running the built zavtool as a user does, in a shell with its output collected, and
// zavsim in the background on a pseudo-terminal.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace zav::tooltest {

inline const std::string kTool = std::string(ZAV_BINARY_DIR) + "/tools/zavtool";
inline const std::string kSim = std::string(ZAV_BINARY_DIR) + "/tools/zavsim";

struct ToolRun {
    int status = -1;
    std::string output;  // stdout and stderr
};

// Runs zavtool with the arguments (shell words).
inline ToolRun runTool(const std::string& arguments) {
    ToolRun run;
    FILE* pipe = ::popen(("'" + kTool + "' " + arguments + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 512> buf{};
    for (std::size_t n = 0; (n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0;)
        run.output.append(buf.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
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
        for (char c = 0; ::read(out[0], &c, 1) == 1 && c != '\n';) device_ += c;
        ::close(out[0]);
    }
    ~SimProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    [[nodiscard]] const std::string& device() const { return device_; }

  private:
    pid_t pid_ = -1;
    std::string device_;
};

}  // namespace zav::tooltest
