#include "sim/virtual_port.h"

#include <algorithm>

namespace zav::sim {

VirtualPort::VirtualPort(SimRadio& radio, VirtualPortOptions options)
    : radio_(radio), options_(std::move(options)) {}

std::optional<std::string> VirtualPort::open(const std::string& device,
                                             const LineSettings& settings) {
    for (const auto& [name, reason] : options_.failingDevices)
        if (name == device) return reason;
    advance(now_);
    if (vanished()) return "No such device";
    open_ = true;
    device_ = device;
    settings_ = settings;
    input_.clear();
    taken_ = 0;
    readPos_ = 0;
    ++opens_;
    return std::nullopt;
}

void VirtualPort::close() {
    advance(now_);
    open_ = false;
    input_.clear();
    taken_ = 0;
    readPos_ = 0;
    ++closes_;
}

void VirtualPort::setSettings(const LineSettings& settings) {
    advance(now_);
    settings_ = settings;
}

bool VirtualPort::writeByte(Byte value) {
    if (!open_) return false;
    writes_.push_back(now_);
    if (vanished()) return false;
    radio_.hostSends(now_, value, settings_.baud);
    return true;
}

int VirtualPort::bytesWaiting() {
    return static_cast<int>(taken_ - readPos_);
}

std::optional<Byte> VirtualPort::readByte() {
    if (readPos_ >= taken_) return std::nullopt;
    return input_[readPos_++];
}

void VirtualPort::discardInput() {
    advance(now_);
    input_.clear();
    taken_ = 0;
    readPos_ = 0;
}

void VirtualPort::takeInput() {
    advance(now_);
    taken_ = input_.size();
}

void VirtualPort::advance(SimTime until) {
    until = std::max(until, now_);
    for (const auto& d : radio_.runUntil(until, settings_.baud))
        if (open_ && !(options_.vanishAt && d.time >= *options_.vanishAt))
            input_.push_back(d.value);
    now_ = until;
}

void VirtualPort::waitUntil(LinkTime deadline, bool wakeOnInput) {
    ++yields_;
    if (onYield_) onYield_();
    takeInput();
    if (wakeOnInput && bytesWaiting() > 0) return;
    const SimTime target = std::max(deadline, now_) + options_.timerSlack;
    if (wakeOnInput) {
        while (const auto next = radio_.nextEventTime()) {
            if (*next > target) break;
            advance(*next);
            taken_ = input_.size();
            if (bytesWaiting() > 0) return;
        }
    }
    advance(target);
    taken_ = input_.size();
}

void VirtualPort::sleepBlocking(std::chrono::milliseconds duration) {
    sleeps_.emplace_back(duration);
    advance(now_ + duration);
}

}  // namespace zav::sim
