#include <iostream>

#include "commands.h"
#include "file_bytes.h"
#include "link/label_transfer.h"
#include "radio_command.h"
#include "transfer_options.h"

namespace zav::tool {

int readLabelsCommand(const Args& args) {
    constexpr std::string_view kCommand = "read-labels";
    const auto parsed =
        parseGroupRadioOptions(args, kCommand, "--port P [--retry N] [--group G] FILE.frq", false);
    if (!parsed) return 2;
    const auto& group = parsed->group;
    const RadioOptions& options = parsed->radio;
    auto file = loadFileBytes(options.file, kCommand, true);
    if (!file) return 1;
    LabelImage labels = file->labels;
    const int groupIndex = group ? *group - 1 : -1;
    const bool ok = runOnRadio(
        options, [&](RadioLink& link) { return readLabelsFromRadio(link, labels, groupIndex); },
        "reading labels");
    if (!ok) {
        std::cerr << "zavtool read-labels: the labels were not read; " << options.file
                  << " is unchanged\n";
        return 1;
    }
    // Only the selected groups' labels differ from the file's.
    patchLabels(*file, labels);
    if (!saveFileBytes(options.file, *file, kCommand)) return 1;
    std::cout << "read the labels of " << (group ? "group " + std::to_string(*group) : "all groups")
              << " into " << options.file << "\n";
    return 0;
}

}  // namespace zav::tool
