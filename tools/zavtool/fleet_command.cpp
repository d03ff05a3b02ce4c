// write, read and write-labels on several radios at once: the operations layer runs the
// fleet; this command loads the file, names each radio's output file, and reports a line
// per radio as it ends (and a log row with --log).

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <set>

#include "commands.h"
#include "files/file_system.h"
#include "files/radio_history.h"
#include "link/port_devices.h"
#include "ops/fleet_log.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_settings_store.h"
#include "qt/qt_threads.h"
#include "qt_application.h"
#include "terminal_prompts.h"

namespace zav::tool {

namespace {

constexpr std::string_view kPortField = "{port}";

// A port as part of a file name: a device path's last part.
std::string portFileName(const std::string& port) {
    const auto slash = port.find_last_of('/');
    return slash == std::string::npos ? port : port.substr(slash + 1);
}

std::string outputFile(const Options& o, const std::string& port) {
    if (o.outputPattern.empty()) return o.argument;
    std::string name = o.outputPattern;
    for (auto at = name.find(kPortField); at != std::string::npos; at = name.find(kPortField))
        name.replace(at, kPortField.size(), portFileName(port));
    return name;
}

std::string doneText(const Options& o, FleetOperation operation, const std::string& file) {
    switch (operation) {
        case FleetOperation::Write:
            return "wrote " + o.argument + " to the radio";
        case FleetOperation::Read:
            return "read the radio into " + file;
        case FleetOperation::WriteLabels:
            return "wrote the labels of " +
                   (o.group ? "group " + std::to_string(*o.group) : std::string("all groups")) +
                   " of " + o.argument + " to the radio";
    }
    return {};
}

// A line per radio as it ends, its file (a read), its log row.
class FleetReport final : public FleetObserver {
  public:
    FleetReport(const Options& o, ToolIo& io, FleetOperation operation,
                std::vector<std::string> files, FleetLog* log)
        : o_(o), io_(io), operation_(operation), files_(std::move(files)), log_(log) {}

    void finished(std::size_t index, const FleetRadioResult& r) override {
        const std::scoped_lock lock(mutex_);
        bool ok = r.result.done();
        if (ok && operation_ == FleetOperation::Read) {
            DiskFileSystem disk;
            TerminalPrompts prompts(io_.err, 0);
            ok = saveFileBytes(disk, prompts, files_[index], r.file);
        }
        if (log_ != nullptr) log_->add(r);
        std::string line = r.port + ": ";
        if (r.unit) line += "unit " + unitIdText(*r.unit) + ": ";
        if (!r.historyFile.empty()) io_.err << line << "radio history: " << r.historyFile << "\n";
        if (r.result.outcome == Outcome::Cancelled) {
            io_.err << line << "cancelled" << std::endl;
        } else if (!r.result.done()) {
            io_.err << line << "failed: " << r.reason << std::endl;
        } else if (ok) {
            std::array<char, 48> figures{};
            std::snprintf(figures.data(), figures.size(), " (%ld bytes sent in %.1f s)",
                          r.bytesSent, std::chrono::duration<double>(r.duration).count());
            io_.out << line << doneText(o_, operation_, files_[index]) << figures.data()
                    << std::endl;
        }
        if (!ok) ++failed_;
    }
    [[nodiscard]] int failed() const { return failed_; }

  private:
    const Options& o_;
    ToolIo& io_;
    FleetOperation operation_;
    std::vector<std::string> files_;
    FleetLog* log_;
    std::mutex mutex_;
    int failed_ = 0;
};

}  // namespace

int fleetCommand(const Options& o, ToolIo& io, FleetOperation operation) {
    if (!io.tracePath.empty()) return usageError(o, io, "--trace follows a single radio");
    std::vector<std::string> files;
    for (const std::string& port : o.ports) files.push_back(outputFile(o, port));
    if (operation == FleetOperation::Read) {
        if (std::set(files.begin(), files.end()).size() < files.size())
            return usageError(o, io, "two ports give the same file name");
        for (const std::string& name : files) {
            Options one = o;
            one.argument = name;
            one.arguments.clear();
            if (existsWithoutForce(one, io)) return kExitFailed;
        }
    }
    DiskFileSystem disk;
    TerminalPrompts prompts(io.err, 0);
    const auto file = operation == FleetOperation::Read
                          ? std::optional(defaultFileBytes())
                          : loadFileBytes(disk, prompts, o.argument, false);
    if (!file) return kExitFailed;
    FleetRequest request;
    request.operation = operation;
    request.ports = o.ports;
    request.answers = {o.labels, o.skipGlobal, o.band};
    request.retries = o.retries;
    request.verify = o.verify;
    request.labelGroup = o.group.value_or(0);
    request.units = o.units;
    const SystemClock clock;
    RadioHistory history(disk, clock, historyFolderOf(io));
    request.history = &history;
    request.backup = !o.noBackup;
    // Serial ports need the application object, made once here on the main thread; each
    // port is made on its radio's thread.
    std::optional<QtApplication> app;
    std::optional<QtSettingsStore> settings;
    PortFactory makePort = io.makePort;
    ParallelRunner runAll = runOnThreads;
    const SettingsStore* devices = io.portDevices;
    if (!makePort) {
        app.emplace();
        runAll = runOnQThreads;
        makePort = [](const std::string& /*device*/) { return std::make_unique<QtSerialPort>(); };
        if (devices == nullptr) devices = &settings.emplace();
    }
    for (const std::string& port : o.ports) {
        const std::string device = resolvePortDevice(port, devices);
        // Two connections on one device would mix their conversations.
        if (std::ranges::count(request.devices, device) > 0)
            return usageError(o, io, "two --port name the device " + device);
        request.devices.push_back(device);
    }
    // Only a command that will run makes its log: a usage error leaves none behind.
    std::optional<FleetLog> log;
    if (!o.log.empty()) {
        if (const auto ec = log.emplace(o.log).error()) {
            io.err << "zavtool " << o.command << ": cannot write the log " << o.log << ": "
                   << ec.message() << "\n";
            return kExitFailed;
        }
    }

    FleetReport report(o, io, operation, files, log ? &*log : nullptr);
    runFleet(request, *file, makePort, report, io.cancel, runAll);
    // A row the log did not take (a full disk) fails the run, though every radio is done.
    const std::error_code logError = log ? log->finish() : std::error_code{};
    if (logError)
        io.err << "zavtool " << o.command << ": the log " << o.log
               << " lacks rows: " << logError.message() << "\n";
    if (report.failed() == 0) return logError ? kExitFailed : kExitDone;
    io.err << "zavtool " << o.command << ": " << report.failed() << " of " << o.ports.size()
           << (o.ports.size() == 1 ? " radio" : " radios") << " failed or were cancelled\n";
    return kExitFailed;
}

}  // namespace zav::tool
