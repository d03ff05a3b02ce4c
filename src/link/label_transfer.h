#pragma once
// Transfer of the alpha labels between the label image and the radio's label memory.
// The label memory is out of reach of the resident firmware; a label program is loaded
// through a two-stage bootstrap (label_programs.h) and then moves one byte per frame at
// 9600 baud. The radio holds a slot's 8 characters reversed: radio offset base + j holds
// position 7 - j.

#include <array>
#include <cstdint>

#include "iface/shown_text.h"
#include "model/memory_image.h"

namespace zav {

class RadioLink;

using LabelSlot = std::array<Byte, kLabelPositions>;

// Radio label offset of slot s (1..16) of group g (1..15): (g - 1) * 128 + (s - 1) * 8.
constexpr int labelOffset(int g, int s) {
    return ((g - 1) * kLabelSlots + (s - 1)) * kLabelPositions;
}

// Whole transfers. groupIndex is the window's: -1 for all groups, 0..14 for one. Each is
// one connection with its own progress window ("Please Wait - Reading Labels" / "Please
// Wait - Writing Labels"); a read can be cancelled, a write only from outside the window
// (its Cancel button stays disabled), and then between two labels. The labels change
// only when the read succeeds. Given the labels the radio holds (just read), a write
// sends only the bytes that differ from them; otherwise every byte.
inline constexpr const char* kReadingLabels = shownText("Messages", "Please Wait - Reading Labels");
inline constexpr const char* kWritingLabels = shownText("Messages", "Please Wait - Writing Labels");
bool readLabelsFromRadio(RadioLink& link, LabelImage& labels, int groupIndex);
bool writeLabelsToRadio(RadioLink& link, const LabelImage& labels, int groupIndex,
                        const LabelImage* onRadio = nullptr);

// Every slot of group `group` (1..15), or of all groups for 0, driving the progress bar
// (maximum 16 per group). A group above 15 is refused with "Requested bank is invalid".
bool readLabelGroups(RadioLink& link, LabelImage& labels, int group);
bool writeLabelGroups(RadioLink& link, const LabelImage& labels, int group,
                      const LabelImage* onRadio = nullptr);

// One slot. A read asks for each byte up to 4 times, pausing 7 ms, 8 ms, ... (counting on
// through the slot) after each miss, and stops at once when Cancel is pressed. A write
// waits for each byte's echo and does not retry; given the slot as the radio holds it, it
// sends only the bytes that differ.
bool readLabel(RadioLink& link, int group, int slot, LabelSlot& buffer);
bool writeLabel(RadioLink& link, int group, int slot, const LabelSlot& buffer,
                const LabelSlot* held = nullptr);

// Pokes the first-stage loader into RAM 0xE0.., starts it and sends it the label program.
// False when a loader byte is not echoed.
bool startLabelTransfer(RadioLink& link);

// A register write to the label program (no answer).
void writeLabelRegister(RadioLink& link, Byte reg, Byte value);
void setLabelReadMode(RadioLink& link);
void clearLabelReadMode(RadioLink& link);

}  // namespace zav
