#pragma once
// The DTMF deviation utility: writes a deviation code straight into a connected radio's
// global byte 0x6F so that a technician can set the deviation while measuring it. The
// code sits in bits 3..7 of that byte; bits 0..2 (front porch time and ANI rate) are
// kept as the radio holds them, not as the image holds them.

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/memory_fields.h"
#include "model/memory_image.h"

namespace zav {

class RadioLink;

inline constexpr int kDtmfDeviationAddress = global_field::kDtmfDeviation.offset;  // 0x6F
// 0..31, the list index of the deviation list.
inline constexpr int kDtmfDeviationCodes = fieldMax(global_field::kDtmfDeviation) + 1;

constexpr bool dtmfCodeValid(int code) {
    return code >= 0 && code < kDtmfDeviationCodes;
}

// The byte 0x6F with `code` in bits 3..7 and bits 0..2 of `current`.
constexpr Byte mergeDtmfDeviation(Byte current, int code) {
    return withField(current, global_field::kDtmfDeviation, code);
}

// The deviation code of an image (byte 0x6F div 8) and storing one into it.
int dtmfDeviationCode(const MemImage& mem);
// Throws std::out_of_range for a code outside 0..31, leaving the image unchanged.
void storeDtmfDeviation(MemImage& mem, int code);

// A deviation code given as text: its list index 0..31 as a whole number ("6"), or an
// entry of the deviation list with or without its leading blank ("1125.0", "187.5",
// "Test 1", any case). nullopt for anything else.
std::optional<int> dtmfCodeFromText(std::string_view text);

enum class DtmfWriteResult : std::uint8_t {
    Busy,         // another radio operation runs on the link; nothing was sent
    HookFailed,   // the port did not open or the radio did not answer (already shown)
    ReadFailed,   // the radio's word at 0x6E did not come; nothing was written
    WriteFailed,  // the write frame went out but its echo did not confirm it
    Written,
};

// One connection: hook at 4800 baud, read the word at 0x6E, write it back unmasked with
// the code merged into byte 0x6F, release. Shows no message of its own; the link shows
// its port, hook and busy messages. Throws std::out_of_range for a code outside 0..31
// before anything is sent.
DtmfWriteResult writeDtmfDeviation(RadioLink& link, int code);

}  // namespace zav
