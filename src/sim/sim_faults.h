#pragma once
// Faults the simulated radio can be told to show, to exercise the host's error paths.

#include <optional>

#include "model/memory_image.h"
#include "sim/sim_time.h"

namespace zav::sim {

struct SimFaults {
    bool silent = false;            // the radio never sends anything
    std::optional<int> dropOutput;  // the Nth byte the radio would send (from 1) is lost
    std::optional<int> wrongEcho;   // the Nth echo of a written byte (from 1) comes back
                                    // altered; 0 alters every echo
    SimTime replyDelay{0};          // slow replies: extra time before each byte it sends
    std::optional<int> stopAfter;   // after sending N bytes the radio sends no more
    std::optional<SimTime> cutAt;   // from this time nothing passes in either direction
};

struct SimConfig {
    Byte hookReply = 0x24;  // the answer to the hook and the probe
    // Bytes take 10 bit times on the line; off, they pass instantly (an unpaced pty).
    bool lineTiming = true;
    SimFaults faults;
};

}  // namespace zav::sim
