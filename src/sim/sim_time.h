#pragma once
// Time on the simulated line. Every byte takes 10 bit times (start, 8 data, stop).

#include <chrono>
#include <cstdint>

#include "link/line_settings.h"

namespace zav::sim {

using SimTime = std::chrono::nanoseconds;

constexpr SimTime byteTime(int baud) {
    return SimTime(std::int64_t{1'000'000'000} * kBitsPerByte / baud);
}

}  // namespace zav::sim
