#include "ops/fleet.h"

#include <algorithm>
#include <array>
#include <exception>
#include <stdexcept>
#include <thread>

#include "files/file_system.h"
#include "iface/progress.h"
#include "iface/prompts.h"
#include "iface/settings_store.h"
#include "link/forwarding_port.h"
#include "link/label_transfer.h"
#include "link/radio_link.h"
#include "model/document.h"
#include "model/group.h"
#include "model/memory_map.h"
#include "model/typed_text.h"
#include "ops/document_editor.h"
#include "ops/radio_operations.h"

namespace zav {

namespace {

// Counts the bytes the host puts on the line.
class SentCounter final : public ForwardingPort {
  public:
    using ForwardingPort::ForwardingPort;
    bool writeByte(Byte value) override {
        ++sent_;
        return ForwardingPort::writeByte(value);
    }
    [[nodiscard]] long sent() const { return sent_; }

  private:
    long sent_ = 0;
};

// Nobody watches a fleet radio: Retry as often as the request allows, otherwise the
// cautious answer; what the radio's operation tells is kept for its result.
class RadioPrompts final : public Prompts {
  public:
    RadioPrompts(int retries, const CancelRequest* cancel) : retries_(retries), cancel_(cancel) {}
    Answer ask(const Message& message) override {
        told_.push_back(message.text);
        switch (message.buttons) {
            case Buttons::Ok:
                return Answer::Ok;
            case Buttons::YesNo:
                return Answer::No;
            case Buttons::RetryCancel:
                // A cancel asked for ends the retries.
                if (retries_ == 0 || CancelRequest::isSet(cancel_)) return Answer::Cancel;
                --retries_;
                return Answer::Retry;
            case Buttons::OkCancel:
            case Buttons::YesNoCancel:
                return Answer::Cancel;
        }
        return Answer::Cancel;
    }
    std::optional<std::string> chooseFile(const FileDialogRequest& /*request*/) override {
        return std::nullopt;
    }
    // The first thing the radio's operation told from the `from`th message on: the link's
    // own failure message.
    [[nodiscard]] std::string firstTold(std::size_t from = 0) const {
        return from < told_.size() ? told_[from] : "";
    }
    [[nodiscard]] std::size_t toldCount() const { return told_.size(); }

  private:
    int retries_;
    const CancelRequest* cancel_;
    std::vector<std::string> told_;
};

// The part of a radio's operation that a progress text begins. A label read goes on with
// the part before it (a backup's, a read back's), except after a read.
std::string phaseOf(const std::string& text, const std::string& before) {
    if (text == RadioOperations::kBackingUpRadio) return "the backup";
    if (text == RadioOperations::kWritingRadio) return "the write";
    if (text == RadioOperations::kReadingRadio) return "the read";
    if (text == RadioOperations::kVerifyingRadio) return "the read back";
    if (text == kWritingLabels) return "the labels";
    if (text == kReadingLabels && (before.empty() || before == "the read")) return "the labels";
    return before;
}

// One radio's progress: its bar and text to the observer, Cancel from the fleet's flag,
// and where the radio was when it first heard of the cancel.
class RadioProgress final : public Progress {
  public:
    RadioProgress(FleetObserver& observer, std::size_t index, CancelRequest* cancel)
        : observer_(observer), index_(index), cancel_(cancel) {}
    void beginOperation(const std::string& text, OperationKind /*kind*/) override {
        text_ = text;
        phase_ = phaseOf(text, phase_);
        running_ = true;
        maximum_ = value_ = 0;
        report();
    }
    void endOperation() override { running_ = false; }
    void enableCancel() override {}
    [[nodiscard]] bool cancelled() const override {
        if (!CancelRequest::isSet(cancel_)) return false;
        if (!heard_) heard_ = phase_.empty() ? "" : (running_ ? "during " : "after ") + phase_;
        return true;
    }
    // "during the labels", "after the write"; empty when not heard or heard before any part.
    [[nodiscard]] std::string heardCancel() const { return heard_.value_or(""); }
    void beginUnstoppableStep() override { CancelRequest::count(cancel_, 1); }
    void endUnstoppableStep() override { CancelRequest::count(cancel_, -1); }
    void setMinimum(int /*value*/) override {}
    void setMaximum(int value) override { maximum_ = value; }
    void setValue(int value) override {
        value_ = value;
        report();
    }
    void setBarVisible(bool /*visible*/) override {}
    void connectionEnded() override {}

