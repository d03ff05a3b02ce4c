#pragma once
// Child processes for the benchmark: a program run to its end with its wall and CPU
// time, and a simulated radio served by zavsim for as long as the object lives.

#include <sys/types.h>

#include <string>
#include <vector>

namespace zav::bench {

struct RunResult {
    int exitCode = -1;  // -1 when it did not exit normally
    double wallMs = 0;
    double cpuMs = 0;  // user and system time of the child
};

// Runs argv[0] (a path) with its output on /dev/null, and waits for it.
RunResult runProgram(const std::vector<std::string>& argv);

// The editor started until it says its main window is shown (one line on its output),
// then left to close itself.
struct StartExit {
    double startMs = 0;  // process start to window shown
    double exitMs = 0;   // window shown to process end
    double cpuMs = 0;
    bool ok = false;
};
StartExit runEditorShownAndClosed(const std::vector<std::string>& argv);

// zavsim serving on a pseudo-terminal; stopped (SIGTERM) and awaited on destruction, so
// that its transcript is complete once the object is gone.
class SimulatedRadio {
  public:
    SimulatedRadio(const std::string& zavsim, const std::vector<std::string>& options);
    ~SimulatedRadio();
    SimulatedRadio(const SimulatedRadio&) = delete;
    SimulatedRadio& operator=(const SimulatedRadio&) = delete;
    SimulatedRadio(SimulatedRadio&& other) noexcept;
    SimulatedRadio& operator=(SimulatedRadio&&) = delete;

    // The device to open; empty when zavsim did not start.
    [[nodiscard]] const std::string& device() const { return device_; }

  private:
    pid_t pid_ = -1;
    std::string device_;
};

}  // namespace zav::bench
