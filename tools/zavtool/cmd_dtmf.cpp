#include <iostream>
#include <optional>

#include "commands.h"
#include "link/dtmf_deviation.h"
#include "model/lists.h"
#include "radio_command.h"

namespace zav::tool {

namespace {

constexpr std::string_view kUsageArgs = "--port P [--retry N] CODE";
constexpr std::string_view kCodeHelp =
    "  CODE: the deviation list index 0..31 (0 = 0 Hz, 1..27 = 187.5 Hz steps up to 5062.5,\n"
    "        28..31 = Test 1..Test 4), or the list text itself (\"1125.0\", \"Test 2\")\n";

struct DtmfOptions {
    RadioOptions radio;  // the code's text stands where other commands take their file
    int code = -1;
};

std::optional<DtmfOptions> parseOptions(const Args& args) {
    auto radio = parseRadioOptions(args, "dtmf", kUsageArgs);
    if (!radio) {
        std::cerr << kCodeHelp;
        return std::nullopt;
    }
    const auto code = dtmfCodeFromText(radio->file);
    if (!code) {
        std::cerr << "zavtool dtmf: '" << radio->file << "' is not a deviation code\n"
                  << "usage: zavtool dtmf " << kUsageArgs << "\n"
                  << kCodeHelp;
        return std::nullopt;
    }
    return DtmfOptions{*std::move(radio), *code};
}

}  // namespace

int dtmfCommand(const Args& args) {
    const auto options = parseOptions(args);
    if (!options) return 2;
    DtmfWriteResult result = DtmfWriteResult::HookFailed;
    runOnRadio(options->radio, [&](RadioLink& link) {
        result = writeDtmfDeviation(link, options->code);
        return result == DtmfWriteResult::Written;
    });
    const std::string_view entry = lists::kDtmfDeviation[static_cast<std::size_t>(options->code)];
    switch (result) {
        case DtmfWriteResult::Written:
            std::cout << "wrote DTMF deviation code " << options->code << " (\"" << entry
                      << "\") to the radio\n";
            return 0;
        case DtmfWriteResult::ReadFailed:
            std::cerr
                << "zavtool dtmf: the radio did not send its byte 0x6F; nothing was written\n";
            return 1;
        case DtmfWriteResult::WriteFailed:
            std::cerr << "zavtool dtmf: the radio did not confirm the write\n";
            return 1;
        case DtmfWriteResult::Busy:
        case DtmfWriteResult::HookFailed:
            break;
    }
    std::cerr << "zavtool dtmf: the deviation was not written\n";
    return 1;
}

}  // namespace zav::tool
