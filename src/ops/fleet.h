#pragma once
// A fleet of radios programmed at once: one thread per radio, each with its own port,
// document copy, link, prompts and progress, so that one radio's failure, silence or
// cancel never reaches another. The radio operation is RadioOperations' own, as for a
// single radio; nobody is asked anything while it runs (the questions are answered from
// the request, and a failure's message becomes that radio's reason).
//
// Ports are made by the caller's factory on the radio's own thread, since a Qt serial port
// belongs to the thread that made it; tests make simulated ports.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "iface/progress.h"
#include "link/link_port.h"
#include "model/field_entry.h"
#include "ops/file_operations.h"
#include "ops/operation_result.h"
#include "ops/request_answers.h"

namespace zav {

class RadioHistory;

enum class FleetOperation : std::uint8_t { Write, Read, WriteLabels };

// Unit numbers: radio k (from 0, in port order) gets ANI/ID number first + k in the
// groups named (1..15; none named: every group of the file).
struct FleetUnits {
    std::uint32_t first = 0;
    std::vector<int> groups;
};

inline constexpr std::uint32_t kLastUnitNumber = 9'999'999;  // seven decimal digits

struct FleetRequest {
    FleetOperation operation = FleetOperation::Write;
    // The ports' names (shown and logged) and the devices they open, one each.
    std::vector<std::string> ports;
    std::vector<std::string> devices;
    RadioRequest answers;
    int retries = 0;  // Retry answers each radio gives before Cancel
    bool verify = false;
    int labelGroup = 0;  // write-labels: 1..15, 0 for all groups
    std::optional<FleetUnits> units;
    // Where every radio keeps its read or its backup (shared by all; may be null), and
    // whether a write backs the radio up first.
    RadioHistory* history = nullptr;
    bool backup = true;
    // A read: the file each radio's read is saved in, one per port (none: not saved).
    std::vector<std::string> files;
};

// How one radio ended.
struct FleetRadioResult {
    std::string port;
    std::optional<std::uint32_t> unit;
    OperationResult result;
    std::string reason;                   // failed: why, with the radio's own message
    long bytesSent = 0;                   // bytes the host put on the line
    std::chrono::nanoseconds duration{};  // on the port's clock
    std::chrono::system_clock::time_point ended;
    FileBytes file;           // the file as the operation left it (a read's result)
    std::string historyFile;  // what the radio's read or backup kept; empty: none
    // What became of the radio, in a few words: "written", "cancelled before it started",
    // "cancelled during the labels; the labels were not all written", "failed: ...".
    std::string outcome;
};

// What the fleet reports as it runs; called on the radios' threads, so an implementation
// must be safe to call from several threads at once.
class FleetObserver {
  public:
    virtual ~FleetObserver() = default;
    // Radio `index`'s bar (value of maximum; maximum 0 when the transfer drives none) and
    // its operation text.
    virtual void progressed(std::size_t /*index*/, int /*value*/, int /*maximum*/,
                            const std::string& /*text*/) {}
    virtual void finished(std::size_t index, const FleetRadioResult& result) = 0;
};

// Makes the port for one device, on the thread that will use it.
using PortFactory = std::function<std::unique_ptr<LinkPort>(const std::string& device)>;

// Runs every job at once, each on a thread of its own, and returns when all have ended.
using Job = std::function<void()>;
using ParallelRunner = std::function<void(const std::vector<Job>& jobs)>;
// Standard threads; a Qt serial port needs threads Qt started (qt/qt_threads.h).
void runOnThreads(const std::vector<Job>& jobs);

// The file a radio's read goes to: `pattern` with every "{port}" replaced by the port's
// name (a device path's last part).
std::string fleetFileName(std::string_view pattern, const std::string& port);

// The fleet's end in one line: "3 radios: 2 written, 1 cancelled".
std::string fleetSummary(const std::vector<FleetRadioResult>& results);

// A list of groups such as "1,3,5-7": the group numbers (1..15); nullopt when it is none.
std::optional<std::vector<int>> parseGroupList(std::string_view text);

// The unit number's ANI/ID text: seven decimal digits.
std::string unitIdText(std::uint32_t unit);

// Writes the unit number into the ANI/ID field of the groups `units` names (every group
// the image holds when it names none); groups the image lacks are left alone. A number
// the field cannot hold (more than seven digits) is refused and nothing is written.
FieldEntry applyUnitNumber(MemImage& mem, LabelImage& labels, const FleetUnits& units,
                           std::uint32_t unit);

// Runs the request on every port at once, starting from `file`; returns when every radio
// has ended, with one result per port in port order. `cancel` (may be null) cancels all:
// each radio stops at its next safe point and is released, and a radio not started by
// then is not started; `cancel` also hears of the radios' unstoppable steps.
std::vector<FleetRadioResult> runFleet(const FleetRequest& request, const FileBytes& file,
                                       const PortFactory& makePort, FleetObserver& observer,
                                       CancelRequest* cancel,
                                       const ParallelRunner& runAll = runOnThreads);

}  // namespace zav
