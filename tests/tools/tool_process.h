#pragma once
// Running zavtool as a user does: the built program in a shell with its output collected
// (and zavsim in the background on a pseudo-terminal), or its run() in this process
// against a simulated radio on the virtual clock.

#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "iface/settings_store.h"
#include "model/document.h"
#include "sim/sim_radio.h"
#include "sim/synthesizer.h"
#include "sim/virtual_port.h"
#include "support/data_home.h"
#include "zavtool.h"

namespace zav::tooltest {

inline const std::string kTool = std::string(ZAV_BINARY_DIR) + "/tools/zavtool";
inline const std::string kSim = std::string(ZAV_BINARY_DIR) + "/tools/zavsim";

struct ToolRun {
    int status = -1;
    std::string output;  // stdout and stderr
};

// A shell command running in the background (an exec'd program gets the signals itself);
// the lines it prints are collected as they come (without their line feeds). Stopped (SIGTERM) and
// reaped on destruction unless it was waited for.
class BackgroundProcess {
  public:
    explicit BackgroundProcess(const std::string& command)
        : pipe_(::popen(("echo $$; " + command).c_str(), "r")) {
        std::array<char, 512> line{};
        if (pipe_ != nullptr && std::fgets(line.data(), line.size(), pipe_) != nullptr)
            pid_ = std::atoi(line.data());
        reader_ = std::thread([this, line]() mutable {
            while (pid_ > 0 && std::fgets(line.data(), line.size(), pipe_) != nullptr) {
                const std::lock_guard lock(mutex_);
                lines_.emplace_back(line.data(), std::strcspn(line.data(), "\n"));
                printed_.notify_all();
            }
        });
    }
    ~BackgroundProcess() {
        signal(SIGTERM);
        (void)finish();
    }
    // Waits up to `limit` for a line that `wanted` accepts; the first such line.
    template <typename Predicate>
    std::optional<std::string> waitForLine(Predicate wanted, std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex_);
        const auto found = [&] { return std::ranges::find_if(lines_, wanted); };
        if (!printed_.wait_for(lock, limit, [&] { return found() != lines_.end(); })) return {};
        return *found();
    }
    void signal(int number) const {
        if (pid_ > 0) ::kill(pid_, number);
    }
    // Waits for the end: the exit status (-1 when a signal ended it) and all it printed.
    ToolRun finish() {
        if (reader_.joinable()) reader_.join();
        const int status = pipe_ != nullptr ? ::pclose(std::exchange(pipe_, nullptr)) : -1;
        pid_ = -1;
        ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, {}};
        for (const std::string& line : lines_) run.output += line + "\n";
        return run;
    }

  private:
    FILE* pipe_;
    pid_t pid_ = -1;
    std::mutex mutex_;
    std::condition_variable printed_;
    std::vector<std::string> lines_;
    std::thread reader_;
};

// zavsim in the background: its first line names its device; then comes what it prints
// (a transcript sent to /dev/stdout).
struct SimProcess : BackgroundProcess {
    explicit SimProcess(const std::string& arguments)
        : BackgroundProcess("exec '" + kSim + "' " + arguments),
          device(waitForLine([](auto&) { return true; }, std::chrono::seconds(10)).value_or("")) {}
    std::string device;
};

// A shell command run to its end, its standard output and error collected together.
inline ToolRun shell(const std::string& command) {
    test::isolateDataHome();
    return BackgroundProcess("{ " + command + "; } 2>&1").finish();
}

// Runs zavtool with the arguments (shell words), after `prefix` (such as a ulimit) in its
// shell, to its end, or for a minute at most (a run that hangs fails, with status 124).
inline ToolRun runTool(const std::string& arguments, const std::string& prefix = "") {
    return shell(prefix + "exec timeout 60 '" + kTool + "' " + arguments);
}

// The default image in the radio's memory, with the band 450 to 512 MHz.
inline void loadDefaults(sim::SimRadio& radio) {
    const Document defaults;
    std::copy_n(defaults.mem.begin(), radio.memory().size(), radio.memory().begin());
    sim::setBandData(radio.memory());
}

// zavtool's run() with the arguments (blank-separated words) in this process, its port
// the radio (an idle one when none is given).
// Its radio history is `history` (empty: the test program's own).
inline ToolRun runInProcess(const std::string& arguments, sim::SimRadio* radio = nullptr,
                            const std::string& history = {}) {
    test::isolateDataHome();
    std::istringstream in(arguments);
    std::vector<std::string> args;
    for (std::string word; in >> word;) args.push_back(word);
    sim::SimRadio idle;
    sim::VirtualPort port(radio != nullptr ? *radio : idle);
    std::ostringstream out;
    MemorySettingsStore devices;
    tool::ToolIo io{out, out, &port, &devices};
    io.historyFolder = history;
    const int status = tool::run(args, io);
    return {status, out.str()};
}

inline std::vector<std::string> conversation(const sim::SimRadio& radio) {
    std::vector<std::string> lines;
    for (const auto& e : radio.transcript().entries()) lines.push_back(sim::formatEntry(e));
    return lines;
}

}  // namespace zav::tooltest
