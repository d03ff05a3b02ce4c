#include "link/transport.h"
#include "iface/shown_text.h"

#include <algorithm>
#include <exception>

#include "iface/prompts.h"
#include "link/port_devices.h"

namespace zav {

Transport::Transport(LinkPort& port, Prompts& prompts, const SettingsStore* settings)
    : line_(port), prompts_(prompts), store_(settings) {}

std::string Transport::device() const {
    return resolvePortDevice(port_, store_);
}

bool Transport::setSettings(std::string_view settings) {
    const auto parsed = parseLineSettings(settings);
    if (!parsed) return false;
    settings_ = *parsed;
    settingsText_ = std::string(settings);
    if (line_.isOpen()) line_.setSettings(settings_);
    return true;
}

bool Transport::openPort() {
    portError_ = false;
    if (line_.isOpen()) return true;
    const std::string dev = device();
    std::optional<std::string> failure;
    try {
        failure = line_.open(dev, settings_);
        if (!failure && !line_.isOpen()) failure = "The port did not open.";
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (!failure) return true;
    Message m = notice(shownText("Messages", "Unable to open Comm Port"), kCommErrorTitle);
    m.detail = "Device: " + dev + "\n" + *failure;
    prompts_.ask(m);
    portError_ = true;
    return false;
}

void Transport::closePort() {
    if (line_.isOpen()) line_.close();
}

void Transport::sendReversed(std::span<const Byte> bytes) {
    // clang 14 cannot iterate a reversed span as a range.
    std::for_each(bytes.rbegin(), bytes.rend(), [this](Byte b) { sendByte(b); });
}

void Transport::sendByte(Byte value) {
    // A byte for a closed or failed port is lost; the reply that does not come
    // ends the conversation.
    if (line_.isOpen()) line_.writeByte(value);
}

void Transport::discardInput() {
    line_.discardInput();
}

int Transport::bytesWaiting() {
    return line_.bytesWaiting();
}

bool Transport::receiveByte(Byte& b) {
    const LinkTime start = line_.now();
    const LinkTime deadline = start + kReceiveTimeLimit;
    for (;;) {
        // A device that went away sends nothing more.
        if (line_.deviceLost()) return false;
        line_.waitUntil(deadline, true);
        if (line_.bytesWaiting() > 0) break;
        // Checked after the waiting bytes: a byte that came in the pass that ran past the
        // limit is still taken.
        if (line_.now() - start > kReceiveTimeLimit) return false;
    }
    const auto value = line_.readByte();
    if (!value) return false;
    lastTaken_ = line_.now();
    b = *value;
    return true;
}

bool Transport::waitForByte(Byte expected) {
    const LinkTime start = line_.now();
    const LinkTime deadline = start + kReceiveTimeLimit;
    for (;;) {
        if (line_.bytesWaiting() > 0) {
            const auto value = line_.readByte();
            lastTaken_ = line_.now();
            if (value && *value == expected) return true;
        }
        if (line_.deviceLost()) return false;
        line_.waitUntil(deadline, true);
        if (line_.now() - start > kReceiveTimeLimit) return false;
    }
}

bool Transport::staysQuiet(std::chrono::milliseconds window) {
    return quietUntil(line_.now() + window);
}

bool Transport::quietAfterLastByte(std::chrono::milliseconds window) {
    return quietUntil(lastTaken_ + window);
}

bool Transport::quietUntil(LinkTime end) {
    // A byte that came while nothing handled the port (a blocking pause) shows only once
    // its input has been handled.
    do {
        line_.waitUntil(end, true);
        if (line_.bytesWaiting() > 0) return false;
    } while (line_.now() < end);
    return true;
}

bool Transport::settleInput(std::chrono::milliseconds quiet, std::chrono::milliseconds limit) {
    const LinkTime start = line_.now();
    for (;;) {
        line_.discardInput();
        if (staysQuiet(quiet)) return true;
        if (line_.now() - start > limit) {
            line_.discardInput();
            return false;
        }
    }
}

void Transport::delay(std::uint32_t ms) {
    const LinkTime end = line_.now() + std::chrono::milliseconds(ms);
    // At least one pass, also when the thread was held off past the end: the pass hands
    // the bytes written before the pause to the port, which may have queued them.
    do {
        line_.waitUntil(end, false);
    } while (line_.now() < end);
}

void Transport::pauseBlocking(std::chrono::milliseconds duration) {
    line_.sleepBlocking(duration);
}

}  // namespace zav
