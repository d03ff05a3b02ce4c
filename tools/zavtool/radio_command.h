#pragma once
// What the radio commands share: their options (--port P, --retry N, one file), and
// running one operation on a connection to the real serial port.

#include <functional>
#include <optional>
#include <string>

#include "commands.h"

namespace zav {
class RadioLink;
}

namespace zav::tool {

struct RadioOptions {
    std::string port;  // a number 1..4 or a device path
    int retries = 0;   // Retry answers to give before Cancel
    std::string file;
};

// Parses the options; prints the usage and returns nullopt when they are wrong.
std::optional<RadioOptions> parseRadioOptions(const Args& args, std::string_view command);

// Runs `operation` on a link to the port; returns its result. Messages go to stderr.
bool runOnRadio(const RadioOptions& options, const std::function<bool(RadioLink&)>& operation);

}  // namespace zav::tool
