#pragma once
// The unit-global parameters of the global page, exchanged with the global parameters
// window as list indices (into the lists of model/lists.h) and the password text.

#include <string>
#include <string_view>

#include "model/memory_image.h"

namespace zav {

struct GlobalParams {
    std::string password;  // six hexadecimal digits
    int globalBat{};       // lists::kGlobalBattSave index (0 "Disabled", 1 "Enabled")
    int bankScan{};        // lists::kBankScan index
    int priRate{};         // lists::kPriorityRate index
    int dtmfDev{};         // lists::kDtmfDeviation index
    int aniRate{};         // lists::kAniRate index
    int porchTime{};       // lists::kFrontPorch index
};

// The fields as the global page holds them.
GlobalParams readGlobalParams(const MemImage& mem);

// Writes only the fields' bits; every other bit of the global page is kept. A value
// outside its list is refused with std::overflow_error before anything is written.
void writeGlobalParams(MemImage& mem, const GlobalParams& p);

// Bytes 96..98 as six upper-case hexadecimal digits.
std::string loadPassword(const MemImage& mem);

// Pads the text on the left with "0" to six characters and stores its first six
// characters as three bytes; non-hexadecimal characters count as 0.
void storePassword(MemImage& mem, std::string_view text);

}  // namespace zav
