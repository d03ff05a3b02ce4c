#pragma once
// Edits of many channels of one group at once: one text set in one column of each, and
// receive (and transmit) frequencies filled in steps. Every value passes the channel's own
// setter gate (Channel::update); when any channel would refuse its value, nothing is stored
// and the result names the channels and why. The functions change the document's images
// in place and nothing else, so a window makes one call one Undo step
// (ImageHistory::record around it) and zavtool saves the images afterwards.
//
// Channels are given as indices 0..13, in the order they are filled; texts for a user name
// them by number, 1..14. A channel outside 0..13 or given twice is the caller's mistake and
// throws std::invalid_argument before anything is stored.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/channel.h"  // ChannelColumn

namespace zav {

class Group;

// The radio's channel raster, the default step of a fill.
inline constexpr std::int64_t kRasterHz = 12'500;

// One grid cell a bulk edit changed: the texts it showed before and shows now.
struct CellChange {
    int channel{};  // 0..13
    int column{};   // ChannelColumn 1..6
    std::string before;
    std::string after;

    friend bool operator==(const CellChange&, const CellChange&) = default;
};

// Why a bulk edit stored nothing.
struct BulkRefusal {
    std::vector<int> channels;  // 0..13: every channel that refuses (a fill: the first)
    int column{};               // the column whose gate refused
    std::string reason;         // the gate's reason, or what is wrong with the step

    friend bool operator==(const BulkRefusal&, const BulkRefusal&) = default;
};

// The outcome of a bulk edit: the cells it changed, or why it changed none.
struct BulkEdit {
    std::optional<BulkRefusal> refusal;
    std::vector<CellChange> changes;  // in the list's order, receive first; none when refused

    [[nodiscard]] bool done() const { return !refusal; }
    // For the status bar and stderr: "Channels 1-3, 9, Rec CG: 'x' is not a code guard: ...";
    // "" when done.
    [[nodiscard]] std::string message() const;
};

// `text` into `column` (kColRecFreq..kColScan) of each channel. A channel that already
// shows the text keeps its bytes; any other takes the gate's text, or all are refused
// together. Throws std::invalid_argument for another column.
BulkEdit setColumn(Group& group, std::span<const int> channels, int column, std::string_view text);

// Whether a fill writes the transmit frequencies too.
enum class TransmitFill : std::uint8_t {
    Unchanged,   // only the receive frequencies
    WithOffset,  // transmit = receive + offsetHz (0 for simplex)
};

struct FrequencyFill {
    std::string start;  // the first channel's receive frequency, as the frequency cell takes it
    std::int64_t stepHz = kRasterHz;  // from one channel to the next; negative fills downward
    TransmitFill transmit = TransmitFill::Unchanged;
    std::int64_t offsetHz = 0;  // with TransmitFill::WithOffset
};

// Receive frequency start + k * step into the k-th channel of the list (and the transmit
// frequency with its offset). Refused, naming the first channel whose frequency the cell
// cannot hold (outside the band, off the raster, 400 MHz), or naming the first channel
// for a step that is no non-zero multiple of the raster (column kColRecFreq). A channel
// that shows its frequency already keeps its bytes.
BulkEdit fillFrequencies(Group& group, std::span<const int> channels, const FrequencyFill& fill);

// A signed amount in megahertz ("0.0125", "-5", "+5.0") in whole hertz; nullopt for any
// other text or a finer amount. Parses a fill's step and offset as a user types them.
std::optional<std::int64_t> megahertzToHz(std::string_view text);

// A list of channel numbers such as "1-7,9,11-14" as indices 0..13 in the order given, or
// why it is no such list (a number outside 1..14, a reversed range, a channel twice).
struct ChannelList {
    std::vector<int> channels;
    std::string refusal;  // empty when the list was read
};
ChannelList parseChannelList(std::string_view text);

// Indices 0..13 as channel numbers: "1-3, 9".
std::string channelListText(std::span<const int> channels);

}  // namespace zav
