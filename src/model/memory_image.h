#pragma once
// The two arrays every part of the editor works on: the radio's parameter memory
// (plus one spare byte only the file carries) and the label memory.

#include <array>
#include <cstddef>
#include <cstdint>

namespace zav {

using Byte = std::uint8_t;

inline constexpr std::size_t kRadioMemorySize = 2048;  // bytes the radio holds
inline constexpr std::size_t kMemImageSize = 2049;     // plus the spare byte 2048
inline constexpr std::size_t kPageSize = 128;
inline constexpr std::size_t kPageCount = 16;
inline constexpr int kGroupCount = 15;
inline constexpr int kChannelsPerGroup = 14;

inline constexpr int kLabelSlots = 16;     // 14 channel labels, group label, backlight slot
inline constexpr int kLabelPositions = 8;  // display positions per slot
inline constexpr std::size_t kLabelImageSize =
    static_cast<std::size_t>(kGroupCount) * kLabelSlots * kLabelPositions;  // 1920

using MemImage = std::array<Byte, kMemImageSize>;
using LabelImage = std::array<Byte, kLabelImageSize>;

// Element (group g, slot s, position k) of the label image: the group varies fastest.
constexpr std::size_t labelIndex(int g, int s, int k) {
    return static_cast<std::size_t>(g + kGroupCount * s + kGroupCount * kLabelSlots * k);
}

}  // namespace zav
