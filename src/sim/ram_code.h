#pragma once
// Comparing what lies in the simulated radio's RAM with the code the radio would have
// to find there to run it.

#include <algorithm>
#include <cstddef>
#include <span>

#include "sim/sim_radio.h"

namespace zav::sim {

// True when RAM from `address` holds `code` (and fits in RAM).
inline bool ramHolds(const RadioRam& ram, std::size_t address, std::span<const Byte> code) {
    if (address + code.size() > ram.size()) return false;
    return std::equal(code.begin(), code.end(), ram.begin() + static_cast<std::ptrdiff_t>(address));
}

}  // namespace zav::sim
