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
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "iface/settings_store.h"
#include "model/document.h"
#include "sim/sim_radio.h"
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

// Runs zavtool with the arguments (shell words), under `wrapper` (a command such as timeout).
inline ToolRun runTool(const std::string& arguments, const std::string& wrapper = "") {
    test::isolateDataHome();
    ToolRun run;
    FILE* pipe = ::popen((wrapper + " '" + kTool + "' " + arguments + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 512> buf{};
    for (std::size_t n = 0; (n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0;)
        run.output.append(buf.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// zavsim running in the background; stopped (SIGTERM) and reaped on destruction. What it
// prints after its device (a transcript sent to /dev/stdout) is collected as it comes.
class SimProcess {
  public:
    // The shell names its process, which then becomes zavsim, which names its device.
    explicit SimProcess(const std::string& arguments)
        : pipe_(::popen(("echo $$; exec '" + kSim + "' " + arguments).c_str(), "r")) {
        std::array<char, 256> device{};
        if (pipe_ == nullptr || std::fscanf(pipe_, "%d %255s", &pid_, device.data()) != 2) return;
        device_ = device.data();
        reader_ = std::thread([this] {
            std::array<char, 512> line{};
            while (std::fgets(line.data(), line.size(), pipe_) != nullptr) {
                const std::lock_guard lock(mutex_);
                lines_.emplace_back(line.data());
                printed_.notify_all();
            }
        });
    }
    ~SimProcess() {
        if (pid_ > 0) ::kill(pid_, SIGTERM);
        if (reader_.joinable()) reader_.join();
        if (pipe_ != nullptr) ::pclose(pipe_);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    [[nodiscard]] const std::string& device() const { return device_; }
    // Waits up to `limit` for a line that `wanted` accepts.
    template <typename Predicate>
    bool waitForLine(Predicate wanted, std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex_);
        return printed_.wait_for(lock, limit, [&] { return std::ranges::any_of(lines_, wanted); });
    }

  private:
    FILE* pipe_;
    pid_t pid_ = -1;
    std::string device_;
    std::mutex mutex_;
    std::condition_variable printed_;
    std::vector<std::string> lines_;
    std::thread reader_;
};

// The default image in the radio's memory.
inline void loadDefaults(sim::SimRadio& radio) {
    const Document defaults;
    std::copy_n(defaults.mem.begin(), radio.memory().size(), radio.memory().begin());
}

// zavtool's run() with the arguments (blank-separated words) in this process, its port
// the radio (an idle one when none is given), its radio history `history` (empty: the
// test program's own).
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
