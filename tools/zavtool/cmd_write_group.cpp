#include <iostream>

#include "commands.h"
#include "file_bytes.h"
#include "link/global_transfer.h"
#include "link/label_transfer.h"
#include "radio_command.h"
#include "transfer_options.h"

namespace zav::tool {

int writeGroupCommand(const Args& args) {
    constexpr std::string_view kCommand = "write-group";
    constexpr std::string_view kUsage = "--port P [--retry N] --group G [--labels] FILE.frq";
    Args rest = args;
    const bool withLabels = takeFlag(rest, "--labels");
    const auto parsed = parseGroupRadioOptions(rest, kCommand, kUsage, true);
    if (!parsed) return 2;
    const auto& group = parsed->group;
    const RadioOptions& options = parsed->radio;
    const auto file = loadFileBytes(options.file, kCommand, false);
    if (!file) return 1;
    const bool ok = runOnRadio(
        options,
        [&](RadioLink& link) {
            return writeGroup(link, file->image, *group) &&
                   (!withLabels || writeLabelsToRadio(link, file->labels, *group - 1));
        },
        "writing group " + std::to_string(*group));
    if (!ok) {
        std::cerr << "zavtool write-group: Write Group Failed\n";
        return 1;
    }
    std::cout << "wrote group " << *group << " of " << options.file << " to the radio\n";
    return 0;
}

}  // namespace zav::tool
