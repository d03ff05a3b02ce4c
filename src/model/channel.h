#pragma once
// One channel of one group as the channel grid sees it: six texts decoded from the
// channel's record, its scan flag and its label, and encoded back. The object holds only
// where the data lives; the bytes stay in the document's images.

#include <array>
#include <string>
#include <string_view>

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
    {"Chan", "Rec Freq", "Rec CG", "Tx Freq", "Tx CG", "Label", "Scan"});

class Channel {
  public:
    // Throws std::out_of_range for a group outside 0..14 or a channel outside 0..13.
    Channel(MemImage& mem, LabelImage& labels, int group, int channel);

    int groupIndex() const { return group_; }
    int recordAddress() const { return record_; }
    // Image index of the first byte of the field behind grid column 1..4 (a frequency or
    // a code guard, channel_field::kFieldSize bytes). Throws std::out_of_range for any
    // other column.
    int fieldAddress(int column) const;
    int scanByteAddress() const { return scanByte_; }
    Byte scanMask() const { return scanMask_; }

    // Reading decodes; writing encodes. A frequency or code guard text that cannot be
    // encoded leaves the stored bytes unchanged (the setter then returns false).
    std::string recFreq() const;
    bool setRecFreq(std::string_view text);
    std::string recCg() const;
    bool setRecCG(std::string_view text);
    std::string txFreq() const;
    bool setTxFreq(std::string_view text);
    std::string txCg() const;
    bool setTxCG(std::string_view text);
    // " blank  " when the label shows nothing.
    std::string label() const;
    void setLabel(std::string_view text);
    // "Y" or "".
    std::string scan() const;
    // Sets the flag for exactly "Y", clears it for anything else.
    void setScan(std::string_view text);

    // Label "CHAN n" (n = index + 1); nothing else changes.
    void resetToDefaults();
    // Columns 1..6 filled with the six texts; column 0 left empty.
    RowData display() const;
    // The six texts joined by tabs, no trailing tab.
    std::string copyChan() const;
    // Splits a copyChan text back into the six texts and consumes it. With fewer than five
    // tabs the last field is written to every remaining property.
    void pasteChan(std::string& s);
    // The six texts pasteChan takes from a text (columns 1..6), consumed as it consumes it.
    static RowData splitRow(std::string& s);
    // Columns 1..6 of a grid row into the six properties, in column order.
    void writeChannel(const RowData& row);
    // Column 1..6 selects the property; any other number does nothing.
    void update(int field, std::string_view txt);

  private:
    bool setFreq(int offset, std::string_view text);
    bool setCG(int offset, std::string_view text);

    MemImage& mem_;
    LabelImage& labels_;
    int channel_;
    int group_;
    int record_;
    int scanByte_;
    Byte scanMask_;
};

}  // namespace zav
