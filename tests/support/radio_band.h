#pragma once
// Channels within the simulated radio's default band (450 to 512 MHz, sim::setBandData),
// for tests that fill images at random and write them.

#include "model/channel.h"
#include "model/memory_image.h"

namespace zav::test {

// Every channel frequency of the image moved into 450..467 MHz: the tens digit becomes 5
// and the 100 MHz bit is cleared; the other bits stay as they were.
inline void keepChannelsInBand(MemImage& mem) {
    LabelImage labels{};
    for (int g = 0; g < kGroupCount; ++g) {
        for (int c = 0; c < kChannelsPerGroup; ++c) {
            const Channel channel(mem, labels, g, c);
            for (const int column : {kColRecFreq, kColTxFreq}) {
                const auto a = static_cast<std::size_t>(channel.fieldAddress(column));
                mem[a] = static_cast<Byte>(0x50 | (mem[a] & 0x0F));
                mem[a + 1] = static_cast<Byte>(mem[a + 1] & 0xFE);
            }
        }
    }
}

}  // namespace zav::test
