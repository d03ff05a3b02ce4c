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
            zav::tool::newCommand},
    Command{"read-global", "--port P [--retry N] FILE.frq",
            "read the radio's global block into FILE's image (bytes 0-127)",
            zav::tool::readGlobalCommand},
    Command{"write-global", "--port P [--retry N] FILE.frq",
            "write FILE's global settings to the radio (only the writable bytes change)",
            zav::tool::writeGlobalCommand},
    Command{"read", "--port P [--retry N] [--labels] OUT.frq",
            "read the whole radio (and with --labels its labels) into a new file OUT",
            zav::tool::readCommand},
    Command{"read-group", "--port P [--retry N] --group G FILE.frq",
            "read group G (1-15) into FILE, keeping the rest of it (a missing FILE starts "
            "from the defaults)",
            zav::tool::readGroupCommand},
    Command{"write", "--port P [--retry N] [--skip-global] [--labels] FILE.frq",
            "write FILE's groups (and its global settings unless --skip-global) to the radio",
            zav::tool::writeCommand},
    Command{"write-group", "--port P [--retry N] --group G [--labels] FILE.frq",
            "write group G (1-15) of FILE (and with --labels its labels) to the radio",
            zav::tool::writeGroupCommand},
    Command{"read-labels", "--port P [--retry N] [--group G] FILE.frq",
            "read the labels of all groups or of group G into FILE, keeping the rest of it",
            zav::tool::readLabelsCommand},
    Command{"write-labels", "--port P [--retry N] [--group G] FILE.frq",
            "write FILE's labels of all groups or of group G to the radio",
            zav::tool::writeLabelsCommand},
    Command{"dump", "FILE.frq", "print FILE's unit data printout as plain text",
            zav::tool::dumpCommand},
    Command{"print", "FILE.frq --pdf OUT.pdf", "write FILE's unit data printout as a PDF",
            zav::tool::printCommand},
    Command{"syncal", "--port P [--retry N]",
            "align the radio's synthesizer (receive and transmit) and print the log",
            zav::tool::syncalCommand},
    Command{"dtmf", "--port P [--retry N] CODE",
            "write DTMF deviation CODE (list index 0-31, or the list text such as 1125.0) "
            "into the radio, keeping its front porch and ANI rate bits",
            zav::tool::dtmfCommand},
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
