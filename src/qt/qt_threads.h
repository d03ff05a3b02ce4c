#pragma once
// Threads for Qt serial ports: a port's socket notifiers work only on a thread Qt started,
// so a fleet of radios on serial ports runs each radio on a QThread.

#include "ops/fleet.h"

namespace zav {

// Runs every job at once, each on a QThread, and returns when all have ended.
void runOnQThreads(const std::vector<Job>& jobs);

}  // namespace zav
