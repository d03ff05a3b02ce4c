#include "ui/offset_logic.h"

#include "model/frequency_check.h"

namespace zav {

OffsetStep offsetKeyUp(const std::string& text, OffsetKey key, OffsetKey lastKey) {
    OffsetStep step;
    // A sign or a point alone is the start of an offset; arrows only move the caret, and
    // asking for help never spoils the entry.
    const bool start = text == "-" || text == "." || text == "-.";
    step.invalid = !isNumericText(text) && key != OffsetKey::Enter && !start &&
                   key != OffsetKey::Left && key != OffsetKey::Right && key != OffsetKey::F1;
    if (step.invalid) return step;
    step.help = key == OffsetKey::F1;
    if (key == OffsetKey::Enter) {
        step.commit = true;
        step.boxText = text;
    } else if (lastKey == OffsetKey::Enter && !text.empty()) {
        step.boxText = text.substr(text.size() - 1);  // typing after an entry starts anew
    } else {
        step.boxText = text;
    }
    return step;
}

}  // namespace zav
