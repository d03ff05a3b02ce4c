#include "ui/grid_undo.h"

#include "model/channel.h"
#include "model/memory_fields.h"

namespace zav {

void GridUndo::keyDown(const Document& doc, int row, int column, std::string text) {
    if (!armed_) return;
    const int group = doc.shownGroup();
    armed_ = false;
    column_ = column;
    row_ = row;
    group_ = group;
    text_ = std::move(text);
    bytes_.clear();
    const Group* g = group >= 0 ? doc.group(group) : nullptr;
    if (g == nullptr || row < 0 || row >= kChannelsPerGroup) return;
    const Channel& ch = g->channel(row);
    const auto image = [&](std::size_t i, Byte mask) {
        bytes_.push_back({false, i, mask, static_cast<Byte>(doc.mem[i] & mask)});
    };
    switch (column) {
        case kColRecFreq:
        case kColRecCG:
        case kColTxFreq:
        case kColTxCG: {
            const auto first = static_cast<std::size_t>(ch.fieldAddress(column));
            constexpr auto kSize = static_cast<std::size_t>(channel_field::kFieldSize);
            for (std::size_t i = 0; i < kSize; ++i) image(first + i, 0xFF);
            break;
        }
        case kColLabel:
            for (int k = 0; k < kLabelPositions; ++k) {
                const std::size_t i = labelIndex(group, row, k);
                bytes_.push_back({true, i, 0xFF, doc.labels[i]});
            }
            break;
        case kColScan:
            image(static_cast<std::size_t>(ch.scanByteAddress()), ch.scanMask());
            break;
        default:
            break;
    }
}

void GridUndo::clear() {
    column_ = -1;
    bytes_.clear();
}

std::optional<int> GridUndo::undo(Document& doc) const {
    if (column_ < 1 || bytes_.empty() || group_ != doc.shownGroup()) return std::nullopt;
    for (const SavedByte& b : bytes_) {
        Byte& target = b.label ? doc.labels[b.index] : doc.mem[b.index];
        target = static_cast<Byte>((target & ~b.mask) | b.value);
    }
    return row_;
}

}  // namespace zav
