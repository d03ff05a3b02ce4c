#pragma once
// One channel of one group as the channel grid sees it: six texts decoded from the
// channel's record, its scan flag and its label, and encoded back. The object holds only
// where the data lives; the bytes stay in the document's images.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "iface/shown_text.h"
#include "model/field_entry.h"
#include "model/memory_image.h"

namespace zav {

// One grid row: column 0 is the channel number (the grid's), columns 1..6 the six texts.
using RowData = std::array<std::string, 7>;

// Grid columns of the six channel texts.
enum ChannelColumn : int {
    kColRecFreq = 1,
    kColRecCG = 2,
    kColTxFreq = 3,
    kColTxCG = 4,
    kColLabel = 5,
    kColScan = 6,
};

// The grid's column captions, column 0 (the channel number) first; also the names the CSV
// exchange and the comparison give the channel's fields.
inline constexpr auto kChannelCaptions = std::to_array<std::string_view>(
    {shownText("Channel", "Chan"), shownText("Channel", "Rec Freq"), shownText("Channel", "Rec CG"),
     shownText("Channel", "Tx Freq"), shownText("Channel", "Tx CG"), shownText("Channel", "Label"),
     shownText("Channel", "Scan")});

// A row checked for a channel: the columns it changes, each with the text its gate shows,
// or the first column refused.
struct RowPaste {
    std::string refusal;  // "Rec CG: why" for the first column refused; empty when none
    std::vector<std::pair<int, std::string>> changes;  // column and the text it stores
};

class Channel {
  public:
    // Throws std::out_of_range for a group outside 0..14 or a channel outside 0..13.
    Channel(MemImage& mem, LabelImage& labels, int group, int channel);

    int groupIndex() const { return group_; }
    // Image index of the first byte of the field behind grid column 1..4 (a frequency or
    // a code guard, channel_field::kFieldSize bytes). Throws std::out_of_range for any
    // other column.
    int fieldAddress(int column) const;

    // Reading decodes. Each setter is its field's entry gate (field_entry.h): it stores
    // only what the radio holds exactly and gives the text the field then shows, or stores
    // nothing and says why. A text the field already shows stores nothing, so a value the
    // gate would refuse (read from a file or a radio) keeps its bytes while untouched.
    std::string recFreq() const;
    FieldEntry setRecFreq(std::string_view text);
    std::string recCg() const;
    FieldEntry setRecCG(std::string_view text);
    std::string txFreq() const;
    FieldEntry setTxFreq(std::string_view text);
    std::string txCg() const;
    FieldEntry setTxCG(std::string_view text);
    // " blank  " when the label shows nothing.
    std::string label() const;
    FieldEntry setLabel(std::string_view text);
    // "Y" or "".
    std::string scan() const;
    FieldEntry setScan(std::string_view text);
    // Column 1..6 selects the setter; any other column is refused.
    FieldEntry update(int column, std::string_view text);

    // Label "CHAN n" (n = index + 1); nothing else changes.
    void resetToDefaults();
    // Columns 1..6 filled with the six texts; column 0 left empty.
    RowData display() const;
    // The six texts joined by tabs, no trailing tab.
    std::string copyChan() const;
    // The six texts pasteChan takes from a text (columns 1..6), consumed as it consumes it.
    // With fewer than five tabs the last field goes to every remaining column.
    static RowData splitRow(std::string& s);
    // Columns 1..6 of a row against the channel: every column whose text differs passes
    // its gate. Nothing is stored.
    RowPaste checkRow(const RowData& row) const;
    // The changes of a checked row, each through its setter.
    void storeRow(const RowPaste& checked);
    // A whole row at once: checked, then stored when no column is refused (else nothing
    // is). Taken, it shows copyChan's text; refused, "Rec CG: why".
    FieldEntry writeChannel(const RowData& row);
    // writeChannel of a copyChan text, which is consumed.
    FieldEntry pasteChan(std::string& s);

  private:
    // Stores a text the column's gate gave.
    void store(int column, const std::string& shown);

    MemImage& mem_;
    LabelImage& labels_;
    int channel_;
    int group_;
    int record_;
    int scanByte_;
    Byte scanMask_;
};

}  // namespace zav
