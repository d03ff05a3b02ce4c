#pragma once
// One gate per field for the texts a user enters: a typed cell, a header field, a pasted
// row, an imported CSV cell. A gate gives the text the field shows once it holds the
// entry, or why the field cannot hold the entry exactly; every entry path stores through
// these, so no path stores what another refuses. The codecs stay as lenient as the radio's
// own program, for texts read from files and radios.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zav {

class Channel;

struct FieldEntry {
    bool accepted = false;
    std::string text;  // accepted: the text the field then shows; refused: the reason
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
// The gate of the grid's column 1..6; frequencies take frequencyEntry.
FieldEntry channelEntry(int column, std::string_view typed);

// A row of Copy a row's form (the six texts joined by tabs) pasted onto a channel: each
// column whose text differs from the channel's passes its gate.
struct RowPaste {
    std::string refusal;  // "Rec CG: why" for the first column refused; empty when none
    std::vector<std::pair<int, std::string>> changes;  // column and the text it stores
};
RowPaste checkRowPaste(const Channel& channel, std::string text);
void applyRowPaste(Channel& channel, const RowPaste& paste);

}  // namespace zav
