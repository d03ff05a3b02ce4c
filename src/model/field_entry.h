#pragma once
// One gate per field for the texts a user enters: a typed cell, the offset box, a header
// field, a pasted row, an imported CSV cell, a fleet's unit number. A gate gives the text
// the field shows once it holds the entry, or why the field cannot hold the entry exactly.
// A channel's setters are its fields' gates (channel.h), so no path stores what another
// refuses. The codecs stay as lenient as the radio's own program, for texts read from
// files and radios.

#include <string>
#include <string_view>
#include <utility>

namespace zav {

// What a field makes of an entry: the text it then shows, or why it cannot hold the entry
// exactly (and stores nothing). One type for every field's gate and every setter behind it.
class FieldEntry {
  public:
    static FieldEntry taken(std::string shown) { return {true, std::move(shown)}; }
    static FieldEntry refused(std::string reason) { return {false, std::move(reason)}; }

    [[nodiscard]] bool accepted() const { return accepted_; }
    explicit operator bool() const { return accepted_; }
    // The text the field shows once it holds the entry; throws std::logic_error if refused.
    [[nodiscard]] const std::string& shown() const;
    // Why the entry was refused; throws std::logic_error if it was taken.
    [[nodiscard]] const std::string& reason() const;

    friend bool operator==(const FieldEntry&, const FieldEntry&) = default;

  private:
    FieldEntry(bool accepted, std::string text) : accepted_(accepted), text_(std::move(text)) {}

    bool accepted_;
    std::string text_;
};

// A tone of 0.1 to 799.9 Hz in steps of 0.1 Hz, or a digital code D000 to D777 with an
// optional "-" (inverted); the empty text and a tone of 0 remove the code guard.
FieldEntry codeGuardEntry(std::string_view typed);
// Up to 8 of the radio's display characters, each optionally followed by a point, padded
// with blanks; lower-case letters become capitals, except h, a character of its own.
FieldEntry labelEntry(std::string_view typed);
// Up to 7 hexadecimal digits, padded with leading zeros (the empty text gives zeros).
FieldEntry idEntry(std::string_view typed);
// "Y" or the empty text.
FieldEntry scanEntry(std::string_view typed);
// A frequency of 400 to 600 MHz in the radio's 12.5 kHz steps, typed in MHz or, with
// four or more whole digits, in a finer unit (450125 is 450.125 MHz); the empty text,
// "none" and zero remove it ("none"). 400 MHz is refused: the radio holds it as none.
FieldEntry frequencyEntry(std::string_view typed);
// The gate of the grid's column 1..6.
FieldEntry channelEntry(int column, std::string_view typed);

}  // namespace zav
