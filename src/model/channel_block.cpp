#include "model/channel_block.h"

#include <algorithm>
#include <stdexcept>

#include "model/document.h"
#include "model/group.h"
#include "model/memory_map.h"

namespace zav {

namespace {

// Sorted, or throws for a row outside the group or one given twice.
std::vector<int> checkedRows(std::span<const int> rows) {
    std::vector<int> sorted(rows.begin(), rows.end());
    std::ranges::sort(sorted);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (sorted[i] < 0 || sorted[i] >= kChannelsPerGroup)
            throw std::invalid_argument("no channel in row " + std::to_string(sorted[i] + 1));
        if (i > 0 && sorted[i] == sorted[i - 1])
            throw std::invalid_argument("row " + std::to_string(sorted[i] + 1) + " given twice");
    }
    return sorted;
}

std::string channelName(int row) {
    return "Chan " + std::to_string(row + 1);
}

}  // namespace

std::string blockText(const Group& group, std::span<const int> rows) {
    (void)checkedRows(rows);
    std::string text;
    for (const int row : rows) {
        text += group.copyChan(row);
        text += kBlockLineEnd;
    }
    return text;
}

std::vector<std::string> blockLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(kBlockLineEnd);
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::string pasteBlock(Group& group, int firstRow, std::string_view text) {
    if (firstRow < 0 || firstRow >= kChannelsPerGroup)
        throw std::invalid_argument("no channel in row " + std::to_string(firstRow + 1));
    const std::vector<std::string> lines = blockLines(text);
    const int count = static_cast<int>(lines.size());
    if (count == 0) return "The clipboard holds no channels.";
    if (firstRow + count > kChannelsPerGroup) {
        return std::to_string(count) + " channels do not fit from " + channelName(firstRow) +
               ": the group ends at " + channelName(kChannelsPerGroup - 1) + ".";
    }
    std::vector<RowPaste> checked;
    for (int i = 0; i < count; ++i) {
        std::string line = lines[static_cast<std::size_t>(i)];
        checked.push_back(group.channel(firstRow + i).checkRow(Channel::splitRow(line)));
        if (!checked.back().refusal.empty())
            return channelName(firstRow + i) + ", " + checked.back().refusal;
    }
    for (int i = 0; i < count; ++i)
        group.channel(firstRow + i).storeRow(checked[static_cast<std::size_t>(i)]);
    return {};
}

void clearChannels(Group& group, std::span<const int> rows) {
    for (const int row : checkedRows(rows)) {
        Channel& channel = group.channel(row);
        // Texts every gate takes: no field can refuse them.
        for (const int column : {kColRecFreq, kColTxFreq}) (void)channel.update(column, "none");
        for (const int column : {kColRecCG, kColTxCG}) (void)channel.update(column, "");
    }
}

void swapChannels(Document& doc, int group, int a, int b) {
    const std::array<int, 2> rows{a, b};
    (void)checkedRows(rows);
    if (doc.group(group) == nullptr)
        throw std::invalid_argument("no group " + std::to_string(group + 1));
    // The bytes move as they are: a value a gate would refuse (from a file) moves too.
    const auto recordA = static_cast<std::size_t>(channelAddress(group, a));
    const auto recordB = static_cast<std::size_t>(channelAddress(group, b));
    for (std::size_t i = 0; i < channel_field::kRecordSize; ++i)
        std::swap(doc.mem.at(recordA + i), doc.mem.at(recordB + i));
    for (int k = 0; k < kLabelPositions; ++k)
        std::swap(doc.labels.at(labelIndex(group, a, k)), doc.labels.at(labelIndex(group, b, k)));
    const BitField flagA = group_field::scanFlag(a);
    const BitField flagB = group_field::scanFlag(b);
    const auto page = static_cast<std::size_t>(groupAddress(group));
    Byte& byteA = doc.mem.at(page + flagA.offset);
    const int scanA = fieldValue(byteA, flagA);
    byteA = withField(byteA, flagA, fieldValue(doc.mem.at(page + flagB.offset), flagB));
    Byte& byteB = doc.mem.at(page + flagB.offset);
    byteB = withField(byteB, flagB, scanA);
}

std::optional<std::vector<int>> moveChannels(Document& doc, int group, std::span<const int> rows,
                                             BlockMove direction) {
    std::vector<int> moved = checkedRows(rows);
    if (moved.empty()) return moved;
    const int step = direction == BlockMove::Up ? -1 : 1;
    const int edge = direction == BlockMove::Up ? 0 : kChannelsPerGroup - 1;
    if (std::ranges::find(moved, edge) != moved.end()) return std::nullopt;
    // The row nearest the way it moves goes first, so that each passes a row not moved.
    if (direction == BlockMove::Down) std::ranges::reverse(moved);
    for (int& row : moved) {
        swapChannels(doc, group, row, row + step);
        row += step;
    }
    std::ranges::sort(moved);
    return moved;
}

}  // namespace zav
