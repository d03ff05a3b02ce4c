// CHIRP's generic CSV into the default image, by Location or from a group on, refusing or
// leaving out unfit rows. A refused table changes nothing, nor does a table left whole
// with nothing to import; the global page never changes; and what came in exports and
// imports again by Location to the very same images.

#include <cstdint>
#include <string>

#include "files/chirp_csv.h"
#include "files/csv_table.h"
#include "files/default_file.h"
#include "files/frequency_file.h"
#include "fuzz_check.h"

using namespace zav;
using zav::fuzz::FuzzInput;
using zav::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int group = input.takeByte() % (kGroupCount + 1);  // 0: by Location
    const UnfitRows unfit = input.takeByte() % 2 == 0 ? UnfitRows::Refuse : UnfitRows::Skip;
    const std::string text = input.takeRest();

    const auto opened = decodeFrequencyFile(defaultFrequencyFile());
    require(opened.has_value(), "the default file opens");
    MemImage mem = opened->image;
    LabelImage labels = opened->labels;
    ChirpPlacement placement;
    if (group > 0) placement.firstGroup = group - 1;
    const ChirpImport result = importChirpCsv(mem, labels, text, placement, unfit);
    if (!result.imported) {
        require(mem == opened->image && labels == opened->labels,
                "a refused table changes nothing");
        require(!result.problems.empty(), "a refused table says why");
    }
    require(unfit == UnfitRows::Skip || result.imported == result.problems.empty(),
            "a table imports whole or not at all");
    require(std::equal(mem.begin(), mem.begin() + kPageSize, opened->image.begin()),
            "the global page stays as it was");

    const std::string exported = exportChirpCsv(mem, labels);
    const auto records = parseCsv(exported);
    require(records && !records->empty() && isChirpHeader(records->front()),
            "the export is CHIRP's table");
    MemImage again = mem;
    LabelImage againLabels = labels;
    const ChirpImport back = importChirpCsv(again, againLabels, exported, {}, UnfitRows::Refuse);
    require(back.imported && back.problems.empty(), "an export imports again");
    require(again == mem && againLabels == labels, "an export imports to the same images");
    return 0;
}
