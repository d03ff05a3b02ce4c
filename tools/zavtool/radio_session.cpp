#include "radio_session.h"

#include <ostream>

#include "files/file_system.h"
#include "ops/file_operations.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_settings_store.h"
#include "qt_application.h"

namespace zav::tool {

struct RadioSession::Platform {
    QtApplication app;
    QtSettingsStore settings;
    QtSerialPort serial;
};

RadioSession::RadioSession(const Options& options, ToolIo& io, std::string activity)
    : options_(options),
      io_(io),
      platform_(io.port != nullptr ? nullptr : std::make_unique<Platform>()),
      log_(io.verbose ? std::unique_ptr<Log>(std::make_unique<StreamLog>(io.err))
                      : std::make_unique<NullLog>()),
      line_(io.err, io.terminal, std::move(activity)),
      trace_(io.port != nullptr ? *io.port : platform_->serial),
      port_(trace_, line_),
      terminal_(io.err, options.retries, io.cancel),
      prompts_(terminal_, line_),
      answers_(prompts_, RadioRequest{options.labels, options.skipGlobal, options.band}),
      progress_(line_, io.cancel),
      link_(port_, answers_, progress_,
            io.portDevices != nullptr ? io.portDevices
                                      : (platform_ ? &platform_->settings : nullptr)),
      editor_(doc_, options.group.value_or(0)),
      files_(disk_, *log_),
      history_(files_, clock_, historyFolderOf(io)),
      operations_(doc_, link_, settings_, editor_, &history_) {
    link_.setLog(*log_);
    operations_.setTrace(&trace_);
    link_.transport().setPort(options.port);
    operations_.setVerifyAfterWrite(options.verify);
    operations_.setBackupBeforeWrite(!options.noBackup);
}

RadioSession::~RadioSession() = default;

bool RadioSession::startTrace() {
    if (io_.tracePath.empty() ||
        trace_.startTrace(io_.tracePath, traceHeader(clock_, link_.transport())))
        return true;
    io_.err << "zavtool: cannot write the trace " << io_.tracePath << ": "
            << trace_.error().message() << "\n";
    return false;
}

int RadioSession::readIntoFile(Operation operation, bool fresh, const std::string& doneText) {
    auto file = fresh ? std::optional(defaultFileBytes())
                      : loadFileBytes(files_, answers_, options_.argument, true);
    if (!file || !startTrace()) return kExitFailed;
    file->copyTo(doc_);
    const OperationResult result = (operations_.*operation)();
    if (!result.done()) return report(result, doneText, options_.argument + " is unchanged");
    file->copyFrom(doc_);
    if (!saveFileBytes(files_, answers_, options_.argument, *file)) return kExitFailed;
    return report(result, doneText);
}

int RadioSession::writeFromFile(Operation operation, const std::string& doneText) {
    const auto file = loadFileBytes(files_, answers_, options_.argument, false);
    if (!file || !startTrace()) return kExitFailed;
    file->copyTo(doc_);
    return report((operations_.*operation)(), doneText);
}

int RadioSession::report(const OperationResult& result, const std::string& doneText,
                         std::string_view unchanged) {
    line_.clear();
    // Also after a failed write: the copy is what the radio held before it.
    if (const std::string& kept = operations_.historyFile(); !kept.empty())
        io_.err << "zavtool " << options_.command << ": radio history: " << kept << "\n";
    if (const std::string& note = operations_.bandNote(); !note.empty())
        io_.err << "zavtool " << options_.command << ": " << note << "\n";
    const int status = reportResult(options_, io_, result, doneText, unchanged);
    // The radio is released by now; a trace cut short (a full disk) still fails the run.
    if (!trace_.tracing() || trace_.stopTrace()) return status;
    io_.err << "zavtool: the trace " << io_.tracePath
            << " is incomplete: " << trace_.error().message() << "\n";
    return kExitFailed;
}

}  // namespace zav::tool
