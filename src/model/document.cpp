#include "model/document.h"

#include <stdexcept>
#include <string>

#include "model/memory_map.h"

namespace zav {

Document::Document() {
    InitGlobalPage(mem);
    InitGroups(1, 1);
}

int Document::InitGroups(int mode, int selectorValue) {
    for (int g = 0; g < kGroupCount; ++g) {
        auto& slot = Groups[static_cast<std::size_t>(g)];
        slot.reset();
        if (GroupExists(mem, g) != 0) {
            slot = std::make_unique<clsGroup>(mem, labels, g);
            if (mode == 1) slot->Default();
        }
    }
    // The window refills its group selector here and passes the number it then shows.
    int current = selectorValue - 1;
    if (current > kGroupCount - 1 || current < 0) current = 0;
    // A group missing from the page map cannot be shown: take the first that exists, or
    // none at all (-1) when the page map is empty.
    if (!Groups[static_cast<std::size_t>(current)]) {
        current = -1;
        for (int g = 0; g < kGroupCount && current < 0; ++g) {
            if (Groups[static_cast<std::size_t>(g)]) current = g;
        }
    }
    CurrentGroup = current;
    return CurrentGroup;
}

clsGroup* Document::group(int g) {
    if (g < 0 || g >= kGroupCount) throw std::out_of_range("group index " + std::to_string(g));
    return Groups[static_cast<std::size_t>(g)].get();
}

const clsGroup* Document::group(int g) const {
    if (g < 0 || g >= kGroupCount) throw std::out_of_range("group index " + std::to_string(g));
    return Groups[static_cast<std::size_t>(g)].get();
}

}  // namespace zav
