#pragma once
// Every field the editor shows, by the name its window gives it, read and stored as the
// text the window shows: a channel's grid columns, a group's parameters and the global
// parameters. The CSV exchange and the image comparison both work through this table, so
// they name, show and check fields exactly as the editor does.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/memory_image.h"

namespace zav {

enum class FieldScope : std::uint8_t { Channel, Group, Global };

// Where a field is read or stored: the images, and for channel and group fields the
// group (0..14) and the channel (0..13).
struct FieldPlace {
    MemImage& mem;
    LabelImage& labels;
    int group = 0;
    int channel = 0;
};

struct FieldText {
    std::string_view name;
    FieldScope scope;
    // The text the editor shows for the field.
    std::string (*read)(const FieldPlace& at);
    // Stores a text through the field's entry gate (field_entry.h); nullopt when stored,
    // else why the text was refused (nothing changed then). A text a gate gave reads back
    // as itself; storing a text read gives the same bytes where the gate takes it.
    std::optional<std::string> (*store)(const FieldPlace& at, std::string_view text);
};

// Channel fields first (the grid's columns in order), then group fields, then global ones.
std::span<const FieldText> fieldTexts();

// Flags (scan, lockouts, backlight bits) read "Y" when set and "" when clear.
inline constexpr std::string_view kFlagSet = "Y";

}  // namespace zav
