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

// Parses the options; prints the usage and returns nullopt when they are wrong. `usage`
// replaces the default argument summary in that message.
std::optional<RadioOptions> parseRadioOptions(const Args& args, std::string_view command,
                                              std::string_view usage = {});

// Runs `operation` on a link to the port; returns its result. Messages go to stderr, and
// so does a progress line naming `activity` while it runs, when stderr is a terminal.
bool runOnRadio(const RadioOptions& options, const std::function<bool(RadioLink&)>& operation,
                std::string_view activity = "talking to the radio");

}  // namespace zav::tool
