// The file commands: a new file, and the unit data printout as text or PDF.

#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <optional>
#include <ostream>

#include "commands.h"
#include "files/file_system.h"
#include "files/radio_history.h"
#include "model/document.h"
#include "ops/file_operations.h"
#include "print/printout.h"
#include "qt/print_render.h"
#include "terminal_prompts.h"

namespace zav::tool {

namespace {

// The printout of the file, titled with its path as given; nullopt after a message.
std::optional<Printout> filePrintout(const std::string& path, ToolIo& io) {
    StandardStreamFiles disk = commandFiles(io);
    TerminalPrompts prompts(io.err, 0);
    const auto file = loadFileBytes(disk, prompts, path, false);
    if (!file) return std::nullopt;
    Document doc;
    file->copyTo(doc);
    return composeUnitData(doc, path);
}

}  // namespace

int reportResult(const Options& o, ToolIo& io, const OperationResult& result,
                 const std::string& doneText, std::string_view unchanged) {
    if (result.done()) {
        if (!doneText.empty()) io.out << doneText << "\n";
        return kExitDone;
    }
    // A cancelled operation may still say what it left (a write stopped part-way).
    io.err << "zavtool " << o.command << ": "
           << (result.outcome != Outcome::Cancelled ? result.message
               : result.message.empty()             ? std::string("cancelled")
                                                    : "cancelled; " + result.message);
    if (!unchanged.empty()) io.err << "; " << unchanged;
    io.err << "\n";
    return kExitFailed;
}

StandardStreamFiles commandFiles(ToolIo& io) {
    return {io.in != nullptr ? *io.in : std::cin, io.out};
}

bool existsWithoutForce(const Options& o, ToolIo& io, OutputTo to) {
    const std::string& out = !o.pdf.empty()        ? o.pdf
                             : o.arguments.empty() ? o.argument
                                                   : o.arguments.back();
    std::error_code ec;
    if (o.force || (to == OutputTo::FileOrStream && out == kStandardStream) ||
        !std::filesystem::exists(std::filesystem::symlink_status(out, ec)))
        return false;
    io.err << "zavtool " << o.command << ": " << out << " exists (use --force to replace it)\n";
    return true;
}

int newCommand(const Options& o, ToolIo& io) {
    if (existsWithoutForce(o, io, OutputTo::FileOrStream)) return kExitFailed;
    StandardStreamFiles disk = commandFiles(io);
    TerminalPrompts prompts(io.err, 0);
    if (!saveFileBytes(disk, prompts, o.argument, defaultFileBytes())) return kExitFailed;
    if (o.argument != kStandardStream) io.out << "wrote " << o.argument << "\n";
    return kExitDone;
}

std::string historyFolderOf(const ToolIo& io) {
    return io.historyFolder.empty() ? historyFolder(SystemEnvironment()) : io.historyFolder;
}

int historyCommand(const Options& o, ToolIo& io) {
    DiskFileSystem disk;
    const SystemClock clock;
    const RadioHistory history(disk, clock, historyFolderOf(io));
    std::error_code ec;
    const std::vector<HistoryEntry> entries = history.entries(ec);
    if (ec) {
        io.err << "zavtool " << o.command << ": cannot read " << history.folder() << ": "
               << ec.message() << "\n";
        return kExitFailed;
    }
    if (entries.empty()) io.out << "no files in the radio history " << history.folder() << "\n";
    for (const HistoryEntry& e : entries)
        io.out << e.time << "  " << e.port << "  " << e.unit << "  " << historyReasonText(e.reason)
               << "  " << e.path << "\n";
    return io.out.good() ? kExitDone : kExitFailed;
}

int dumpCommand(const Options& o, ToolIo& io) {
    const auto printout = filePrintout(o.argument, io);
    if (!printout) return kExitFailed;
    io.out << plainText(*printout);
    return io.out.good() ? kExitDone : kExitFailed;
}

int printCommand(const Options& o, ToolIo& io) {
    if (existsWithoutForce(o, io)) return kExitFailed;
    const auto printout = filePrintout(o.argument, io);
    if (!printout) return kExitFailed;
    // Fonts need a GUI application; a command-line tool never shows a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "zavtool";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    QString error;
    if (!writePrintoutPdf(*printout, o.pdf, &error)) {
        io.err << "zavtool print: " << error.toStdString() << "\n";
        return kExitFailed;
    }
    io.out << "wrote " << o.pdf << " (font " << printFontFamily().toStdString() << ")\n";
    return kExitDone;
}

}  // namespace zav::tool
