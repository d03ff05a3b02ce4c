#include "sim/sim_radio.h"

#include <algorithm>

#include "sim/garble.h"
#include "sim/loaded_programs.h"
#include "sim/resident_firmware.h"

namespace zav::sim {

namespace {

// A processor running code that is not there: it answers nothing from then on.
class HungProgram final : public RadioProgram {
  public:
    [[nodiscard]] std::string name() const override { return "no program (radio hung)"; }
    std::string onByte(SimRadio& /*radio*/, Byte /*b*/) override { return "ignored: hung"; }
};

}  // namespace

SimRadio::SimRadio(SimConfig config)
    : config_(config), program_(std::make_unique<ResidentFirmware>()) {
    installLoadedPrograms(*this);
}

SimRadio::~SimRadio() = default;

std::string SimRadio::programName() const {
    return nextProgram_ ? nextProgram_->name() : program_->name();
}

bool SimRadio::cut(SimTime t) const {
    return config_.faults.cutAt && t >= *config_.faults.cutAt;
}

void SimRadio::hostSends(SimTime when, Byte value, int hostBaud) {
    SimTime arrival = when;
    if (config_.lineTiming) {
        arrival = std::max(when, hostWireFree_) + byteTime(hostBaud);
        hostWireFree_ = arrival;
    }
    toRadio_.push_back(Pending{arrival, value, hostBaud, {}});
}

std::optional<SimTime> SimRadio::nextEventTime() const {
    std::optional<SimTime> next;
    if (!toRadio_.empty()) next = toRadio_.front().arrival;
    if (!toHost_.empty() && (!next || toHost_.front().arrival < *next))
        next = toHost_.front().arrival;
    return next;
}

std::vector<HostDelivery> SimRadio::runUntil(SimTime until, int hostBaud) {
    std::vector<HostDelivery> out;
    for (;;) {
        const bool radioFirst =
            !toRadio_.empty() &&
            (toHost_.empty() || toRadio_.front().arrival <= toHost_.front().arrival);
        if (radioFirst && toRadio_.front().arrival <= until) {
            const Pending p = toRadio_.front();
            toRadio_.pop_front();
            now_ = std::max(now_, p.arrival);
            handleHostByte(p);
        } else if (!toHost_.empty() && toHost_.front().arrival <= until) {
            const Pending p = toHost_.front();
            toHost_.pop_front();
            now_ = std::max(now_, p.arrival);
            deliverToHost(p, hostBaud, out);
        } else {
            break;
        }
    }
    now_ = std::max(now_, until);
    return out;
}

void SimRadio::handleHostByte(const Pending& p) {
    TranscriptEntry e{p.arrival, Direction::HostToRadio, p.value, p.value, p.baud, baud_, false,
                      {}};
    if (cut(p.arrival)) {
        e.lost = true;
        e.note = "line cut";
        transcript_.add(std::move(e));
        return;
    }
    if (p.baud != baud_) {
        e.received = garble(p.value);
        e.note = "garbled: not understood";
        transcript_.add(std::move(e));
        handling_ = true;
        program_->onGarbled(*this);
        handling_ = false;
        switchProgramIfPending();
        return;
    }
    // Bytes the faults swallow while the program answers are recorded after the byte
    // that caused them, so the transcript keeps its order.
    handling_ = true;
    e.note = program_->onByte(*this, p.value);
    handling_ = false;
    transcript_.add(std::move(e));
    for (auto& lost : deferred_) transcript_.add(std::move(lost));
    deferred_.clear();
    switchProgramIfPending();
}

void SimRadio::deliverToHost(const Pending& p, int hostBaud, std::vector<HostDelivery>& out) {
    TranscriptEntry e{p.arrival, Direction::RadioToHost, p.value, p.value, p.baud, hostBaud, false,
                      p.note};
    if (cut(p.arrival)) {
        e.lost = true;
        e.note = "line cut";
        transcript_.add(std::move(e));
        return;
    }
    if (p.baud != hostBaud) {
        e.received = garble(p.value);
        e.note += e.note.empty() ? "garbled" : " (garbled)";
    }
    out.push_back(HostDelivery{p.arrival, e.received});
    transcript_.add(std::move(e));
}

void SimRadio::send(Byte value, std::string note) {
    ++sentCount_;
    const auto& f = config_.faults;
    const char* lostBecause = nullptr;
    if (f.silent)
        lostBecause = "not sent: silent radio";
    else if (f.stopAfter && sentCount_ > *f.stopAfter)
        lostBecause = "not sent: radio stopped answering";
    else if (f.dropOutput && sentCount_ == *f.dropOutput)
        lostBecause = "not sent: dropped";
    if (lostBecause != nullptr) {
        TranscriptEntry e{now_, Direction::RadioToHost, value, value, baud_, 0, true, lostBecause};
        if (handling_)
            deferred_.push_back(std::move(e));
        else
            transcript_.add(std::move(e));
        return;
    }
    const bool late = f.lateOutput && sentCount_ == *f.lateOutput;
    const bool twice = f.sentTwice && sentCount_ == *f.sentTwice;
    if (late) note += note.empty() ? "late" : " (late)";
    const SimTime delay = f.replyDelay + (late ? f.lateBy : SimTime{0});
    for (int copy = twice ? 2 : 1; copy > 0; --copy) {
        const SimTime leave = std::max(now_ + delay, radioWireFree_);
        const SimTime arrival = config_.lineTiming ? leave + byteTime(baud_) : leave;
        radioWireFree_ = arrival;
        toHost_.push_back(Pending{arrival, value, baud_, note});
        if (twice) note = "sent again";
    }
}

Byte SimRadio::echoOf(Byte value) {
    ++echoCount_;
    const auto& wrong = config_.faults.wrongEcho;
    if (wrong && (*wrong == 0 || *wrong == echoCount_)) return static_cast<Byte>(value ^ 0x01);
    return value;
}

void SimRadio::runProgram(std::unique_ptr<RadioProgram> program) {
    nextProgram_ = std::move(program);
    // While a program handles a byte it must not be destroyed under itself; the switch
    // then waits until it returns.
    if (!handling_) switchProgramIfPending();
}

void SimRadio::returnToResident(bool hooked) {
    runProgram(std::make_unique<ResidentFirmware>(hooked));
}

void SimRadio::installProgram(Byte entry, ProgramFactory factory) {
    programs_[entry] = std::move(factory);
}

void SimRadio::execute(Byte entry) {
    std::unique_ptr<RadioProgram> program;
    if (auto it = programs_.find(entry); it != programs_.end()) program = it->second(*this);
    if (!program) program = std::make_unique<HungProgram>();
    runProgram(std::move(program));
}

void SimRadio::installFrame(Byte command, std::size_t length, FrameHandler handler) {
    frames_[command] = ExtraFrame{length, std::move(handler)};
}

const SimRadio::ExtraFrame* SimRadio::extraFrame(Byte command) const {
    auto it = frames_.find(command);
    return it == frames_.end() ? nullptr : &it->second;
}

void SimRadio::switchProgramIfPending() {
    while (nextProgram_) {
        program_ = std::move(nextProgram_);
        program_->start(*this);
    }
}

}  // namespace zav::sim
