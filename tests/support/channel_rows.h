#pragma once
// A group's 14 channels as the grid shows them, filled with channels that tell each other
// apart, and which rows differ between two such lists.

#include <string>
#include <vector>

#include "model/group.h"

namespace zav::test {

using GroupRows = std::vector<RowData>;

inline GroupRows groupRows(const Group& group) {
    GroupRows rows;
    for (int r = 0; r < kChannelsPerGroup; ++r) rows.push_back(group.display(r));
    return rows;
}

// Channel r: receive 450 MHz + r steps of 25 kHz, a tone, transmit 5 MHz up, label "CH<r>",
// scan on the even rows; so that each row shows texts of its own.
inline Group& fillDistinct(Group& group) {
    for (int r = 0; r < kChannelsPerGroup; ++r) {
        const std::string khz = std::to_string(450000 + 25 * r);
        const std::string tx = std::to_string(455000 + 25 * r);
        const RowData row{"",
                          khz,
                          std::to_string(100 + r) + ".0",
                          tx,
                          "",
                          "CH" + std::to_string(r),
                          r % 2 == 0 ? "Y" : ""};
        if (!group.channel(r).writeChannel(row)) throw std::logic_error("sample row refused");
    }
    return group;
}

// The rows (0..13) whose texts differ.
inline std::vector<int> changedRows(const GroupRows& before, const GroupRows& after) {
    std::vector<int> changed;
    for (std::size_t r = 0; r < before.size(); ++r)
        if (before[r] != after[r]) changed.push_back(static_cast<int>(r));
    return changed;
}

}  // namespace zav::test
