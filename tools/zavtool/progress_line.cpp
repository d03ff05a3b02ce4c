#include "progress_line.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <ostream>
#include <string_view>

namespace zav::tool {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

bool takesEscapeCodes(int fd, const char* term) {
    const std::string_view name = term != nullptr ? term : "";
    return ::isatty(fd) != 0 && !name.empty() && name != "dumb";
}

ProgressLine::ProgressLine(std::ostream& out, bool enabled, std::string activity)
    : out_(out), enabled_(enabled), activity_(std::move(activity)) {}

void ProgressLine::update(LinkTime now, bool force) {
    if (!enabled_) return;
    if (drawn_ && !force && now - lastDrawn_ < kRedrawInterval) return;
    lastDrawn_ = now;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::string line = "zavtool: " + (text_.empty() ? activity_ : text_);
    std::array<char, 96> part{};
    std::snprintf(part.data(), part.size(), "  %ld bytes in, %ld out", received_, sent_);
    line += part.data();
    if (barVisible_ && maximum_ > minimum_) {
        std::snprintf(part.data(), part.size(), "  [%d/%d]", value_ - minimum_,
                      maximum_ - minimum_);
        line += part.data();
    }
    std::snprintf(part.data(), part.size(), "  %.1f s", seconds);
    line += part.data();
    // Back to the line's start, draw, erase what an earlier, longer line left.
    out_ << '\r' << line << "\x1b[K" << std::flush;
    drawn_ = true;
}

void ProgressLine::clear() {
    if (!enabled_ || !drawn_) return;
    out_ << "\r\x1b[K" << std::flush;
    drawn_ = false;
}

bool CountingPort::writeByte(Byte value) {
    line_.countSent();
    return ForwardingPort::writeByte(value);
}

std::optional<Byte> CountingPort::readByte() {
    auto b = ForwardingPort::readByte();
    if (b) line_.countReceived();
    return b;
}

void CountingPort::waitUntil(LinkTime deadline, bool wakeOnInput) {
    line_.update(now());
    ForwardingPort::waitUntil(deadline, wakeOnInput);
}

}  // namespace zav::tool
