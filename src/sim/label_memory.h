#pragma once
// The radio keeps each label slot's 8 characters reversed: radio offset
// (g - 1) * 128 + (s - 1) * 8 + j holds display position 7 - j of slot s of group g.
// Conversions between that order and the editor's label image.

#include "sim/sim_radio.h"

namespace zav::sim {

LabelMemory labelMemoryFromImage(const LabelImage& labels);
LabelImage labelImageFromMemory(const LabelMemory& memory);

}  // namespace zav::sim
