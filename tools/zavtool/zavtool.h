#pragma once
// zavtool: the editor's radio and file operations from the command line. run() is the
// whole program except its streams and its radio port, so that a test runs it in-process
// against the simulated radio.

#include <iosfwd>
#include <span>
#include <string>

#include "ops/fleet.h"
#include "qt/port_devices.h"

namespace zav {
class LinkPort;
class SettingsStore;
struct CancelRequest;
}  // namespace zav

namespace zav::tool {

// Exit statuses, as --help lists them.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // failed or cancelled; the reason is on stderr
inline constexpr int kExitUsage = 2;

struct ToolIo {
    std::ostream& out;
    std::ostream& err;
    // The radio's port; nullptr: the serial port --port names.
    LinkPort* port = nullptr;
    // Where port numbers find their devices; nullptr: the editor's settings.
    const SettingsStore* portDevices = nullptr;
    // Set from outside (a terminal's interrupt, a signal) to cancel the running transfer.
    CancelRequest* cancel = nullptr;
    // err is a terminal that takes escape codes (see takesEscapeCodes): a progress line
    // is drawn on it.
    bool terminal = false;
    // Where the serial trace goes (--trace); empty: no trace.
    std::string tracePath{};
    // --verbose: the link's, the operations' and the files' steps go to err.
    bool verbose = false;
    // Makes each radio's port in a fleet run (several --port); empty: serial ports.
    PortFactory makePort{};
    // The radio history's folder; empty: the user's ($XDG_DATA_HOME/zavprog).
    std::string historyFolder{};
    // Lists the serial ports for `ports`; empty: the ones the system reports.
    SerialPortLister listPorts{};
    // What a file named "-" reads; nullptr: standard input.
    std::istream* in = nullptr;
};

// Runs the command the arguments (after the program's name) give; the exit status.
int run(std::span<const std::string> args, ToolIo& io);

}  // namespace zav::tool
