#pragma once
// Where every field the editor interprets lives in the radio's memory and in the label
// memory, and how its bits are laid out. Decoding, encoding, the printout and the radio
// write masks all read these descriptors; no other code spells out offsets or shifts.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace zav {

// One bit field inside one byte. `offset` is an image index for global fields, an offset
// within the group page for group-header fields, and the display position inside the
// backlight slot for backlight bits. Bits are numbered 0 (least significant) to 7.
struct BitField {
    std::uint16_t offset;
    std::uint8_t bitpos;
    std::uint8_t width;
};

// A field that occupies a whole byte.
constexpr BitField wholeByte(std::uint16_t offset) {
    return BitField{offset, 0, 8};
}

// Largest value a field can hold.
constexpr int fieldMax(BitField f) {
    return (1 << f.width) - 1;
}

// Bits of the byte that belong to the field.
constexpr std::uint8_t fieldMask(BitField f) {
    return static_cast<std::uint8_t>(fieldMax(f) << f.bitpos);
}

// The field's value in byte b.
constexpr int fieldValue(std::uint8_t b, BitField f) {
    return (b >> f.bitpos) & fieldMax(f);
}

// Byte b with the field replaced by value (value bits beyond the width are dropped).
constexpr std::uint8_t withField(std::uint8_t b, BitField f, int value) {
    return static_cast<std::uint8_t>((b & ~fieldMask(f)) | ((value << f.bitpos) & fieldMask(f)));
}

// ---------------------------------------------------------------------------------------
// Global page (page 0): offsets are image indices.

namespace global_field {

// Page map: 16 status nibbles, one per page, in bytes 80 to 87. Nibble i lies in byte
// 80 + i/2, the high nibble for even i and the low nibble for odd i.
inline constexpr std::uint16_t kPageMapFirst = 80;
inline constexpr int kPageMapBytes = 8;
// The nibble of a page that holds a group: bit 3 set means the page is there; a whole
// radio write takes only pages whose nibble is exactly this value.
inline constexpr int kPagePresent = 8;

constexpr BitField pageMapNibble(int page) {
    return BitField{static_cast<std::uint16_t>(kPageMapFirst + page / 2),
                    static_cast<std::uint8_t>(page % 2 == 0 ? 4 : 0), 4};
}

// Unit password: six hexadecimal digits, two per byte, high nibble first.
inline constexpr auto kPassword =
    std::to_array<BitField>({wholeByte(96), wholeByte(97), wholeByte(98)});

inline constexpr BitField kFrontPorch{111, 0, 2};     // list index 0..3
inline constexpr BitField kAniRate{111, 2, 1};        // list index 0..1
inline constexpr BitField kDtmfDeviation{111, 3, 5};  // list index 0..31

inline constexpr BitField kBankScan{119, 0, 1};        // 1 = enabled
inline constexpr BitField kPriorityRate{119, 3, 4};    // list index 0..15
inline constexpr BitField kGlobalBattSave{119, 7, 1};  // stored inverted: 1 = disabled

// Every global field the editor writes (bits 1 and 2 of byte 119 are not among them).
inline constexpr auto kEditedFields =
    std::to_array<BitField>({kPassword[0], kPassword[1], kPassword[2], kFrontPorch, kAniRate,
                             kDtmfDeviation, kBankScan, kPriorityRate, kGlobalBattSave});

}  // namespace global_field

// ---------------------------------------------------------------------------------------
// The synthesizer alignment's data in the global page: the band it reads and the results
// it writes straight into the radio (the editor's image does not carry them).

namespace syncal_field {

inline constexpr int kBandEdge = 0x78;     // word: band low edge
inline constexpr int kBandDivisor = 0x7C;  // byte: band width divisor
// Each path's results: four words, the last byte of which is not the alignment's and is
// written back unchanged.
inline constexpr int kResultBytes = 8;
inline constexpr int kRxResults = 0x70;  // RX: 0x70..0x77
inline constexpr int kTxResults = 0x68;  // TX: 0x68..0x6F
inline constexpr int kRxKeptByte = kRxResults + kResultBytes - 1;
inline constexpr int kTxKeptByte = kTxResults + kResultBytes - 1;
static_assert(kTxKeptByte == global_field::kDtmfDeviation.offset);

}  // namespace syncal_field

// ---------------------------------------------------------------------------------------
// Group header (the first 16 bytes of a group page): offsets within the page.

