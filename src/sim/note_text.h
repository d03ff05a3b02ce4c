#pragma once
// The transcript's notes: short texts with addresses and bytes in hexadecimal.

#include <array>
#include <cstdio>
#include <string>

namespace zav::sim {

// The text of a printf format with up to three integers, e.g. ("read word %03X", a).
inline std::string noteText(const char* format, int a, int b = 0, int c = 0) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), format, a, b, c);
    return text.data();
}

}  // namespace zav::sim
