#pragma once
// Helpers shared by the link tests: random fills, status nibbles, transcript notes, the
// radio's write rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "support/masked_write.h"
#include "support/sim_link.h"

namespace zav::test {

using Bytes = std::vector<Byte>;
using Texts = std::vector<std::string>;

inline void fillRandom(std::span<Byte> bytes, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> d(0, 255);
    for (Byte& b : bytes) b = static_cast<Byte>(d(rng));
}

// Sets group g's (1..15) status nibble in a memory or image.
inline void setNibble(std::span<Byte> memory, int g, int nibble) {
    Byte& b = memory[static_cast<std::size_t>(80 + g / 2)];
    b = g % 2 == 0 ? static_cast<Byte>((b & 0x0F) | (nibble << 4))
                   : static_cast<Byte>((b & 0xF0) | nibble);
}

// The notes the radio made of the host's bytes, in order, that start with `prefix`.
inline std::vector<std::string> hostNotes(const sim::SimRadio& radio, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& e : radio.transcript().entries())
        if (e.direction == sim::Direction::HostToRadio && e.note.starts_with(prefix))
            out.push_back(e.note);
    return out;
}

// Lets every byte still on the line arrive (a whole program at 4800 baud takes a while).
inline void drain(SimLink& s) {
    s.port.advance(s.now() + std::chrono::seconds(2));
}

// Lets a loaded program take what was sent to it, without leaving it idle long enough
// to give up on the host.
inline void settleProgram(SimLink& s) {
    s.port.advance(s.now() + std::chrono::milliseconds(500));
}

// Where `needle` first occurs in `hay`, or hay.size().
inline std::size_t find(const Bytes& hay, const Bytes& needle) {
    return static_cast<std::size_t>(
        std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) - hay.begin());
}

// Bytes from..from + n - 1 of `bytes`, fewer at its end.
inline Bytes slice(const Bytes& bytes, std::size_t from, std::size_t n) {
    from = std::min(from, bytes.size());
    return {bytes.begin() + from, bytes.begin() + std::min(bytes.size(), from + n)};
}

// Checks that exactly the writable bits of `blocks` took the image's value.
inline void expectMaskedWrite(const sim::RadioMemory& before, const sim::RadioMemory& after,
                              const MemImage& image, const std::vector<int>& blocks) {
    expectWritten(before, after, WriteReach(image, blocks), true);
}

inline const Texts kWriteFailed{"Write Failed. Cycle Radio Power before Retrying."};

}  // namespace zav::test
