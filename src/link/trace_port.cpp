#include "link/trace_port.h"

#include <array>
#include <cstdio>
#include <string>

#include "iface/version.h"
#include "link/transport.h"

namespace zav {

namespace {

std::string dateText(const LocalTime& t, const char* format) {
    std::array<char, sizeof "-2147483648-2147483648-2147483648 2147483648:2147483648:2147483648">
        text{};
    std::snprintf(text.data(), text.size(), format, t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text.data();
}

}  // namespace

TraceHeader traceHeader(const Clock& clock, const Transport& transport) {
    return {clock.now(), "ZAVPROG " + versionText(programVersion()), transport.port(),
            transport.device()};
}

std::string datedTracePath(const std::string& chosen, const LocalTime& time,
                           const std::function<bool(const std::string&)>& taken) {
    const std::size_t slash = chosen.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = chosen.find_last_of('.');
    // A name that is all extension (".trace") or a dot in a folder's name keeps no extension.
    if (dot == std::string::npos || dot <= nameStart) dot = chosen.size();
    const std::string stem = chosen.substr(0, dot) + dateText(time, "-%04d-%02d-%02d-%02d%02d%02d");
    std::string path = stem + chosen.substr(dot);
    for (int copy = 2; taken(path); ++copy)
        path = stem + "-" + std::to_string(copy) + chosen.substr(dot);
    return path;
}

bool TracePort::startTrace(const std::string& path, const TraceHeader& header,
                           AppendFile::Start start) {
    (void)stopTrace();
    error_ = file_.open(path, start);
    if (error_) return false;
    path_ = path;
    start_ = now();
    note("serial trace begun " + dateText(header.started, "%04d-%02d-%02d %02d:%02d:%02d"));
    note(header.program);
    note("port " + header.port + ", device " + header.device);
    file_.write("# serial trace: seconds, > sent to the radio / < received, baud, byte (hex)\n");
    if (isOpen()) note("port open, " + std::to_string(baud_) + " baud");
    return true;
}

bool TracePort::stopTrace() {
    return !file_.close();
}

void TracePort::note(std::string_view text) {
    if (!tracing()) return;
    file_.write("# ");
    file_.write(text);
    file_.write("\n");
}

double TracePort::seconds() const {
    return std::chrono::duration<double>(now() - start_).count();
}

void TracePort::timedNote(std::string_view text) {
    if (!tracing()) return;
    std::array<char, sizeof "-123456789012.123456"> time{};
    std::snprintf(time.data(), time.size(), "%.6f", seconds());
    note(std::string(time.data()) + " " + std::string(text));
}

void TracePort::operationBegins(std::string_view name) {
    timedNote(std::string(name) + " begins");
}

void TracePort::operationEnds(std::string_view name, std::string_view outcome) {
    timedNote(std::string(name) + " ends: " + std::string(outcome));
    file_.flush();
}

void TracePort::byteLine(char direction, Byte value, int baud, std::string_view mark) {
    std::array<char, sizeof "-123456789012.123456 > 115200 FF"> line{};
    std::snprintf(line.data(), line.size(), "%12.6f %c %5d %02X", seconds(), direction, baud,
                  static_cast<unsigned>(value));
    file_.write(line.data());
    if (!mark.empty()) {
        file_.write(" ");
        file_.write(mark);
    }
    file_.write("\n");
}

void TracePort::received(Byte value, std::string_view mark) {
    if (earlier_.empty()) {
        byteLine('<', value, baud_, mark);
        return;
    }
    byteLine('<', value, earlier_.front().second, mark);
    if (--earlier_.front().first == 0) earlier_.pop_front();
}

std::optional<std::string> TracePort::open(const std::string& device,
                                           const LineSettings& settings) {
    auto error = ForwardingPort::open(device, settings);
    baud_ = settings.baud;
    earlier_.clear();
    note("open " + device + " at " + lineSettingsText(settings) + (error ? ": " + *error : ""));
    return error;
}

void TracePort::close() {
    ForwardingPort::close();  // (the next open forgets the bytes that were waiting)
    note("closed");
    file_.flush();
}

void TracePort::setSettings(const LineSettings& settings) {
    if (tracing()) {
        int waiting = ForwardingPort::bytesWaiting();
        for (const auto& [count, baud] : earlier_) waiting -= count;
        if (waiting > 0) earlier_.emplace_back(waiting, baud_);
    }
    ForwardingPort::setSettings(settings);
    if (settings.baud != baud_) note("now " + lineSettingsText(settings));
    baud_ = settings.baud;
}

bool TracePort::writeByte(Byte value) {
    const bool written = ForwardingPort::writeByte(value);
    if (tracing()) byteLine('>', value, baud_, written ? "" : "refused by the port");
    return written;
}

std::optional<Byte> TracePort::readByte() {
    const auto value = ForwardingPort::readByte();
    if (value && tracing()) received(*value);
    return value;
}

void TracePort::discardInput() {
    // The bytes thrown away were on the line too: they go into the trace first.
    while (tracing()) {
        const auto value = ForwardingPort::readByte();
        if (!value) break;
        received(*value, "discarded");
    }
    earlier_.clear();
    ForwardingPort::discardInput();
}

}  // namespace zav
