#pragma once
// The options the transfer commands add to the radio commands' own: flags such as
// --labels and --skip-global, and --group G with G = 1..15 as the user sees it.

#include <optional>
#include <string_view>

#include "commands.h"
#include "radio_command.h"

namespace zav::tool {

// Removes every `flag` from args; true when there was one.
bool takeFlag(Args& args, std::string_view flag);

// Removes "--group G" from args. nullopt: none given; 0: given but not a number 1..15
// (after a message on stderr).
std::optional<int> takeGroup(Args& args, std::string_view command);

// The options of a command that takes --group G besides the radio options (--port,
// --retry, the file). nullopt after a message on stderr when they are wrong, or when
// `groupRequired` and no group is given.
struct GroupRadioOptions {
    std::optional<int> group;
    RadioOptions radio;
};
std::optional<GroupRadioOptions> parseGroupRadioOptions(Args args, std::string_view command,
                                                        std::string_view usage, bool groupRequired);

}  // namespace zav::tool
