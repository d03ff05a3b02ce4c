#include <array>
#include <cstdio>
#include <iostream>
#include <string>

#include "commands.h"

namespace {

using zav::tool::Command;

constexpr std::array kCommands{
    Command{"new", "[--force] FILE.frq",
            "write a frequency file holding the default image (--force: replace an existing file)",
            zav::tool::cmdNew},
    Command{"read-global", "--port P [--retry N] FILE.frq",
            "read the radio's global block into FILE's image (bytes 0-127)",
            zav::tool::cmdReadGlobal},
    Command{"write-global", "--port P [--retry N] FILE.frq",
            "write FILE's global settings to the radio (only the writable bytes change)",
            zav::tool::cmdWriteGlobal},
};

void printHelp(std::ostream& out) {
    out << "usage: zavtool COMMAND [OPTIONS] ARGS\n\ncommands:\n";
    for (const auto& c : kCommands) {
        std::string head = "  " + std::string(c.name) + " " + std::string(c.usage);
        out << head << "\n      " << c.summary << "\n";
    }
    out << "\nA port (--port P) is a number 1 to 4 or a device path such as /dev/ttyUSB0.\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printHelp(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printHelp(std::cout);
        return 0;
    }
    for (const auto& c : kCommands) {
        if (c.name == name) {
            zav::tool::Args args(argv + 2, argv + argc);
            return c.run(args);
        }
    }
    std::cerr << "zavtool: unknown command '" << name << "'\n\n";
    printHelp(std::cerr);
    return 2;
}
