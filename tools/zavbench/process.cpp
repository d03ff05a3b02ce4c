#include "process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <utility>

extern char** environ;

namespace zav::bench {

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cpuMs(const rusage& usage) {
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Starts argv with stdout on `out` (or /dev/null when -1) and stderr on /dev/null.
pid_t spawn(const std::vector<std::string>& argv, int out) {
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions{};
    posix_spawn_file_actions_init(&actions);
    if (out >= 0)
        posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int exitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The first line `fd` carries (without its newline).
std::string readLine(int fd) {
    std::string line;
    char c = 0;
    while (::read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

}  // namespace

RunResult runProgram(const std::vector<std::string>& argv) {
    RunResult r;
    const auto start = Clock::now();
    const pid_t pid = spawn(argv, -1);
    if (pid < 0) return r;
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    r.wallMs = msSince(start);
    r.cpuMs = cpuMs(usage);
    r.exitCode = exitCode(status);
    return r;
}

StartExit runEditorShownAndClosed(const std::vector<std::string>& argv) {
    StartExit r;
    std::array<int, 2> pipe{};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0) return r;
    const auto start = Clock::now();
    const pid_t pid = spawn(argv, pipe[1]);
    ::close(pipe[1]);
    if (pid < 0) {
        ::close(pipe[0]);
        return r;
    }
    const bool shown = readLine(pipe[0]) == "shown";
    r.startMs = msSince(start);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    r.exitMs = msSince(start) - r.startMs;
    r.cpuMs = cpuMs(usage);
    ::close(pipe[0]);
    r.ok = shown && exitCode(status) == 0;
    return r;
}

SimulatedRadio::SimulatedRadio(const std::string& zavsim, const std::vector<std::string>& options) {
    std::array<int, 2> pipe{};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0) return;
    std::vector<std::string> argv{zavsim};
    argv.insert(argv.end(), options.begin(), options.end());
    pid_ = spawn(argv, pipe[1]);
    ::close(pipe[1]);
    if (pid_ >= 0) device_ = readLine(pipe[0]);
    ::close(pipe[0]);
}

SimulatedRadio::SimulatedRadio(SimulatedRadio&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), device_(std::move(other.device_)) {}

SimulatedRadio::~SimulatedRadio() {
    if (pid_ < 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
}

}  // namespace zav::bench
