// The exchange commands: CSV export and import, and the comparison of two files.

#include <functional>
#include <ostream>

#include "commands.h"
#include "files/file_system.h"
#include "model/document.h"
#include "ops/exchange_operations.h"
#include "ops/file_operations.h"
#include "terminal_prompts.h"

namespace zav::tool {

namespace {

// An exchange command: the frequency file named first is loaded and `step` runs with it
// and the CSV file named second; with `saveImage` the changed image is saved under the
// third name. Returns the exit code.
using ExchangeStep =
    std::function<OperationResult(FileSystem&, Prompts&, Document&, const std::string&)>;

int exchangeCommand(const Options& o, ToolIo& io, const ExchangeStep& step, bool saveImage) {
    if (existsWithoutForce(o, io, OutputTo::FileOrStream)) return kExitFailed;
    StandardStreamFiles disk = commandFiles(io);
    TerminalPrompts prompts(io.err, 0);
    std::optional<FileBytes> file = loadFileBytes(disk, prompts, o.arguments[0], false);
    if (!file) return kExitFailed;
    Document doc;
    file->copyTo(doc);
    const OperationResult result = step(disk, prompts, doc, o.arguments[1]);
    if (result.done() && saveImage) {
        file->copyFrom(doc);
        if (!saveFileBytes(disk, prompts, o.arguments[2], *file)) return kExitFailed;
    }
    // Written to standard output, the file is all the output.
    const std::string& out = o.arguments.back();
    return reportResult(o, io, result, out == kStandardStream ? "" : "wrote " + out);
}

}  // namespace

int exportCsvCommand(const Options& o, ToolIo& io) {
    const CsvFormat format = o.format == "chirp" ? CsvFormat::Chirp : CsvFormat::Own;
    return exchangeCommand(
        o, io,
        [format](FileSystem& f, Prompts& p, Document& d, const std::string& csv) {
            return exportCsvFile(f, p, d, csv, format);
        },
        false);
}

int importCsvCommand(const Options& o, ToolIo& io) {
    CsvImportOptions options;
    if (o.group) options.group = *o.group - 1;
    options.unfit = o.skipUnfit ? UnfitRowChoice::Skip : UnfitRowChoice::Refuse;
    return exchangeCommand(
        o, io,
        [&options](FileSystem& f, Prompts& p, Document& d, const std::string& csv) {
            return importCsvFile(f, p, d, csv, options);
        },
        true);
}

int diffCommand(const Options& o, ToolIo& io) {
    constexpr int kDifferent = 1;
    constexpr int kError = 2;
    DiskFileSystem disk;
    TerminalPrompts prompts(io.err, 0);
    const auto first = loadImages(disk, prompts, o.arguments[0]);
    const auto second = first ? loadImages(disk, prompts, o.arguments[1]) : std::nullopt;
    if (!second) return kError;
    const auto lines = compareImages(*first, *second);
    for (const std::string& line : lines) io.out << line << "\n";
    return lines.empty() ? kExitDone : kDifferent;
}

}  // namespace zav::tool
