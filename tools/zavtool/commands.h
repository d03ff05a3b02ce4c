#pragma once
// zavtool's commands, each a few lines over the operations layer. The table in
// zavtool.cpp names them, their options and their help.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ops/operation_result.h"
#include "ops/request_answers.h"
#include "standard_streams.h"
#include "zavtool.h"

namespace zav::tool {

// A command's parsed options; those it does not take stay at their defaults.
struct Options {
    std::string_view command;
    std::string usage;                   // the command's usage line, for its own usage errors
    std::string argument;                // the first argument (a file, the DTMF code); "" for none
    std::vector<std::string> arguments;  // every argument
    std::string port;                    // a number 1..4 or a device path
    std::vector<std::string> ports;      // every --port, for a fleet
    int retries = 0;                     // Retry answers to give before Cancel
    std::optional<int> group;
    bool labels = false;
    bool skipGlobal = false;
    bool force = false;
    bool verify = false;
    bool noBackup = false;             // --no-backup
    BandCheck band = BandCheck::Stop;  // --ignore-band
    bool skipUnfit = false;            // --skip-unfit
    std::string format;                // --format: "zav" or "chirp"
    std::string pdf;
    std::optional<FleetUnits> units;    // --ani-from, --ani-groups
    std::string log;                    // --log: the fleet's CSV log
    std::string outputPattern;          // --output-pattern: a fleet read's files
    std::string channels;               // --channels: a list such as 1-7,9
    std::string column;                 // --column: a grid column's name
    std::string value;                  // --value: the text set
    std::string start;                  // --start: a fill's first receive frequency
    std::string step;                   // --step: a fill's step in MHz; "" for the default
    std::optional<std::string> offset;  // --offset: transmit = receive + offset, in MHz

    // Several radios at once, or what only a fleet run does (unit numbers, the log).
    [[nodiscard]] bool fleet() const {
        return ports.size() > 1 || units || !log.empty() || !outputPattern.empty();
    }
};

// A usage error of the command's own: the message and the usage line on err.
int usageError(const Options& options, ToolIo& io, std::string_view message);

// The exit code of an operation's result: on success `doneText` (if any) on out; else
// "zavtool COMMAND: why" on err, followed by "; unchanged" when given.
int reportResult(const Options& options, ToolIo& io, const OperationResult& result,
                 const std::string& doneText, std::string_view unchanged = {});

// The radio history's folder: the one io names, else the user's.
std::string historyFolderOf(const ToolIo& io);

// Where a command's output goes: a file, or standard output when it is named "-" (the
// commands that write through commandFiles).
enum class OutputTo { File, FileOrStream };

// True (after the message) when the command's file exists and --force was not given.
// The file is the PDF, else the last argument.
bool existsWithoutForce(const Options& options, ToolIo& io, OutputTo to = OutputTo::File);

// The files a command reads and writes, "-" being standard input or output.
StandardStreamFiles commandFiles(ToolIo& io);

int newCommand(const Options& options, ToolIo& io);
int dumpCommand(const Options& options, ToolIo& io);
int historyCommand(const Options& options, ToolIo& io);
int printCommand(const Options& options, ToolIo& io);
int readCommand(const Options& options, ToolIo& io);
int readGlobalCommand(const Options& options, ToolIo& io);
int readGroupCommand(const Options& options, ToolIo& io);
int readLabelsCommand(const Options& options, ToolIo& io);
int writeCommand(const Options& options, ToolIo& io);
int writeGlobalCommand(const Options& options, ToolIo& io);
int writeGroupCommand(const Options& options, ToolIo& io);
int writeLabelsCommand(const Options& options, ToolIo& io);
int exportCsvCommand(const Options& options, ToolIo& io);
int importCsvCommand(const Options& options, ToolIo& io);
int diffCommand(const Options& options, ToolIo& io);
int syncalCommand(const Options& options, ToolIo& io);
int dtmfCommand(const Options& options, ToolIo& io);
int portsCommand(const Options& options, ToolIo& io);
int identifyCommand(const Options& options, ToolIo& io);
int compareCommand(const Options& options, ToolIo& io);
int setCommand(const Options& options, ToolIo& io);
int fillCommand(const Options& options, ToolIo& io);
// write, read and write-labels on every --port at once.
int fleetCommand(const Options& options, ToolIo& io, FleetOperation operation);

}  // namespace zav::tool
