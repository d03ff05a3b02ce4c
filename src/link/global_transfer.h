#pragma once
// Reading and writing the unit-global block (and single blocks) with resident word
// frames at 4800 baud. Each call is one or more complete connections.

#include "link/group_on_radio.h"
#include "model/memory_image.h"

namespace zav {

class RadioLink;

// Reads the 128 bytes of the global block into the image. Shows no message of its own;
// a failed hook has been reported by the link.
bool readGlobal(RadioLink& link, MemImage& image);

// Writes block g (0 = the global block, 1..15 = group g) with masked word writes, in
// attempts that each release and hook the radio afresh; a failed attempt offers Retry.
// A group the radio lacks is told and left alone (Absent).
GroupTransfer writeGroup(RadioLink& link, const MemImage& image, int g);

// writeGroup (0): true when it was Done.
bool writeGlobal(RadioLink& link, const MemImage& image);

}  // namespace zav
