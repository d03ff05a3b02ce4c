#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "iface/progress.h"
#include "progress_line.h"
#include "zavtool.h"

namespace {

// Every signal that ends a program from outside cancels the running transfer at its next
// safe point, which then releases the radio: Ctrl-C (SIGINT), Ctrl-\ (SIGQUIT), kill
// (SIGTERM), and a terminal closed or an ssh connection dropped (SIGHUP). A step that
// cannot be stopped safely finishes first, and the handler says so at once. A second
// Ctrl-C, Ctrl-\ or SIGTERM ends the program there and then; a hangup may come twice (from
// the terminal and from the shell), so it never does. A closed output pipe (SIGPIPE)
// cancels too, quietly: later output fails instead of killing the program mid-transfer.
zav::CancelRequest cancelRequest;
std::atomic<int> stopRequests{0};
std::atomic<bool> outputClosed{false};
bool terminalErr = false;  // stderr takes the progress line's escape codes

constexpr std::string_view kFinishing =
    "finishing the write: it cannot be stopped safely; Ctrl-C again to abort\n";
// Back to the line's start and erase it: the progress line, or the terminal's "^C".
constexpr std::string_view kClearLine = "\r\x1b[K";

void say(std::string_view text) {
    // write() is safe in a signal handler; a terminal that hung up takes nothing.
    (void)!::write(STDERR_FILENO, text.data(), text.size());
}

extern "C" void onSignal(int signal) {
    if (signal == SIGPIPE) {
        outputClosed = true;
    } else if (signal != SIGHUP && stopRequests.fetch_add(1) > 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);  // delivered as the handler returns
        return;
    }
    cancelRequest.requested = true;
    if (signal != SIGPIPE && cancelRequest.unstoppableSteps > 0) {
        if (terminalErr) say(kClearLine);
        say(kFinishing);
    }
}

// Output lost to a full disk or a closed pipe fails the command: quietly for the pipe,
// whose reader has gone.
int checkOutput(int status) {
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
    const int error = errno;
    if (!outputClosed)
        std::cerr << "zavtool: cannot write the output: " << std::strerror(error) << "\n";
    return status == zav::tool::kExitDone ? zav::tool::kExitFailed : status;
}

}  // namespace

int main(int argc, char** argv) {
    terminalErr = zav::tool::takesEscapeCodes(STDERR_FILENO, std::getenv("TERM"));
    struct sigaction action {};
    action.sa_handler = onSignal;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE})
        sigaction(signal, &action, nullptr);

    const std::vector<std::string> args(argv + 1, argv + argc);
    zav::tool::ToolIo io{std::cout, std::cerr};
    io.cancel = &cancelRequest;
    io.terminal = terminalErr;
    return checkOutput(zav::tool::run(args, io));
}
