#pragma once
// The radio's page map as the transfers test it, read through the page-map descriptors
// of memory_fields.h: block G's nibble, and whether it says the block exists.

#include "model/memory_fields.h"
#include "model/memory_image.h"

namespace zav {

constexpr int statusByteAddress(int block) {
    return global_field::pageMapNibble(block).offset;
}

constexpr int statusNibble(Byte statusByte, int block) {
    return fieldValue(statusByte, global_field::pageMapNibble(block));
}

constexpr bool blockPresent(int nibble) {
    return (nibble & global_field::kPagePresent) != 0;
}

}  // namespace zav
