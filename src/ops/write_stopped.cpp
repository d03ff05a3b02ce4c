#include "ops/write_stopped.h"

#include <vector>

namespace zav {

namespace {

// "a", "a and b", "a, b and c".
std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return text;
}

// "group 12", "groups 15 and 14", "groups 15 to 13 and 11": runs of three or more as
// ranges, highest first as the write goes.
std::string groupList(const std::vector<int>& groups) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < groups.size();) {
        std::size_t end = i + 1;
        while (end < groups.size() && groups[end] == groups[end - 1] - 1) ++end;
        if (end - i < 3) end = i + 1;
        items.push_back(std::to_string(groups[i]) +
                        (end - i > 1 ? " to " + std::to_string(groups[end - 1]) : ""));
        i = end;
    }
    return (groups.size() == 1 ? "group " : "groups ") + joined(items);
}

// The global settings and the groups the write reached as `how`, as one phrase (empty
// when none), and whether it takes the singular: one group alone.
struct Parts {
    std::string phrase;
    bool singular = false;
};
Parts partsReached(const BlocksReached& reached, BlockReached how) {
    std::vector<std::string> items;
    if (reached[0] == how) items.emplace_back("the global settings");
    std::vector<int> groups;
    for (int g = kGroupCount; g >= 1; --g)
        if (reached[static_cast<std::size_t>(g)] == how) groups.push_back(g);
    if (!groups.empty()) items.push_back(groupList(groups));
    return {joined(items), items.size() == 1 && groups.size() == 1};
}

}  // namespace

std::optional<std::string> writeStoppedText(const BlocksReached& reached) {
    const Parts whole = partsReached(reached, BlockReached::Whole);
    const Parts perhaps = partsReached(reached, BlockReached::Perhaps);
    if (whole.phrase.empty() && perhaps.phrase.empty()) return std::nullopt;
    std::string text = "the write stopped part-way: ";
    if (whole.phrase.empty()) {
        text += perhaps.phrase + (perhaps.singular ? " perhaps holds" : " perhaps hold") +
                " part of the file's contents";
    } else {
        text += whole.phrase + (whole.singular ? " holds" : " hold") + " the file's contents";
        if (!perhaps.phrase.empty()) text += ", " + perhaps.phrase + " perhaps part of them";
    }
    return text + ", the others the radio's earlier ones";
}

}  // namespace zav
