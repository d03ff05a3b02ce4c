#include "unit_printout.h"

#include "frequency_file_io.h"
#include "model/document.h"

namespace zav::tool {

std::optional<Printout> composeFilePrintout(const std::string& path, std::string_view command) {
    const auto contents = loadFrequencyFile(path, command, false);
    if (!contents) return std::nullopt;
    Document doc;
    doc.mem = contents->image;
    doc.labels = contents->labels;
    doc.initGroups(0, 1);
    return composeUnitData(doc, path);
}

}  // namespace zav::tool
