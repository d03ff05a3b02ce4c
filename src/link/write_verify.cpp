#include "link/write_verify.h"

#include <algorithm>

#include "link/radio_write.h"
#include "link/write_masks.h"

namespace zav {

namespace {

constexpr int kBlock = static_cast<int>(kPageSize);

void compareBlock(const MemImage& image, const MemImage& radio, int block,
                  const WriteMaskTable& mask, std::vector<int>& out) {
    for (int i = 0; i < kBlock; ++i) {
        const auto a = static_cast<std::size_t>(block * kBlock + i);
        if (((image[a] ^ radio[a]) & mask[static_cast<std::size_t>(i)]) != 0)
            out.push_back(static_cast<int>(a));
    }
}

}  // namespace

std::vector<int> blocksWritten(const MemImage& image, const MemImage& radio, GlobalBlock global) {
    StatusBytes status{};
    std::copy_n(radio.begin() + global_field::kPageMapFirst, status.size(), status.begin());
    std::vector<int> blocks = chooseGroups(status, image);
    if (global == GlobalBlock::Write) blocks.push_back(0);
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

std::vector<int> unwrittenBytes(const MemImage& image, const MemImage& radio,
                                const std::vector<int>& blocks) {
    std::vector<int> out;
    for (const int b : blocks)
        compareBlock(image, radio, b, b == 0 ? kWriteMasks.global : kWriteMasks.group, out);
    return out;
}

std::vector<int> unwrittenLabels(const LabelImage& labels, const LabelImage& radio) {
    std::vector<int> out;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (labels[i] != radio[i]) out.push_back(static_cast<int>(i));
    return out;
}

}  // namespace zav
