#pragma once
// Comparing what lies in the simulated radio's RAM with the code the radio would have
// to find there to run it. The transfer programs are known by their own length and
// CRC-32, not by the tables the link sends, so that a wrong byte in what the link
// uploads hangs the simulated radio as it would hang a real one.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "sim/sim_radio.h"

namespace zav::sim {

// True when RAM from `address` holds `code` (and fits in RAM).
inline bool ramHolds(const RadioRam& ram, std::size_t address, std::span<const Byte> code) {
    if (address + code.size() > ram.size()) return false;
    return std::equal(code.begin(), code.end(), ram.begin() + static_cast<std::ptrdiff_t>(address));
}

// A piece of code told by its length and its CRC-32 (the reflected 0xEDB88320 one).
struct CodeId {
    std::size_t length = 0;
    std::uint32_t crc32 = 0;
    bool operator==(const CodeId&) const = default;
};

constexpr CodeId codeIdOf(std::span<const Byte> code) {
    constexpr std::uint32_t kPolynomial = 0xEDB88320;
    std::uint32_t crc = 0xFFFFFFFF;
    for (const Byte b : code) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1U) != 0 ? kPolynomial : 0);
    }
    return {code.size(), ~crc};
}

// The programs the radio's processor runs once loaded (the label program without the
// count and load address its block carries).
inline constexpr CodeId kReadProgramCode{142, 0x27CA266F};
inline constexpr CodeId kWriteProgramCode{149, 0xCAA20FAC};
inline constexpr CodeId kLabelProgramCode{152, 0xA7E2B9F6};

// True when RAM from `address` holds the code `id` names.
inline bool ramHoldsCode(const RadioRam& ram, std::size_t address, CodeId id) {
    if (address + id.length > ram.size()) return false;
    return codeIdOf(std::span(ram).subspan(address, id.length)) == id;
}

}  // namespace zav::sim
