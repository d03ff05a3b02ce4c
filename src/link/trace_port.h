#pragma once
// A serial trace for support: every byte each way, with its time on the port's clock, its
// direction and the line speed, written as text to a file a technician can send. Off
// (no file), the port only hands calls on; the conversation is the same either way.
//
// Lines: "#" and a note (port opened, speed changed, input discarded), or
//   seconds  direction  baud  byte
// with the seconds since the trace began, ">" for a byte sent to the radio, "<" for one
// received (a byte thrown away unread with the input is marked "discarded"). A byte is
// traced at the speed the port had when it arrived: a speed change counts the bytes that
// are waiting, which keep the old speed.

#include <deque>
#include <string>
#include <string_view>
#include <utility>

#include "files/file_system.h"
#include "link/forwarding_port.h"

namespace zav {

class TracePort final : public ForwardingPort {
  public:
    explicit TracePort(LinkPort& port) : ForwardingPort(port) {}

    // Starts a trace into the file, replacing it or (a trace going on after a restart)
    // adding to it; false when the file cannot be written (error() tells why): a FIFO,
    // a device or anything else but a regular file is refused without waiting on it.
    bool startTrace(const std::string& path, AppendFile::Start start = AppendFile::Start::Replace);
    // Ends the trace; false when the trace could not be written whole (a full disk).
    bool stopTrace();
    [[nodiscard]] bool tracing() const { return file_.isOpen(); }
    // Why the last trace could not be started or written whole; empty while all went in.
    [[nodiscard]] std::error_code error() const { return error_ ? error_ : file_.error(); }

    std::optional<std::string> open(const std::string& device,
                                    const LineSettings& settings) override;
    void close() override;
    void setSettings(const LineSettings& settings) override;
    bool writeByte(Byte value) override;
    std::optional<Byte> readByte() override;
    void discardInput() override;

  private:
    void note(std::string_view text);
    // A received byte's line, at the speed it arrived at.
    void received(Byte value, std::string_view mark = {});
    void byteLine(char direction, Byte value, int baud, std::string_view mark = {});

    AppendFile file_;
    std::error_code error_;  // the trace could not be started
    LinkTime start_{};
    int baud_ = 0;
    // Bytes that arrived before a speed change and are not read yet: how many, at which speed.
    std::deque<std::pair<int, int>> earlier_;
};

}  // namespace zav
