#pragma once
// One row of CHIRP's generic CSV table and one channel's six texts, both ways
// (chirp_csv.h has the table).

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "model/channel.h"

namespace zav {

// The columns CHIRP writes, in its order.
inline constexpr auto kChirpColumns = std::to_array<std::string_view>(
    {"Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
     "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
     "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"});

// A row's cells by column name.
using ChirpCells = std::map<std::string, std::string, std::less<>>;

struct RowRefusal {
    std::string column;
    std::string reason;
};

// A channel's texts from a row: each as its field's gate shows it (the label as Name
// gives it), or the first cell that cannot be held.
struct ChannelTexts {
    RowData texts;
    std::optional<RowRefusal> refusal;
};
ChannelTexts channelTexts(const ChirpCells& cells);

// The cells of a channel's texts, but for Location and Name.
ChirpCells chirpCells(const RowData& texts);

}  // namespace zav
