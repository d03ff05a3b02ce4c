// The exchange commands: CSV export and import, and the comparison of two files.

#include <ostream>

#include "commands.h"
#include "files/file_system.h"
#include "model/document.h"
#include "ops/exchange_operations.h"
#include "ops/file_operations.h"
#include "terminal_prompts.h"

namespace zav::tool {

namespace {

// The frequency file into a document; false after the message.
bool loadDocument(const std::string& path, Document& doc, FileSystem& disk, Prompts& prompts,
                  std::optional<FileBytes>& file) {
    file = loadFileBytes(disk, prompts, path, false);
    if (!file) return false;
    file->copyTo(doc);
    return true;
}

int failed(const Options& o, ToolIo& io, const OperationResult& result) {
    io.err << "zavtool " << o.command << ": " << result.message << "\n";
    return kExitFailed;
}

}  // namespace

int exportCsvCommand(const Options& o, ToolIo& io) {
    if (existsWithoutForce(o, io)) return kExitFailed;
    DiskFileSystem disk;
    TerminalPrompts prompts(io.err, 0);
    Document doc;
    std::optional<FileBytes> file;
    if (!loadDocument(o.arguments[0], doc, disk, prompts, file)) return kExitFailed;
    const OperationResult result = exportCsvFile(disk, prompts, doc, o.arguments[1]);
    if (!result.done()) return failed(o, io, result);
    io.out << "wrote " << o.arguments[1] << "\n";
    return kExitDone;
}

int importCsvCommand(const Options& o, ToolIo& io) {
    if (existsWithoutForce(o, io)) return kExitFailed;
    DiskFileSystem disk;
    TerminalPrompts prompts(io.err, 0);
    Document doc;
    std::optional<FileBytes> file;
    if (!loadDocument(o.arguments[0], doc, disk, prompts, file)) return kExitFailed;
    const OperationResult result = importCsvFile(disk, prompts, doc, o.arguments[1]);
    if (!result.done()) return failed(o, io, result);
    file->copyFrom(doc);
    if (!saveFileBytes(disk, prompts, o.arguments[2], *file)) return kExitFailed;
    io.out << "wrote " << o.arguments[2] << "\n";
    return kExitDone;
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
