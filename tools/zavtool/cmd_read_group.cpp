#include <iostream>

#include "commands.h"
#include "file_bytes.h"
#include "link/radio_read.h"
#include "radio_command.h"
#include "transfer_options.h"

namespace zav::tool {

int readGroupCommand(const Args& args) {
    constexpr std::string_view kCommand = "read-group";
    constexpr std::string_view kUsage = "--port P [--retry N] --group G FILE.frq";
    const auto parsed = parseGroupRadioOptions(args, kCommand, kUsage, true);
    if (!parsed) return 2;
    const auto& group = parsed->group;
    const RadioOptions& options = parsed->radio;
    auto file = loadFileBytes(options.file, kCommand, true);
    if (!file) return 1;
    MemImage image = file->image;
    const bool ok = runOnRadio(
        options, [&](RadioLink& link) { return readGroup(link, image, *group); },
        "reading group " + std::to_string(*group));
    if (!ok) {
        std::cerr << "zavtool read-group: group " << *group << " was not read; " << options.file
                  << " is unchanged\n";
        return 1;
    }
    const int first = static_cast<int>(kPageSize) * *group;
    patchImage(*file, image, first, static_cast<int>(kPageSize));
    if (!saveFileBytes(options.file, *file, kCommand)) return 1;
    std::cout << "read group " << *group << " into " << options.file << "\n";
    return 0;
}

}  // namespace zav::tool
