// Opening a file: the bytes as a frequency file and, as text, as a CSV table to import.
// A file that opens saves and opens again unchanged; a table either imports whole or
// leaves the images alone naming the row of every problem, and the export of what it
// imported imports as no change.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "files/csv_exchange.h"
#include "files/default_file.h"
#include "files/frequency_file.h"
#include "fuzz_check.h"

using namespace zav;
using zav::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const Byte> bytes(data, size);
    if (const auto opened = decodeFrequencyFile(bytes)) {
        const FrequencyFileBytes saved = encodeFrequencyFile(opened->image, opened->labels);
        const auto reopened = decodeFrequencyFile(saved);
        require(reopened && reopened->image == opened->image && reopened->labels == opened->labels,
                "a file that opens saves and opens again unchanged");
    }

    const auto base = decodeFrequencyFile(defaultFrequencyFile());
    require(base.has_value(), "the default file opens");
    FrequencyFileContents file = *base;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CsvImport imported = importCsv(file.image, file.labels, text);
    if (!imported.problems.empty()) {
        require(file.image == base->image && file.labels == base->labels,
                "a table with a problem changes nothing");
        require(
            std::ranges::all_of(imported.problems, [](const CsvProblem& p) { return p.row > 0; }),
            "every problem names its row");
        return 0;
    }
    const FrequencyFileContents before = file;
    const CsvImport again = importCsv(file.image, file.labels, exportCsv(file.image, file.labels));
    require(again.problems.empty() && again.changedCells == 0 && file.image == before.image &&
                file.labels == before.labels,
            "the export of an imported table imports as no change");
    return 0;
}
