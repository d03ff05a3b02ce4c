#include <iostream>

#include "commands.h"
#include "unit_printout.h"

namespace zav::tool {

int dumpCommand(const Args& args) {
    if (args.size() != 1 || args[0].starts_with("--")) {
        std::cerr << "usage: zavtool dump FILE.frq\n";
        return 2;
    }
    const auto printout = composeFilePrintout(args[0], "dump");
    if (!printout) return 1;
    std::cout << plainText(*printout);
    return std::cout.good() ? 0 : 1;
}

}  // namespace zav::tool
