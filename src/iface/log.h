#pragma once
// The diagnostic log: the steps the link, the operations, the files and the settings take,
// one line each, for a technician reading what happened. The core writes to a Log it is
// given; the editor's and zavtool's log sends each area to a logging category of its own
// (zav.link, zav.ops, zav.files, zav.settings) and keeps the last lines for Save
// Diagnostics. Nothing personal goes in beyond what the settings hold: file paths, port
// devices, operations and their outcomes.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <iosfwd>
#include <string>
#include <string_view>

namespace zav {

enum class LogArea : std::uint8_t { Link, Operations, Files, Settings };

// The area's category name: "zav.link", "zav.ops", "zav.files", "zav.settings".
std::string_view logCategory(LogArea area);

class Log {
  public:
    virtual ~Log() = default;
    virtual void write(LogArea area, std::string_view text) = 0;
};

class NullLog final : public Log {
  public:
    void write(LogArea /*area*/, std::string_view /*text*/) override {}
};

// Writes "zav.link: text" lines to a stream (a program without Qt: the simulated radio).
class StreamLog final : public Log {
  public:
    explicit StreamLog(std::ostream& out) : out_(out) {}
    void write(LogArea area, std::string_view text) override;

  private:
    std::ostream& out_;
};

// A log that keeps the last `limit` lines written ("zav.ops: Read Radio begins"), oldest
// first, and counts the older ones it let go: a log kept for a whole afternoon's run stays
// small.
class LogMemory final : public Log {
  public:
    static constexpr std::size_t kDefaultLimit = 2000;
    explicit LogMemory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    void write(LogArea area, std::string_view text) override;
    [[nodiscard]] const std::deque<std::string>& lines() const { return lines_; }
    [[nodiscard]] std::size_t dropped() const { return dropped_; }
    // Every line kept, each ending in a newline, after a note of the lines dropped.
    [[nodiscard]] std::string text() const;

  private:
    std::size_t limit_;
    std::deque<std::string> lines_;
    std::size_t dropped_ = 0;
};

}  // namespace zav
