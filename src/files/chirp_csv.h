#pragma once
// CHIRP's generic CSV table, the channel list most programmers exchange: a header row
// naming the columns (found by name, unknown ones ignored), then one row per memory with
// its Location, Name, Frequency, Duplex and Offset (MHz), tone columns (Tone, rToneFreq,
// cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode), Mode and Skip.
//
// Import: every row becomes a channel's six texts, each through its field's gate; a row
// the radio cannot hold exactly is refused with its row, column and reason, and then
// nothing is imported, unless such rows are to be skipped. Columns older exports lack
// read as CHIRP's defaults; tone and code pairs (a TSQL tone in rToneFreq or cToneFreq, a
// code in DtcsCode or RxDtcsCode) take the value that is not CHIRP's default.
//
// Export: every channel with a receive frequency of every group the page map holds, at
// Location group * 14 + channel (both from 0), each pair written with one value twice.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/csv_exchange.h"
#include "files/csv_table.h"
#include "model/memory_image.h"

namespace zav {

// Whether a header row is CHIRP's: it names Location and Frequency.
bool isChirpHeader(const CsvRecord& header);

std::string exportChirpCsv(const MemImage& mem, const LabelImage& labels);

// What becomes of rows the radio cannot hold.
enum class UnfitRows : std::uint8_t { Refuse, Skip };

// Where rows go: by Location (slot L is group L / 14, channel L % 14, from 0), or in
// Location order into consecutive channels from channel 1 of a group on.
struct ChirpPlacement {
    std::optional<int> firstGroup;  // 0..14; nullopt: by Location
};

struct ChirpImport {
    // The rows refused (or, skipped, left out), each with its row and column, or what is
    // wrong with the table itself.
    std::vector<CsvProblem> problems;
    bool imported = false;  // the images hold the rows (those not left out)
    int channels = 0;       // channels the rows were stored in
};

// Imports the table into the images, which change only when it is imported.
ChirpImport importChirpCsv(MemImage& mem, LabelImage& labels, std::string_view text,
                           ChirpPlacement placement, UnfitRows unfit);

}  // namespace zav