  private:
    void report() { observer_.progressed(index_, value_, maximum_, text_); }

    FleetObserver& observer_;
    std::size_t index_;
    CancelRequest* cancel_;
    std::string text_;
    std::string phase_;
    bool running_ = false;
    mutable std::optional<std::string> heard_;
    int maximum_ = 0;
    int value_ = 0;
};

std::string doneText(FleetOperation operation) {
    switch (operation) {
        case FleetOperation::Write:
            return "written";
        case FleetOperation::Read:
            return "read";
        case FleetOperation::WriteLabels:
            return "labels written";
    }
    return "done";
}

constexpr const char* kNotStarted = "cancelled before it started";

// The radio's outcome in a few words, from its result and where it heard of a cancel.
std::string outcomeText(const FleetRequest& request, const FleetRadioResult& r,
                        const std::string& heard) {
    switch (r.result.outcome) {
        case Outcome::Done:
            return doneText(request.operation);
        case Outcome::Failed:
            return "failed: " + r.reason;
        case Outcome::Cancelled:
            break;
    }
    if (r.bytesSent == 0) return kNotStarted;
    std::string text = "cancelled";
    if (!heard.empty()) text += " " + heard;
    if (!r.result.message.empty()) text += "; " + r.result.message;
    return text;
}

OperationResult runOperation(const FleetRequest& request, RadioOperations& ops) {
    switch (request.operation) {
        case FleetOperation::Write:
            return ops.writeRadio();
        case FleetOperation::Read:
            return ops.readRadio();
        case FleetOperation::WriteLabels:
            return request.labelGroup > 0 ? ops.labelWriteGroup() : ops.labelWriteRadio();
    }
    return OperationResult::failure("unknown operation");
}

FleetRadioResult runRadio(const FleetRequest& request, std::size_t index, const FileBytes& file,
                          const PortFactory& makePort, FleetObserver& observer,
                          CancelRequest* cancel) {
    FleetRadioResult r;
    r.port = request.ports[index];
    r.file = file;
    if (request.units) r.unit = request.units->first + static_cast<std::uint32_t>(index);
    // A radio whose turn comes after the cancel is not even opened.
    if (CancelRequest::isSet(cancel)) {
        r.result = OperationResult::cancelled();
        r.outcome = r.reason = kNotStarted;
        r.ended = std::chrono::system_clock::now();
        observer.finished(index, r);
        return r;
    }
    try {
        const std::unique_ptr<LinkPort> device = makePort(request.devices[index]);
        SentCounter port(*device);
        RadioPrompts told(request.retries, cancel);
        RequestAnswers answers(told, request.answers);
        RadioProgress progress(observer, index, cancel);
        RadioLink link(port, answers, progress);
        Document doc;
        file.copyTo(doc);
        if (r.unit) {
            // A number the ANI/ID field cannot hold goes to no radio.
            if (const FieldEntry id = applyUnitNumber(doc.mem, doc.labels, *request.units, *r.unit);
                !id)
                throw std::invalid_argument(id.reason());
        }
        DocumentEditor editor(doc, request.labelGroup);
        MemorySettingsStore settings;
        RadioOperations ops(doc, link, settings, editor, request.history);
        link.transport().setPort(request.devices[index]);
        ops.setVerifyAfterWrite(request.verify);
        ops.setBackupBeforeWrite(request.backup);

        const LinkTime start = port.now();
        r.result = runOperation(request, ops);
        r.duration = port.now() - start;
        r.bytesSent = port.sent();
        r.historyFile = ops.historyFile();
        std::size_t toldBefore = 0;
        r.file.copyFrom(doc);
        if (r.result.done() && index < request.files.size()) {
            toldBefore = told.toldCount();
            DiskFileSystem disk;
            if (!saveFileBytes(disk, told, request.files[index], r.file))
                r.result =
                    OperationResult::failure("the read was not saved in " + request.files[index]);
        }
        if (r.result.outcome == Outcome::Failed) {
            r.reason = r.result.message;
            if (const std::string first = told.firstTold(toldBefore); !first.empty())
                r.reason += " (" + first + ")";
        }
        r.outcome = outcomeText(request, r, progress.heardCancel());
        if (r.result.outcome == Outcome::Cancelled) r.reason = r.outcome;
    } catch (const std::exception& e) {
        // Whatever went wrong stays with this radio.
        r.result = OperationResult::failure(e.what());
        r.reason = e.what();
        r.outcome = outcomeText(request, r, {});
    }
    r.ended = std::chrono::system_clock::now();
    observer.finished(index, r);
    return r;
}

}  // namespace

std::string fleetFileName(std::string_view pattern, const std::string& port) {
    constexpr std::string_view kPortField = "{port}";
    const auto slash = port.find_last_of('/');
    const std::string name = slash == std::string::npos ? port : port.substr(slash + 1);
    std::string file(pattern);
    for (auto at = file.find(kPortField); at != std::string::npos;
         at = file.find(kPortField, at + name.size()))
        file.replace(at, kPortField.size(), name);
    return file;
}

std::string fleetSummary(const std::vector<FleetRadioResult>& results) {
    std::string done;
    std::array<int, 3> counts{};  // done, failed, cancelled
    for (const FleetRadioResult& r : results) {
        ++counts.at(static_cast<std::size_t>(r.result.outcome));
        if (r.result.done()) done = r.outcome;
    }
    static_assert(static_cast<int>(Outcome::Done) == 0 && static_cast<int>(Outcome::Failed) == 1 &&
                  static_cast<int>(Outcome::Cancelled) == 2);
    const std::array<std::string, 3> words{done, "failed", "cancelled"};
    std::string text =
        std::to_string(results.size()) + (results.size() == 1 ? " radio" : " radios");
    const char* separator = ": ";
    for (std::size_t k = 0; k < counts.size(); ++k) {
        if (counts.at(k) == 0) continue;
        text += separator + std::to_string(counts.at(k)) + " " + words.at(k);
        separator = ", ";
    }
    return text;
}

std::optional<std::vector<int>> parseGroupList(std::string_view text) {
    NumberList list = parseNumberList(text, kGroupCount, "group");
    if (!list.refusal.empty()) return std::nullopt;
    return std::move(list.numbers);
}

std::string unitIdText(std::uint32_t unit) {
    std::string digits = std::to_string(unit);
    if (digits.size() < static_cast<std::size_t>(kIdDigits))
        digits.insert(0, static_cast<std::size_t>(kIdDigits) - digits.size(), '0');
    return digits;
}

FieldEntry applyUnitNumber(MemImage& mem, LabelImage& labels, const FleetUnits& units,
                           std::uint32_t unit) {
    FieldEntry id = idEntry(unitIdText(unit));
    if (!id) return id;
    for (int g = 0; g < kGroupCount; ++g) {
        const bool named =
            units.groups.empty() || std::ranges::find(units.groups, g + 1) != units.groups.end();
        if (named && groupExists(mem, g)) Group(mem, labels, g).writeIdNum(id.shown());
    }
    return id;
}

void runOnThreads(const std::vector<Job>& jobs) {
    std::vector<std::jthread> threads;
    threads.reserve(jobs.size());
    for (const Job& job : jobs) threads.emplace_back(job);
}

std::vector<FleetRadioResult> runFleet(const FleetRequest& request, const FileBytes& file,
                                       const PortFactory& makePort, FleetObserver& observer,
                                       CancelRequest* cancel, const ParallelRunner& runAll) {
    std::vector<FleetRadioResult> results(request.ports.size());
    std::vector<Job> radios;
    for (std::size_t i = 0; i < request.ports.size(); ++i)
        radios.emplace_back(
            [&, i] { results[i] = runRadio(request, i, file, makePort, observer, cancel); });
    runAll(radios);
    return results;
}

}  // namespace zav
