#include <iostream>

#include "commands.h"

namespace zav::tool {

int cmdNew(const Args& args) {
    if (args.size() != 1) {
        std::cerr << "usage: zavtool new FILE.frq\n";
        return 2;
    }
    std::cerr << "zavtool new: not built yet\n";
    return 1;
}

}  // namespace zav::tool
