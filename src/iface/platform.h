#pragma once
// What the core asks of the system besides files and the serial port: the local time of
// day and the process's environment, behind interfaces so that tests give fixed ones.

#include <optional>
#include <string>

namespace zav {

// A moment in local time, to the second.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual LocalTime now() const = 0;
};

class Environment {
  public:
    virtual ~Environment() = default;
    // The variable's value; nullopt when it is not set.
    [[nodiscard]] virtual std::optional<std::string> variable(const std::string& name) const = 0;
};

// The system's own: the time zone's local time, the process's environment.
class SystemClock final : public Clock {
  public:
    [[nodiscard]] LocalTime now() const override;
};

class SystemEnvironment final : public Environment {
  public:
    [[nodiscard]] std::optional<std::string> variable(const std::string& name) const override;
};

}  // namespace zav
