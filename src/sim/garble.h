#pragma once
// What a byte becomes when the receiver samples it at another speed than the sender's.
// A real UART sees framing errors and shifted bits; the simulation uses one fixed
// scrambling instead, so results are repeatable. It has no fixed point, so a garbled
// echo never matches the byte sent, and it moves the hook replies 0x24..0x2F out of
// the accepted range.

#include <bit>

#include "model/memory_image.h"

namespace zav::sim {

constexpr Byte garble(Byte b) {
    return static_cast<Byte>(std::rotl(b, 3) ^ 0x6B);
}

namespace detail {
constexpr bool garbleHasNoFixedPoint() {
    for (int v = 0; v < 256; ++v)
        if (garble(static_cast<Byte>(v)) == v) return false;
    return true;
}
}  // namespace detail
static_assert(detail::garbleHasNoFixedPoint());

}  // namespace zav::sim
