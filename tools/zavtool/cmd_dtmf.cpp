#include <charconv>
#include <iostream>
#include <optional>

#include "commands.h"
#include "link/dtmf_deviation.h"
#include "model/lists.h"
#include "radio_command.h"

namespace zav::tool {

namespace {

constexpr std::string_view kUsage =
    "usage: zavtool dtmf --port P [--retry N] CODE\n"
    "  CODE: the deviation list index 0..31 (0 = 0 Hz, 1..27 = 187.5 Hz steps up to 5062.5,\n"
    "        28..31 = Test 1..Test 4), or the list text itself (\"1125.0\", \"Test 2\")\n";

struct DtmfOptions {
    std::string port;
    int retries = 0;
    int code = -1;
};

std::optional<DtmfOptions> parseOptions(const Args& args) {
    DtmfOptions o;
    std::optional<std::string> codeText;
    bool ok = true;
    for (std::size_t i = 0; i < args.size() && ok; ++i) {
        const std::string& a = args[i];
        if (a == "--port" && i + 1 < args.size()) {
            o.port = args[++i];
        } else if (a == "--retry" && i + 1 < args.size()) {
            const std::string& n = args[++i];
            const auto [p, ec] = std::from_chars(n.data(), n.data() + n.size(), o.retries);
            ok = ec == std::errc{} && p == n.data() + n.size() && o.retries >= 0;
        } else if (!codeText && (!a.starts_with("--") || a == "-1")) {
            codeText = a;
        } else {
            ok = false;
        }
    }
    if (ok && codeText) {
        const auto code = DtmfCodeFromText(*codeText);
        if (!code) {
            std::cerr << "zavtool dtmf: '" << *codeText << "' is not a deviation code\n";
            ok = false;
        } else {
            o.code = *code;
        }
    }
    if (!ok || o.port.empty() || o.code < 0) {
        std::cerr << kUsage;
        return std::nullopt;
    }
    return o;
}

}  // namespace

int cmdDtmf(const Args& args) {
    const auto options = parseOptions(args);
    if (!options) return 2;
    RadioOptions radio;
    radio.port = options->port;
    radio.retries = options->retries;
    DtmfWriteResult result = DtmfWriteResult::HookFailed;
    runOnRadio(radio, [&](RadioLink& link) {
        result = WriteDtmfDeviation(link, options->code);
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
