#pragma once
// What a masked write may leave in the radio's memory, spelled out here rather than taken
// from the code under test: in the global block the password, the ANI/DTMF byte and the
// editor's bits of byte 119; in a group block everything but header bytes 8..15.

#include <gtest/gtest.h>

#include <array>
#include <span>
#include <vector>

#include "model/memory_image.h"

namespace zav::test {

// Per byte of radio memory: the bits an operation may change and the value it writes.
struct WriteReach {
    std::array<Byte, kRadioMemorySize> mask{};
    MemImage target{};

    // The image's blocks `blocks` (0 the global block) under the radio's masks.
    WriteReach(const MemImage& image, const std::vector<int>& blocks) : target(image) {
        for (const auto b : blocks)
            for (std::size_t off = 0, at = 128 * static_cast<std::size_t>(b); off < 128; ++off) {
                const bool free = b > 0 ? off < 8 || off >= 16
                                        : off == 96 || off == 97 || off == 98 || off == 111;
                mask[at + off] = free ? 0xFF : b == 0 && off == 119 ? 0xF9 : 0x00;
            }
    }
};

// Only bits in reach changed, and only to the target's; with `complete`, all of them did.
inline void expectWritten(std::span<const Byte> before, std::span<const Byte> after,
                          const WriteReach& reach, bool complete) {
    for (std::size_t i = 0; i < kRadioMemorySize; ++i) {
        const auto changed = static_cast<Byte>(after[i] ^ before[i]);
        const auto wrong = static_cast<Byte>(after[i] ^ reach.target[i]);
        ASSERT_EQ(changed & ~reach.mask[i], 0) << "protected bits of radio byte " << i;
        ASSERT_EQ(changed & wrong, 0) << "radio byte " << i;
        const Byte required = complete ? reach.mask[i] : Byte{0};
        ASSERT_EQ(wrong & required, 0) << "radio byte " << i << " not written";
    }
}

}  // namespace zav::test
