#include <iostream>

#include "commands.h"
#include "file_bytes.h"
#include "link/label_transfer.h"
#include "radio_command.h"
#include "transfer_options.h"

namespace zav::tool {

int cmdWriteLabels(const Args& args) {
    constexpr std::string_view kCommand = "write-labels";
    Args rest = args;
    const auto group = takeGroup(rest, kCommand);
    if (group == 0) return 2;
    const auto options =
        parseRadioOptions(rest, kCommand, "--port P [--retry N] [--group G] FILE.frq");
    if (!options) return 2;
    const auto file = loadFileBytes(options->file, kCommand, false);
    if (!file) return 1;
    const int groupIndex = group ? *group - 1 : -1;
    const bool ok = runOnRadio(
        *options,
        [&](RadioLink& link) { return WriteLabelsToRadio(link, file->labels, groupIndex); },
        "writing labels");
    if (!ok) {
        std::cerr << "zavtool write-labels: Write Labels Failed\n";
        return 1;
    }
    std::cout << "wrote the labels of "
              << (group ? "group " + std::to_string(*group) : "all groups") << " of "
              << options->file << " to the radio\n";
    return 0;
}

}  // namespace zav::tool
