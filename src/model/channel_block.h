#pragma once
// Blocks of channels of one group: the clipboard text of several rows, its paste from a
// given row, clearing channels and moving rows up or down. A block's text is one line per
// channel (the six texts joined by tabs, as one copied channel), each ended by a carriage
// return, so a block of all 14 rows is the whole group's text.
//
// Rows are indices 0..13; one outside or given twice is the caller's mistake and throws
// std::invalid_argument before anything changes.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

class Document;
class Group;

inline constexpr char kBlockLineEnd = '\r';  // character 13, without a line feed

// The rows' copyChan texts in the order given, each ended by kBlockLineEnd.
std::string blockText(const Group& group, std::span<const int> rows);

// The lines of a block text, without their ends (a last line without one counts too).
std::vector<std::string> blockLines(std::string_view text);

// The lines of `text` into the rows from `firstRow` on. Every changed cell passes its
// field's gate first; nothing is stored when the block does not fit below `firstRow` or
// any cell is refused. The refusal names why ("Chan 3, Rec CG: why"); empty when pasted.
std::string pasteBlock(Group& group, int firstRow, std::string_view text);

// Receive and transmit frequencies "none", code guards removed; labels and scan flags stay.
void clearChannels(Group& group, std::span<const int> rows);

// Channels a and b of group g change places: their records, scan flags and labels.
void swapChannels(Document& doc, int group, int a, int b);

enum class BlockMove { Up, Down };
// Each of the rows changes places with the row next to it in `direction` that is not one of
// them, so a block moves by one row and the row it passes goes to its other end. The rows
// where the moved channels now are; nullopt (nothing moved) when one is at the group's edge.
std::optional<std::vector<int>> moveChannels(Document& doc, int group, std::span<const int> rows,
                                             BlockMove direction);

}  // namespace zav
