// write, read and write-labels on several radios at once: the operations layer runs the
// fleet and saves each radio's read; this command loads the file, names each radio's
// output file, draws the radios' progress on a terminal, and reports a line per radio at
// the end (and a log row per radio as it ends, with --log).

#include <algorithm>
#include <array>
#include <chrono>
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

std::string outputFile(const Options& o, const std::string& port) {
    return o.outputPattern.empty() ? o.argument : fleetFileName(o.outputPattern, port);
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

// "Writing Radio" for "Please Wait - Writing Radio".
std::string stepText(const std::string& text) {
    constexpr std::string_view kWait = "Please Wait - ";
    return text.starts_with(kWait) ? text.substr(kWait.size()) : text;
}

// The radios as they go and end: on a terminal a line per radio redrawn in place (port,
// step, percent), then, in port order, a line per radio, its history file, its log row.
class FleetReport final : public FleetObserver {
  public:
    FleetReport(const Options& o, ToolIo& io, FleetOperation operation,
                std::vector<std::string> files, FleetLog* log)
        : o_(o),
          io_(io),
          operation_(operation),
          files_(std::move(files)),
          log_(log),
          results_(o.ports.size()) {
        for (const std::string& port : o.ports) lines_.push_back(port + ":");
    }

    void progressed(std::size_t index, int value, int maximum, const std::string& text) override {
        if (!io_.terminal) return;
        const std::scoped_lock lock(mutex_);
        const std::string step = o_.ports[index] + ": " + stepText(text);
        const int percent = maximum > 0 ? 100 * std::clamp(value, 0, maximum) / maximum : -1;
        // A new step, and a bar's start and end, are drawn at once; a bar at most every 100 ms.
        const bool force = !lines_[index].starts_with(step) || percent == 0 || percent == 100;
        lines_[index] = step + (percent < 0 ? "" : " " + std::to_string(percent) + "%");
        draw(force);
    }
    void finished(std::size_t index, const FleetRadioResult& r) override {
        const std::scoped_lock lock(mutex_);
        if (log_ != nullptr) log_->add(r);
        results_[index] = r;
        lines_[index] = o_.ports[index] + ": " + r.outcome;
        if (io_.terminal) draw(true);
    }
    // Every radio has ended: the lines in place give way to one line per radio.
    void report() {
        if (drawn_) io_.err << "\x1b[" << lines_.size() << "A\r\x1b[J" << std::flush;
        drawn_ = false;
        for (std::size_t k = 0; k < results_.size(); ++k) tell(k, results_[k]);
    }
    [[nodiscard]] int failed() const { return failed_; }

  private:
    void draw(bool force) {
        const auto now = std::chrono::steady_clock::now();
        if (drawn_ && !force && now - lastDrawn_ < std::chrono::milliseconds(100)) return;
        lastDrawn_ = now;
        // Up to the block's first line, then each line over what it showed.
        if (drawn_) io_.err << "\x1b[" << lines_.size() << "A";
        for (const std::string& line : lines_) io_.err << "\r" << line << "\x1b[K\n";
        io_.err << std::flush;
        drawn_ = true;
    }
    void tell(std::size_t index, const FleetRadioResult& r) {
        std::string line = r.port + ": ";
        if (r.unit) line += "unit " + unitIdText(*r.unit) + ": ";
        if (!r.historyFile.empty()) io_.err << line << "radio history: " << r.historyFile << "\n";
        if (r.result.outcome == Outcome::Cancelled) {
            io_.err << line << r.outcome << std::endl;
        } else if (!r.result.done()) {
            io_.err << line << "failed: " << r.reason << std::endl;
        } else {
            std::array<char, 48> figures{};
            std::snprintf(figures.data(), figures.size(), " (%ld bytes sent in %.1f s)",
                          r.bytesSent, std::chrono::duration<double>(r.duration).count());
            io_.out << line << doneText(o_, operation_, files_[index]) << figures.data()
                    << std::endl;
        }
        if (!r.result.done()) ++failed_;
    }

    const Options& o_;
    ToolIo& io_;
    FleetOperation operation_;
    std::vector<std::string> files_;
    FleetLog* log_;
    std::mutex mutex_;
    std::vector<std::string> lines_;
    std::vector<FleetRadioResult> results_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDrawn_{};
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
    if (operation == FleetOperation::Read) request.files = files;
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
    report.report();
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
