#pragma once
// The demo radio: what the editor's demo mode and `zavsim --demo` serve, so that every
// command can be tried on a radio that holds something. One copy for both.

#include "model/memory_image.h"

namespace zav {

namespace sim {
class SimRadio;
}

// What the demo radio holds at start: every group present, a few groups with channels,
// code guards, labels and group settings, and the band data the alignment reads.
struct DemoContents {
    MemImage mem{};
    LabelImage labels{};
};
DemoContents demoContents();

namespace sim {
// The demo contents into the radio's memory and labels, with the band 450 to 512 MHz.
void loadDemoRadio(SimRadio& radio);
}  // namespace sim

}  // namespace zav
