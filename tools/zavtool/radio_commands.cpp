// The radio commands: each names its operation, its file and its summary; the operations
// layer does the rest, as for the editor's menu commands.

#include <iostream>

#include "commands.h"
#include "iface/progress.h"
#include "link/dtmf_deviation.h"
#include "model/lists.h"
#include "ops/utility_operations.h"
#include "radio_session.h"
#include "syncal/syncal.h"
#include "syncal/syncal_sink.h"

namespace zav::tool {

namespace {

std::string groupText(const Options& o) {
    return o.group ? "group " + std::to_string(*o.group) : "all groups";
}

// The alignment's log on out as it grows; its phases on err. A cancel asked for abandons
// the run between its steps (which releases the radio at once), as closing the alignment
// window does.
class ConsoleSyncalSink final : public SyncalSink {
  public:
    explicit ConsoleSyncalSink(ToolIo& io) : io_(io) {}
    void addStatusLine(const std::string& text) override {
        io_.out << text << std::endl;
        abandonOnCancel();
    }
    void setStatusText(const std::string& text) override {
        if (!text.empty()) io_.err << "[" << text << "]" << std::endl;
        abandonOnCancel();
    }
    void setSyncal(Syncal& syncal) { syncal_ = &syncal; }

  private:
    void abandonOnCancel() {
        if (syncal_ != nullptr && CancelRequest::isSet(io_.cancel)) syncal_->abort();
    }

    ToolIo& io_;
    Syncal* syncal_ = nullptr;
};

}  // namespace

int readCommand(const Options& o, ToolIo& io) {
    if (o.fleet()) return fleetCommand(o, io, FleetOperation::Read);
    if (existsWithoutForce(o, io)) return kExitFailed;
    RadioSession s(o, io, "reading the radio");
    return s.readIntoFile(&RadioOperations::readRadio, true,
                          std::string("read the radio") + (o.labels ? " and its labels" : "") +
                              " into " + o.argument);
}

int readGlobalCommand(const Options& o, ToolIo& io) {
    RadioSession s(o, io, "reading the global block");
    return s.readIntoFile(&RadioOperations::readGlobal, false,
                          "read the global block into " + o.argument);
}

int readGroupCommand(const Options& o, ToolIo& io) {
    RadioSession s(o, io, "reading " + groupText(o));
    return s.readIntoFile(&RadioOperations::readGroup, false,
                          "read " + groupText(o) + " into " + o.argument);
}

int readLabelsCommand(const Options& o, ToolIo& io) {
    RadioSession s(o, io, "reading labels");
    return s.readIntoFile(
        o.group ? &RadioOperations::labelReadGroup : &RadioOperations::labelReadRadio, false,
        "read the labels of " + groupText(o) + " into " + o.argument);
}

int writeCommand(const Options& o, ToolIo& io) {
    if (o.fleet()) return fleetCommand(o, io, FleetOperation::Write);
    RadioSession s(o, io, "writing the radio");
    return s.writeFromFile(&RadioOperations::writeRadio,
                           "wrote " + o.argument + (o.labels ? " with its labels" : "") +
                               " to the radio" +
                               (o.verify ? " and read it back: the radio holds it" : ""));
}

int writeGlobalCommand(const Options& o, ToolIo& io) {
    RadioSession s(o, io, "writing the global block");
    return s.writeFromFile(&RadioOperations::writeGlobal,
                           "wrote the global settings of " + o.argument + " to the radio");
}

int writeGroupCommand(const Options& o, ToolIo& io) {
    RadioSession s(o, io, "writing " + groupText(o));
    return s.writeFromFile(&RadioOperations::writeGroup,
                           "wrote " + groupText(o) + " of " + o.argument + " to the radio");
}

int writeLabelsCommand(const Options& o, ToolIo& io) {
    if (o.fleet()) return fleetCommand(o, io, FleetOperation::WriteLabels);
    RadioSession s(o, io, "writing labels");
    return s.writeFromFile(
        o.group ? &RadioOperations::labelWriteGroup : &RadioOperations::labelWriteRadio,
        "wrote the labels of " + groupText(o) + " of " + o.argument + " to the radio");
}

int syncalCommand(const Options& o, ToolIo& io) {
    RadioSession s(o, io, "aligning the synthesizer");
    if (!s.startTrace()) return kExitFailed;
    ConsoleSyncalSink sink(io);
    // The terminal prompts show the alignment's carriage-return line breaks as lines.
    Syncal syncal(s.link(), s.prompts(), sink);
    sink.setSyncal(syncal);
    OperationResult result = alignSynthesizer(syncal);
    if (!result.done() && CancelRequest::isSet(io.cancel)) result = OperationResult::cancelled();
    return s.report(result, "");
}

int dtmfCommand(const Options& o, ToolIo& io) {
    const auto code = dtmfCodeFromText(o.argument);
    if (!code) return usageError(o, io, "'" + o.argument + "' is not a deviation code");
    RadioSession s(o, io, "writing the DTMF deviation");
    if (!s.startTrace()) return kExitFailed;
    const std::string_view entry = lists::kDtmfDeviation[static_cast<std::size_t>(*code)];
    return s.report(sendDtmfDeviation(s.link(), *code),
                    "wrote DTMF deviation code " + std::to_string(*code) + " (\"" +
                        std::string(entry) + "\") to the radio");
}

}  // namespace zav::tool
