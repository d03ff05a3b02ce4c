#include "model/document.h"

#include <stdexcept>
#include <string>

#include "model/memory_map.h"

namespace zav {

Document::Document() {
    initGlobalPage(mem);
    resetGroups();
    markClean();
}

int Document::reloadGroups() {
    return rebuildGroups(Contents::Kept);
}

int Document::resetGroups() {
    return rebuildGroups(Contents::Defaults);
}

int Document::rebuildGroups(Contents contents) {
    shownGroup_ = -1;
    int first = -1;
    for (int g = 0; g < kGroupCount; ++g) {
        auto& slot = groups_[static_cast<std::size_t>(g)];
        slot.reset();
        if (groupExists(mem, g)) {
            slot = std::make_unique<Group>(mem, labels, g);
            if (contents == Contents::Defaults) slot->resetToDefaults();
            if (first < 0) first = g;
        }
    }
    return first;
}

bool Document::modified() const {
    return readSinceClean_ || mem != cleanMem_ || labels != cleanLabels_;
}

void Document::markClean() {
    cleanMem_ = mem;
    cleanLabels_ = labels;
    readSinceClean_ = false;
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
