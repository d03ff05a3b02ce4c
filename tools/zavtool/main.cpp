#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "zavtool.h"

namespace {

// Ctrl-C or SIGTERM cancels the running transfer, which then releases the radio; a second one
// ends the program at once.
std::atomic<bool> interrupted{false};

extern "C" void interrupt(int /*signal*/) {
    interrupted = true;
}

}  // namespace

int main(int argc, char** argv) {
    struct sigaction action {};
    action.sa_handler = interrupt;
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    const std::vector<std::string> args(argv + 1, argv + argc);
    zav::tool::ToolIo io{std::cout, std::cerr};
    io.cancel = &interrupted;
    io.terminal = ::isatty(STDERR_FILENO) != 0;
    return zav::tool::run(args, io);
}