namespace group_field {

inline constexpr int kHeaderSize = 16;

inline constexpr BitField kScanHigh{0, 0, 6};    // scan flags of channels 9..14 (index 8..13)
inline constexpr BitField kVariableCG{0, 6, 1};  // 1 = on
inline constexpr BitField kBattSave{0, 7, 1};    // 1 = battery saver OFF
inline constexpr BitField kScanLow{1, 0, 8};     // scan flags of channels 1..8 (index 0..7)

inline constexpr BitField kTimeOutTimer{2, 0, 4};  // list index 0..15
inline constexpr BitField kScanHold{2, 4, 4};      // list index 0..15

inline constexpr BitField kPriorityChannel{3, 0, 4};  // channel index 0..13
inline constexpr BitField kEntClrLockout{3, 4, 1};    // 1 = locked out
inline constexpr BitField kPriKeyLockout{3, 5, 1};    // 1 = locked out
inline constexpr BitField kPriorityMode{3, 6, 2};     // stored code: 0=A, 1=D, 2=B, 3=C

inline constexpr BitField kAniDigit1{4, 0, 4};    // first hexadecimal digit of the ANI/ID
inline constexpr BitField kResidentAni{4, 4, 2};  // list index 0..3
inline constexpr BitField kBusyChannel{4, 6, 2};  // list index 0..3
// ANI/ID digits 2 to 7, two per byte, high nibble first.
inline constexpr auto kAniDigitBytes =
    std::to_array<BitField>({wholeByte(5), wholeByte(6), wholeByte(7)});

// Scan flag of a channel (index 0..13): one bit of header byte 1 or 0.
constexpr BitField scanFlag(int channel) {
    return channel < 8 ? BitField{1, static_cast<std::uint8_t>(channel), 1}
                       : BitField{0, static_cast<std::uint8_t>(channel - 8), 1};
}

}  // namespace group_field

namespace group_field {

// Every field of the header, each byte's in bit order.
inline constexpr std::array kHeaderFields{
    kScanHigh,      kVariableCG,       kBattSave,         kScanLow,
    kTimeOutTimer,  kScanHold,         kPriorityChannel,  kEntClrLockout,
    kPriKeyLockout, kPriorityMode,     kAniDigit1,        kResidentAni,
    kBusyChannel,   kAniDigitBytes[0], kAniDigitBytes[1], kAniDigitBytes[2]};

}  // namespace group_field

// Whether the fields cover every bit of the bytes they lie in exactly once.
constexpr bool tileTheirBytes(std::span<const BitField> fields) {
    std::array<unsigned, group_field::kHeaderSize> used{};
    for (const BitField f : fields) {
        if (f.offset >= used.size() || f.bitpos + f.width > 8) return false;
        if ((used.at(f.offset) & fieldMask(f)) != 0) return false;
        used.at(f.offset) |= fieldMask(f);
    }
    return std::ranges::all_of(used, [](unsigned bits) { return bits == 0 || bits == 0xFF; });
}
static_assert(tileTheirBytes(group_field::kHeaderFields));

// ---------------------------------------------------------------------------------------
// Channel record (8 bytes): offsets within the record.

namespace channel_field {

inline constexpr int kRecordSize = 8;
inline constexpr int kFirstRecord = group_field::kHeaderSize;  // page offset of channel 0's record
inline constexpr int kFieldSize = 2;  // every frequency and code guard field

inline constexpr std::uint16_t kRecFreq = 0;  // frequency field, 2 bytes
inline constexpr std::uint16_t kRecCG = 2;    // code guard field, 2 bytes
inline constexpr std::uint16_t kTxFreq = 4;   // frequency field, 2 bytes
inline constexpr std::uint16_t kTxCG = 6;     // code guard field, 2 bytes

}  // namespace channel_field

// ---------------------------------------------------------------------------------------
// Label memory: slots of a group and the backlight byte.

namespace label_field {

inline constexpr int kGroupLabelSlot = 14;
inline constexpr int kBacklightSlot = 15;
inline constexpr int kBacklightPosition = 7;

// Bits of the backlight byte (slot 15, position 7); offset is the position in the slot.
inline constexpr BitField kAlphaEnabled{kBacklightPosition, 0, 1};
inline constexpr BitField kBlTimeout{kBacklightPosition, 1, 3};  // list index 0..7
inline constexpr BitField kBlKeypress{kBacklightPosition, 4, 1};
inline constexpr BitField kBlOther{kBacklightPosition, 5, 1};
inline constexpr BitField kBlScanState{kBacklightPosition, 6, 1};
inline constexpr BitField kBlChannel{kBacklightPosition, 7, 1};
inline constexpr std::array kBacklightFields{kAlphaEnabled, kBlTimeout,   kBlKeypress,
                                             kBlOther,      kBlScanState, kBlChannel};
static_assert(tileTheirBytes(kBacklightFields));

// Bits of one label byte.
inline constexpr BitField kPoint{0, 0, 1};     // decimal point after the character
inline constexpr BitField kCharCode{0, 1, 6};  // character code 0..63
inline constexpr std::uint8_t kErased = 0xFF;  // erased memory: shows nothing

}  // namespace label_field

}  // namespace zav
