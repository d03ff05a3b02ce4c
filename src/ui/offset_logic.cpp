#include "ui/offset_logic.h"

#include "model/frequency_check.h"

namespace zav {

OffsetStep offsetKeyUp(const std::string& text, OffsetKey key) {
    OffsetStep step;
    // A sign or a point alone is the start of an offset; arrows only move the caret, and
    // asking for help never spoils the entry.
    const bool start = text == "-" || text == "." || text == "-.";
    step.invalid = !isNumericText(text) && key != OffsetKey::Enter && !start &&
                   key != OffsetKey::Left && key != OffsetKey::Right && key != OffsetKey::F1;
    if (step.invalid) return step;
    step.help = key == OffsetKey::F1;
    step.commit = key == OffsetKey::Enter;
    return step;
}

}  // namespace zav
