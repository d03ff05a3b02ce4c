#include <iostream>

#include "commands.h"
#include "frequency_file_io.h"
#include "link/global_transfer.h"
#include "radio_command.h"

namespace zav::tool {

int readGlobalCommand(const Args& args) {
    constexpr std::string_view kCommand = "read-global";
    const auto options = parseRadioOptions(args, kCommand);
    if (!options) return 2;
    auto contents = loadFrequencyFile(options->file, kCommand, true);
    if (!contents) return 1;
    // Read into a copy: a failed or partial read leaves the file as it was.
    MemImage image = contents->image;
    const bool ok = runOnRadio(*options, [&](RadioLink& link) { return readGlobal(link, image); });
    if (!ok) {
        std::cerr << "zavtool read-global: the global block was not read; " << options->file
                  << " is unchanged\n";
        return 1;
    }
    contents->image = image;
    if (!saveFrequencyFile(options->file, *contents, kCommand)) return 1;
    std::cout << "read the global block into " << options->file << "\n";
    return 0;
}

}  // namespace zav::tool
