#pragma once
// Loading a transfer program into the radio's RAM through the loader chain
// (transfer_programs.h) and starting it.

#include <span>

#include "model/memory_image.h"

namespace zav {

class RadioLink;

// Pokes stage 2 (patched for the program's length) into RAM 0x60.., starts it, takes the
// radio's restart address, then sends stage 1, the program, stage 3 (with the restart
// address) each last byte first, and the closing 0x00. False when a stage-2 byte is not
// echoed or the restart address does not come; the rest is sent without answers.
bool uploadProgram(RadioLink& link, std::span<const Byte> program);

}  // namespace zav
