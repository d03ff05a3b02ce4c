#pragma once
// Writing the whole radio through the write program at 9600 baud. Protected bytes never
// leave the editor: bytes 8 to 15 of a group block are not part of any row the program
// takes, and the global block goes out only as masked resident word writes. Single
// blocks (writeGroup, writeGlobal) are in global_transfer.h.

#include <array>
#include <cstdint>
#include <vector>

#include "model/memory_fields.h"
#include "model/memory_image.h"

namespace zav {

class RadioLink;

using StatusBytes = std::array<Byte, global_field::kPageMapBytes>;  // the page map

// The groups (1..15) a whole write takes, highest first: those whose status nibble in
// (radio AND image) is exactly 8. A group the radio marks otherwise (or lacks) is left
// alone, and so is one the image does not hold.
std::vector<int> chooseGroups(const StatusBytes& radio, const MemImage& image);

// The write program's conversation for block g (1..15), after uploadProgram: the block
// command, rows 0 and 2..15 of 8 bytes each followed by an acknowledgement, then one
// more acknowledgement. Every acknowledgement must come and have bit 5 set; the first
// that does not ends the block with false.
bool writeProgramBlock(RadioLink& link, const MemImage& image, int g);

enum class RadioWrite : std::uint8_t {
    Written,
    NoGroupInCommon,  // the radio holds none of the image's groups; only the global settings went
                      // out
    Failed,
};

// How much of a block of the image a write has put into the radio: nothing was sent,
// some of it was sent (the radio may hold none, some or all of it), or the radio
// confirmed all of it.
enum class BlockReached : std::uint8_t { None, Perhaps, Whole };
// Block 0 (the global settings) to 15, over every attempt of one write.
using BlocksReached = std::array<BlockReached, kGroupCount + 1>;

// Whether a whole-radio write sends the global settings block.
enum class GlobalBlock : std::uint8_t { Write, Skip };

// The whole radio: unless the global block is skipped, the global settings bytes first (masked
// resident writes at 4800 baud), then every chosen group from 15 down to 1 through the write
// program. A failed attempt offers "Write Failed. Cycle Radio Power before Retrying."
// with Retry (a fresh release and hook) and Cancel. Without a chosen group the radio is
// released after the global settings: there is nothing for the write program to do.
// `reached` tells what a write that failed left of the image on the radio.
RadioWrite writeRadio(RadioLink& link, const MemImage& image, GlobalBlock global,
                      BlocksReached& reached);
RadioWrite writeRadio(RadioLink& link, const MemImage& image, GlobalBlock global);

}  // namespace zav
