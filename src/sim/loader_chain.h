#pragma once
// The radio's side of the loader chain of the whole-radio transfers. Started at 0x60,
// it follows the chain byte by byte as the radio's processor would: stage 2 must lie at
// 0x60..0x7D; it reports the restart address, takes stage 1 into 0x58 down to 0x50 and
// jumps there; stage 1 stores every following byte at its index, counting down, until a
// 0x00 lands on its loop branch at 0x58; then stage 3 (0x59..0x61) must hold its code
// and the restart address, and the code at 0x62 must be the read or the write program.
// Anything else leaves the radio hung and silent.

#include <memory>

#include "sim/radio_program.h"

namespace zav::sim {

// Program factory for an execute at 0x60: nullptr when stage 2 is not in RAM there.
std::unique_ptr<RadioProgram> startLoaderChain(SimRadio& radio);

}  // namespace zav::sim
