#pragma once
// The radio's write masks: for every byte of the global block and of a group block, the
// bits the editor may change. A clear bit keeps the radio's own value. They follow from
// the fields the editor edits, so they are built from the field descriptors.

#include <array>
#include <cstddef>

#include "model/memory_fields.h"
#include "model/memory_image.h"

namespace zav {

using WriteMaskTable = std::array<Byte, kPageSize>;

struct WriteMasks {
    WriteMaskTable global{};  // byte i of the global block (addresses 0..127)
    WriteMaskTable group{};   // byte i of every group block (address & 127)
};

// Builds both tables: a block may change only the bits of the fields the editor edits
// (in a group block: the header fields and the channel records; header bytes 8..15
// hold no field of the editor's and are never written).
constexpr WriteMasks initWriteMasks() {
    WriteMasks masks{};
    for (const BitField f : global_field::kEditedFields)
        masks.global[f.offset] = static_cast<Byte>(masks.global[f.offset] | fieldMask(f));
    for (const BitField f : group_field::kHeaderFields)
        masks.group[f.offset] = static_cast<Byte>(masks.group[f.offset] | fieldMask(f));
    // The channel records are written whole.
    for (std::size_t i = channel_field::kFirstRecord; i < kPageSize; ++i) masks.group[i] = 0xFF;
    return masks;
}

inline constexpr WriteMasks kWriteMasks = initWriteMasks();

// The tables the radio relies on, checked here so that a change to the field layout
// cannot silently widen what a write may touch.
static_assert(kWriteMasks.global[96] == 0xFF);
static_assert(kWriteMasks.global[97] == 0xFF);
static_assert(kWriteMasks.global[98] == 0xFF);
static_assert(kWriteMasks.global[111] == 0xFF);
static_assert(kWriteMasks.global[119] == 0xF9);
static_assert(kWriteMasks.group[7] == 0xFF);
static_assert(kWriteMasks.group[8] == 0x00);
static_assert(kWriteMasks.group[15] == 0x00);
static_assert(kWriteMasks.group[16] == 0xFF);

}  // namespace zav
