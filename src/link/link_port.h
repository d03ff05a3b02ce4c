#pragma once
// The low-level serial port the transport drives, with the clock it measures waits on.
// The transport's wait loops live once in the core (transport.h); an implementation
// supplies only the device operations and how to block until data or a deadline: the
// Qt port runs a nested event loop, the simulated line advances virtual time.

#include <chrono>
#include <optional>
#include <string>

#include "link/line_settings.h"
#include "model/memory_image.h"

namespace zav {

// A point on the port's monotonic clock, measured from an arbitrary origin.
using LinkTime = std::chrono::nanoseconds;

class LinkPort {
  public:
    virtual ~LinkPort() = default;

    // Opens the device with the given settings; nullopt on success, else the system's
    // reason (a text for the user).
    virtual std::optional<std::string> open(const std::string& device,
                                            const LineSettings& settings) = 0;
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;
    // True when the device went away while open (a cable or an adapter pulled, the far
    // end of a pseudo-terminal gone): the port has closed itself and reaches no radio.
    // Until the next open.
    [[nodiscard]] virtual bool deviceLost() const { return false; }
    // Allowed while open; applies to the bytes that follow.
    virtual void setSettings(const LineSettings& settings) = 0;

    // Queues one byte for transmission; false when the device refused it. Queued bytes
    // leave at the latest at the next wait, settings change or close.
    virtual bool writeByte(Byte value) = 0;
    // Hands the queued bytes to the device now: before something that blocks without a
    // wait, such as a question to the user.
    virtual void sendQueued() {}
    // Received bytes not yet read.
    [[nodiscard]] virtual int bytesWaiting() = 0;
    // The next received byte, or nullopt when none is waiting.
    virtual std::optional<Byte> readByte() = 0;
    virtual void discardInput() = 0;

    [[nodiscard]] virtual LinkTime now() const = 0;
    // One pass of a wait loop: lets the window system handle its events, then blocks
    // until the clock has passed `deadline`, or, with wakeOnInput, until a received
    // byte is waiting. Returns after the events when a byte is already waiting (and
    // wakeOnInput) or the deadline has passed; it never spins.
    virtual void waitUntil(LinkTime deadline, bool wakeOnInput) = 0;
    // Blocks for the given time without letting the window system run.
    virtual void sleepBlocking(std::chrono::milliseconds duration) = 0;
};

}  // namespace zav
