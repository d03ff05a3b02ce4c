#include <iostream>

#include "commands.h"
#include "frequency_file_io.h"
#include "link/global_transfer.h"
#include "radio_command.h"

namespace zav::tool {

int writeGlobalCommand(const Args& args) {
    constexpr std::string_view kCommand = "write-global";
    const auto options = parseRadioOptions(args, kCommand);
    if (!options) return 2;
    const auto contents = loadFrequencyFile(options->file, kCommand, false);
    if (!contents) return 1;
    const bool ok =
        runOnRadio(*options, [&](RadioLink& link) { return writeGlobal(link, contents->image); });
    if (!ok) {
        std::cerr << "zavtool write-global: Write Global Failed\n";
        return 1;
    }
    std::cout << "wrote the global settings of " << options->file << " to the radio\n";
    return 0;
}

}  // namespace zav::tool
