#pragma once
// What one released key does in the frequency offset box, given the box's text after it.

#include <string>

namespace zav {

enum class OffsetKey { Enter, Left, Right, F1, Other };

struct OffsetStep {
    bool invalid = false;  // beep, empty the box, keep the old transmit frequency
    bool commit = false;   // Enter: set the transmit frequency and close the box
    bool help = false;     // F1: show the offset help
    std::string boxText;   // the box's text afterwards
};

// lastKey: the key released before this one.
OffsetStep offsetKeyUp(const std::string& text, OffsetKey key, OffsetKey lastKey);

}  // namespace zav
