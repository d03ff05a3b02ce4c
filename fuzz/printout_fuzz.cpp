// The unit data printout of any image and labels, as a file may hold them: composing it
// reads the document only, gives a section for each group the page map holds, and the
// plain text has a line for each printout line.

#include <algorithm>
#include <cstdint>

#include "fuzz_check.h"
#include "model/document.h"
#include "model/memory_map.h"
#include "print/printout.h"

using namespace zav;
using zav::fuzz::FuzzInput;
using zav::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    Document doc;
    for (Byte& b : doc.mem) b = input.takeByte();
    for (Byte& b : doc.labels) b = input.takeByte();
    doc.reloadGroups();
    const MemImage mem = doc.mem;
    const LabelImage labels = doc.labels;
    const Printout printout = composeUnitData(doc, input.takeRest());
    require(doc.mem == mem && doc.labels == labels, "the printout reads only");
    int groups = 0;
    for (int g = 0; g < kGroupCount; ++g) groups += groupExists(doc.mem, g) ? 1 : 0;
    const auto sections = std::ranges::count_if(printout, [](const PrintLine& line) {
        const std::string text = line.text();
        return text.starts_with("Group ") && text.ends_with(" Data");
    });
    require(sections == groups, "a section for every group the page map holds");
    const std::string text = plainText(printout);
    require(std::ranges::count(text, '\n') == std::ssize(printout), "a text line for every line");
    require(composeUnitData(doc, "again").size() == printout.size(), "the same printout again");
    return 0;
}
