// The bulk edit commands: one column set on many channels, and frequencies filled in
// steps, both through the core's bulk edits with the editor's checks.

#include <algorithm>
#include <functional>
#include <ostream>

#include "commands.h"
#include "files/file_system.h"
#include "model/bulk_edit.h"
#include "model/document.h"
#include "ops/file_operations.h"
#include "terminal_prompts.h"

namespace zav::tool {

namespace {

// The grid column a name gives, in any case; nullopt for a name of no channel text.
std::optional<int> columnNamed(std::string_view name) {
    const auto lower = [](std::string_view text) {
        std::string folded(text);
        std::ranges::transform(folded, folded.begin(), [](unsigned char c) {
            return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        });
        return folded;
    };
    for (int column = kColRecFreq; column <= kColScan; ++column)
        if (lower(kChannelCaptions.at(static_cast<std::size_t>(column))) == lower(name))
            return column;
    return std::nullopt;
}

// FILE loaded, `edit` run on the channels of group G, and OUT written when every channel
// took its text; nothing is written otherwise. Returns the exit code.
int editCommand(const Options& o, ToolIo& io,
                const std::function<BulkEdit(Group&, const std::vector<int>&)>& edit) {
    const ChannelList list = parseChannelList(o.channels);
    if (!list.refusal.empty()) return usageError(o, io, "--channels: " + list.refusal);
    if (existsWithoutForce(o, io)) return kExitFailed;
    DiskFileSystem disk;
    TerminalPrompts prompts(io.err, 0);
    std::optional<FileBytes> file = loadFileBytes(disk, prompts, o.arguments[0], false);
    if (!file) return kExitFailed;
    Document doc;
    file->copyTo(doc);
    const std::string prefix = "zavtool " + std::string(o.command) + ": ";
    Group* group = doc.group(o.group.value() - 1);
    if (group == nullptr) {
        io.err << prefix << "group " << *o.group << " is not in " << o.arguments[0] << "\n";
        return kExitFailed;
    }
    const BulkEdit result = edit(*group, list.channels);
    if (!result.done()) {
        std::string message = result.message();
        if (message.ends_with('.')) message.pop_back();
        io.err << prefix << "group " << *o.group << ": " << message << "; nothing written\n";
        return kExitFailed;
    }
    file->copyFrom(doc);
    if (!saveFileBytes(disk, prompts, o.arguments[1], *file)) return kExitFailed;
    io.out << "wrote " << o.arguments[1] << " (" << result.changes.size() << " cells changed)\n";
    return kExitDone;
}

}  // namespace

int setCommand(const Options& o, ToolIo& io) {
    const auto column = columnNamed(o.column);
    if (!column)
        return usageError(o, io, "--column takes Rec Freq, Rec CG, Tx Freq, Tx CG, Label or Scan");
    return editCommand(o, io, [&](Group& group, const std::vector<int>& channels) {
        return setColumn(group, channels, *column, o.value);
    });
}

int fillCommand(const Options& o, ToolIo& io) {
    FrequencyFill fill{o.start};
    if (!o.step.empty()) {
        const auto step = megahertzToHz(o.step);
        if (!step) return usageError(o, io, "--step takes megahertz, such as 0.0125");
        fill.stepHz = *step;
    }
    if (o.offset) {
        const auto offset = megahertzToHz(*o.offset);
        if (!offset) return usageError(o, io, "--offset takes megahertz, such as 5 or -5");
        fill.transmit = TransmitFill::WithOffset;
        fill.offsetHz = *offset;
    }
    return editCommand(o, io, [&](Group& group, const std::vector<int>& channels) {
        return fillFrequencies(group, channels, fill);
    });
}

}  // namespace zav::tool
