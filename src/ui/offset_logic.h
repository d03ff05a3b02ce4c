#pragma once
// What one released key does in the frequency offset box, given the box's text after it.

#include <string>

namespace zav {

enum class OffsetKey { Enter, Left, Right, F1, Other };

struct OffsetStep {
    bool invalid = false;  // beep, empty the box, keep the old transmit frequency
    bool commit = false;   // Enter: set the transmit frequency and close the box
    bool help = false;     // F1: show the offset help
};

OffsetStep offsetKeyUp(const std::string& text, OffsetKey key);

}  // namespace zav
