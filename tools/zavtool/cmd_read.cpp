#include <iostream>

#include "commands.h"
#include "file_bytes.h"
#include "link/label_transfer.h"
#include "link/radio_read.h"
#include "radio_command.h"
#include "transfer_options.h"

namespace zav::tool {

int readCommand(const Args& args) {
    constexpr std::string_view kCommand = "read";
    Args rest = args;
    const bool withLabels = takeFlag(rest, "--labels");
    const auto options =
        parseRadioOptions(rest, kCommand, "--port P [--retry N] [--labels] OUT.frq");
    if (!options) return 2;
    // The image starts as after start-up; the radio's memory (and labels) replace it.
    FileBytes file = defaultFileBytes();
    MemImage image = file.image;
    LabelImage labels = file.labels;
    const bool ok = runOnRadio(
        *options,
        [&](RadioLink& link) {
            return readRadio(link, image) && (!withLabels || readLabelsFromRadio(link, labels, -1));
        },
        "reading the radio");
    if (!ok) {
        std::cerr << "zavtool read: the radio was not read; " << options->file << " is unchanged\n";
        return 1;
    }
    patchImage(file, image, 0, static_cast<int>(kRadioMemorySize));
    if (withLabels) patchLabels(file, labels);
    if (!saveFileBytes(options->file, file, kCommand)) return 1;
    std::cout << "read the radio" << (withLabels ? " and its labels" : "") << " into "
              << options->file << "\n";
    return 0;
}

}  // namespace zav::tool
