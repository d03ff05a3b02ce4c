#include "sim/label_memory.h"

namespace zav::sim {

namespace {

constexpr std::size_t radioOffset(int g, int s, int j) {
    return static_cast<std::size_t>(g * 128 + s * kLabelPositions + j);
}

}  // namespace

LabelMemory labelMemoryFromImage(const LabelImage& labels) {
    LabelMemory memory{};
    for (int g = 0; g < kGroupCount; ++g)
        for (int s = 0; s < kLabelSlots; ++s)
            for (int j = 0; j < kLabelPositions; ++j)
                memory[radioOffset(g, s, j)] = labels[labelIndex(g, s, kLabelPositions - 1 - j)];
    return memory;
}

LabelImage labelImageFromMemory(const LabelMemory& memory) {
    LabelImage labels{};
    for (int g = 0; g < kGroupCount; ++g)
        for (int s = 0; s < kLabelSlots; ++s)
            for (int j = 0; j < kLabelPositions; ++j)
                labels[labelIndex(g, s, kLabelPositions - 1 - j)] = memory[radioOffset(g, s, j)];
    return labels;
}

}  // namespace zav::sim
