#include "model/document.h"

#include <stdexcept>
#include <string>

#include "model/memory_map.h"

namespace zav {

Document::Document() {
    initGlobalPage(mem);
    initGroups(1, 1);
}

int Document::initGroups(int mode, int selectorValue) {
    shownGroup_ = -1;
    for (int g = 0; g < kGroupCount; ++g) {
        auto& slot = groups_[static_cast<std::size_t>(g)];
        slot.reset();
        if (groupExists(mem, g)) {
            slot = std::make_unique<Group>(mem, labels, g);
            if (mode == 1) slot->resetToDefaults();
        }
    }
    // The window refills its group selector here and passes the number it then shows.
    int current = selectorValue - 1;
    if (current > kGroupCount - 1 || current < 0) current = 0;
    // A group missing from the page map cannot be shown: take the first that exists, or
    // none at all (-1) when the page map is empty.
    if (!groups_[static_cast<std::size_t>(current)]) {
        current = -1;
        for (int g = 0; g < kGroupCount && current < 0; ++g) {
            if (groups_[static_cast<std::size_t>(g)]) current = g;
        }
    }
    return current;
}

Group* Document::group(int g) {
    if (g < 0 || g >= kGroupCount) throw std::out_of_range("group index " + std::to_string(g));
    return groups_[static_cast<std::size_t>(g)].get();
}

const Group* Document::group(int g) const {
    if (g < 0 || g >= kGroupCount) throw std::out_of_range("group index " + std::to_string(g));
    return groups_[static_cast<std::size_t>(g)].get();
}

void Document::setShownGroup(int g) {
    if (g != -1 && group(g) == nullptr)
        throw std::invalid_argument("group " + std::to_string(g) + " does not exist");
    shownGroup_ = g;
}

}  // namespace zav
