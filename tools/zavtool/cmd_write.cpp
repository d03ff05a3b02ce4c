#include <iostream>

#include "commands.h"
#include "file_bytes.h"
#include "link/label_transfer.h"
#include "link/radio_write.h"
#include "radio_command.h"
#include "transfer_options.h"

namespace zav::tool {

int writeCommand(const Args& args) {
    constexpr std::string_view kCommand = "write";
    Args rest = args;
    const bool skipGlobal = takeFlag(rest, "--skip-global");
    const bool withLabels = takeFlag(rest, "--labels");
    const auto options = parseRadioOptions(
        rest, kCommand, "--port P [--retry N] [--skip-global] [--labels] FILE.frq");
    if (!options) return 2;
    const auto file = loadFileBytes(options->file, kCommand, false);
    if (!file) return 1;
    const bool ok = runOnRadio(
        *options,
        [&](RadioLink& link) {
            return writeRadio(link, file->image, skipGlobal) &&
                   (!withLabels || writeLabelsToRadio(link, file->labels, -1));
        },
        "writing the radio");
    if (!ok) {
        std::cerr << "zavtool write: Write Failed\n";
        return 1;
    }
    std::cout << "wrote " << options->file << (withLabels ? " with its labels" : "")
              << " to the radio\n";
    return 0;
}

}  // namespace zav::tool
