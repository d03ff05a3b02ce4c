#include "ops/fleet.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <stdexcept>
#include <thread>

#include "iface/progress.h"
#include "iface/prompts.h"
#include "iface/settings_store.h"
#include "link/forwarding_port.h"
#include "link/radio_link.h"
#include "model/document.h"
#include "model/group.h"
#include "model/memory_map.h"
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
    // The first thing the radio's operation told: the link's own failure message.
    [[nodiscard]] std::string firstTold() const { return told_.empty() ? "" : told_.front(); }

  private:
    int retries_;
    const CancelRequest* cancel_;
    std::vector<std::string> told_;
};

// One radio's progress: its bar and text to the observer, Cancel from the fleet's flag.
class RadioProgress final : public Progress {
  public:
    RadioProgress(FleetObserver& observer, std::size_t index, CancelRequest* cancel)
        : observer_(observer), index_(index), cancel_(cancel) {}
    void beginOperation(const std::string& text, OperationKind /*kind*/) override {
        text_ = text;
        maximum_ = value_ = 0;
        report();
    }
    void endOperation() override {}
    void enableCancel() override {}
    [[nodiscard]] bool cancelled() const override { return CancelRequest::isSet(cancel_); }
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
    int maximum_ = 0;
    int value_ = 0;
};

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
    try {
        const std::unique_ptr<LinkPort> device = makePort(request.devices[index]);
        SentCounter port(*device);
        RadioPrompts told(request.retries, cancel);
        RequestAnswers answers(told, request.answers);
        RadioProgress progress(observer, index, cancel);
        RadioLink link(port, answers, progress);
        Document doc;
        file.copyTo(doc);
        if (request.units) {
            r.unit = request.units->first + static_cast<std::uint32_t>(index);
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
        if (r.result.outcome == Outcome::Failed) {
            r.reason = r.result.message;
            if (const std::string first = told.firstTold(); !first.empty())
                r.reason += " (" + first + ")";
        }
        r.file.copyFrom(doc);
    } catch (const std::exception& e) {
        // Whatever went wrong stays with this radio.
        r.result = OperationResult::failure(e.what());
        r.reason = e.what();
    }
    r.ended = std::chrono::system_clock::now();
    observer.finished(index, r);
    return r;
}

}  // namespace

std::optional<std::vector<int>> parseGroupList(std::string_view text) {
    const auto number = [](std::string_view digits) -> std::optional<int> {
        int n{};
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        if (error != std::errc() || end != digits.data() + digits.size() || n < 1 ||
            n > kGroupCount)
            return std::nullopt;
        return n;
    };
    std::vector<int> groups;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view range = text.substr(start, comma - start);
        start = comma + 1;
        const auto dash = range.find('-');
        const auto first = number(range.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : number(range.substr(dash + 1));
        if (!first || !last || *last < *first) return std::nullopt;
        for (int g = *first; g <= *last; ++g) groups.push_back(g);
    }
    return groups;
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
