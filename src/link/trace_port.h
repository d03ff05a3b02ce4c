#pragma once
// A serial trace for support: every byte each way, with its time on the port's clock, its
// direction and the line speed, written as text to a file a technician can send. Off
// (no file), the port only hands calls on; the conversation is the same either way.
//
// A trace begins with a header: the date and local time it began, the program and its
// version, the port and its device. Then lines: "#" and a note (port opened, speed changed,
// an operation beginning or ending, with its seconds, name and outcome), or
//   seconds  direction  baud  byte
// with the seconds since the trace began, ">" for a byte sent to the radio, "<" for one
// received (a byte thrown away unread with the input is marked "discarded"). A byte is
// traced at the speed the port had when it arrived: a speed change counts the bytes that
// are waiting, which keep the old speed.

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "files/file_system.h"
#include "iface/platform.h"
#include "link/forwarding_port.h"

namespace zav {

// Who traces, when and on which line: the first lines of every trace.
struct TraceHeader {
    LocalTime started;
    std::string program;  // the program's name and version
    std::string port;     // the port as the user chose it (a number or a device)
    std::string device;   // the device that port opens
};

// The trace file of a start after the first: beside the chosen file, with the date and
// time in its name ("trace.txt" at 07:20:31 on 8 Dec 2026: "trace-2026-12-08-072031.txt"),
// so that each start of the editor writes a file of its own; a name `taken` says is in use
// (a start in the same second) gets a number after the time ("...-072031-2.txt").
class Transport;

// The header of a trace of the transport's port, begun now on `clock`.
TraceHeader traceHeader(const Clock& clock, const Transport& transport);

std::string datedTracePath(const std::string& chosen, const LocalTime& time,
                           const std::function<bool(const std::string&)>& taken);

class TracePort final : public ForwardingPort {
  public:
    explicit TracePort(LinkPort& port) : ForwardingPort(port) {}

    // Starts a trace into the file, replacing it or (a trace going on after a restart)
    // adding to it; false when the file cannot be written (error() tells why): a FIFO,
    // a device or anything else but a regular file is refused without waiting on it.
    bool startTrace(const std::string& path, const TraceHeader& header,
                    AppendFile::Start start = AppendFile::Start::Replace);
    // Ends the trace; false when the trace could not be written whole (a full disk).
    bool stopTrace();
    [[nodiscard]] bool tracing() const { return file_.isOpen(); }
    // The file of the trace running or last run; empty before any.
    [[nodiscard]] const std::string& path() const { return path_; }
    // What the trace holds so far reaches its file (to be read while it runs).
    void flushTrace() { file_.flush(); }
    // Why the last trace could not be started or written whole; empty while all went in.
    [[nodiscard]] std::error_code error() const { return error_ ? error_ : file_.error(); }

    // An operation of the user's ("Write Radio") begins, or ends with its outcome ("done",
    // "failed: the radio was not written"): the bytes between are its conversation.
    void operationBegins(std::string_view name);
    void operationEnds(std::string_view name, std::string_view outcome);

    std::optional<std::string> open(const std::string& device,
                                    const LineSettings& settings) override;
    void close() override;
    void setSettings(const LineSettings& settings) override;
    bool writeByte(Byte value) override;
    std::optional<Byte> readByte() override;
    void discardInput() override;

  private:
    void note(std::string_view text);
    // A note with the seconds since the trace began.
    void timedNote(std::string_view text);
    [[nodiscard]] double seconds() const;
    // A received byte's line, at the speed it arrived at.
    void received(Byte value, std::string_view mark = {});
    void byteLine(char direction, Byte value, int baud, std::string_view mark = {});

    AppendFile file_;
    std::string path_;
    std::error_code error_;  // the trace could not be started
    LinkTime start_{};
    int baud_ = 0;
    // Bytes that arrived before a speed change and are not read yet: how many, at which speed.
    std::deque<std::pair<int, int>> earlier_;
};

}  // namespace zav
