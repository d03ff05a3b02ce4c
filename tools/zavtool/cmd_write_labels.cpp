#include <iostream>

#include "commands.h"
#include "file_bytes.h"
#include "link/label_transfer.h"
#include "radio_command.h"
#include "transfer_options.h"

namespace zav::tool {

int writeLabelsCommand(const Args& args) {
    constexpr std::string_view kCommand = "write-labels";
    const auto parsed =
        parseGroupRadioOptions(args, kCommand, "--port P [--retry N] [--group G] FILE.frq", false);
    if (!parsed) return 2;
    const auto& group = parsed->group;
    const RadioOptions& options = parsed->radio;
    const auto file = loadFileBytes(options.file, kCommand, false);
    if (!file) return 1;
    const int groupIndex = group ? *group - 1 : -1;
    const bool ok = runOnRadio(
        options,
        [&](RadioLink& link) { return writeLabelsToRadio(link, file->labels, groupIndex); },
        "writing labels");
    if (!ok) {
        std::cerr << "zavtool write-labels: Write Labels Failed\n";
        return 1;
    }
    std::cout << "wrote the labels of "
              << (group ? "group " + std::to_string(*group) : "all groups") << " of "
              << options.file << " to the radio\n";
    return 0;
}

}  // namespace zav::tool
