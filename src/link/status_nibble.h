#pragma once
// The radio's page map as the transfers test it: block G's 4-bit status lies in byte
// 80 + G / 2 (high nibble for even G, low nibble for odd G); bit 3 set means the block
// exists on the radio.

#include "model/memory_image.h"

namespace zav {

inline constexpr int kStatusAddress = 80;
inline constexpr int kStatusBytes = 8;

constexpr int statusByteAddress(int block) {
    return kStatusAddress + block / 2;
}

constexpr int statusNibble(Byte statusByte, int block) {
    return block % 2 == 0 ? statusByte >> 4 : statusByte & 0x0F;
}

constexpr bool blockPresent(int nibble) {
    return (nibble & 8) != 0;
}

}  // namespace zav
