// Paste into the channel grid: one row or all rows of a group from any clipboard text
// (lines split as the grid's Paste splits them, each cell through its field's gate). A
// paste changes only its own group's page and labels, every cell it stores reads back as
// its gate shows it, and a row copied and pasted back changes nothing.

#include <cstdint>
#include <string>

#include "files/default_file.h"
#include "files/frequency_file.h"
#include "fuzz_check.h"
#include "model/field_entry.h"
#include "model/group.h"

using namespace zav;
using zav::fuzz::FuzzInput;
using zav::fuzz::require;

namespace {

bool onlyGroupChanged(const FrequencyFileContents& before, const MemImage& mem,
                      const LabelImage& labels, int g) {
    const auto page = kPageSize * static_cast<std::size_t>(g + 1);
    for (std::size_t i = 0; i < mem.size(); ++i)
        if ((i < page || i >= page + kPageSize) && mem[i] != before.image[i]) return false;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (static_cast<int>(i % kGroupCount) != g && labels[i] != before.labels[i]) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int g = input.takeByte() % kGroupCount;
    const int row = input.takeByte() % (kChannelsPerGroup + 1);  // the last: all rows
    std::string text = input.takeRest();

    const auto opened = decodeFrequencyFile(defaultFrequencyFile());
    require(opened.has_value(), "the default file opens");
    MemImage mem = opened->image;
    LabelImage labels = opened->labels;
    Group group(mem, labels, g);
    // Each line as the grid's Paste takes it: checked by the fields' gates, then stored.
    const auto pasteLine = [&](const std::string& line, int r) {
        const MemImage before = mem;
        const LabelImage beforeLabels = labels;
        std::string rest = line;
        const RowPaste checked = group.channel(r).checkRow(Channel::splitRow(rest));
        require(checked.refusal.empty() || checked.changes.empty(), "a refused row stores nothing");
        group.channel(r).storeRow(checked);
        const RowData shown = group.display(r);
        for (const auto& [column, stored] : checked.changes)
            require(shown[static_cast<std::size_t>(column)] == stored,
                    "a pasted cell reads back as its gate shows it");
        require(!checked.changes.empty() || (mem == before && labels == beforeLabels),
                "a row without changes leaves the images alone");
    };
    if (row < kChannelsPerGroup) {
        pasteLine(text, row);
    } else {
        for (int r = 0; r < kChannelsPerGroup; ++r) {
            const std::size_t end = text.find('\r');  // the grid's line end
            pasteLine(text.substr(0, end), r);
            text.erase(0, end == std::string::npos ? text.size() : end + 1);
        }
    }
    require(onlyGroupChanged(*opened, mem, labels, g), "a paste stays in its group");

    const MemImage pastedMem = mem;
    const LabelImage pastedLabels = labels;
    for (int r = 0; r < kChannelsPerGroup; ++r) {
        std::string copied = group.copyChan(r);
        std::string rest = copied;
        require(group.channel(r).checkRow(Channel::splitRow(rest)).changes.empty(),
                "a copied row pasted back has nothing to change");
        group.pasteRecord(copied, r);
    }
    require(mem == pastedMem && labels == pastedLabels, "a copied row pastes back unchanged");
    return 0;
}
