#include "ops/fleet_log.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace zav {

namespace {

std::string utcText(std::chrono::system_clock::time_point t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, sizeof "2026-12-07T19:54:19Z"> text{};
    const std::size_t n = std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc);
    return {text.data(), n};
}

std::string outcomeText(Outcome outcome) {
    switch (outcome) {
        case Outcome::Done:
            return "done";
        case Outcome::Failed:
            return "failed";
        case Outcome::Cancelled:
            return "cancelled";
    }
    return "";
}

}  // namespace

CsvRecord fleetLogHeader() {
    return {"Time", "Port", "Unit", "Result", "Reason", "Bytes Written", "Duration (s)"};
}

CsvRecord fleetLogRow(const FleetRadioResult& radio) {
    std::array<char, sizeof "-12345678901234.123"> seconds{};
    const double s = std::chrono::duration<double>(radio.duration).count();
    std::snprintf(seconds.data(), seconds.size(), "%.3f", s);
    return {utcText(radio.ended),
            radio.port,
            radio.unit ? unitIdText(*radio.unit) : "",
            outcomeText(radio.result.outcome),
            radio.reason,
            std::to_string(radio.bytesSent),
            seconds.data()};
}

FleetLog::FleetLog(const std::string& path)
    : openError_(out_.open(path, AppendFile::Start::Append)) {
    if (!openError_ && out_.startedEmpty()) out_.writeWhole(formatCsvRecord(fleetLogHeader()));
}

void FleetLog::add(const FleetRadioResult& radio) {
    const std::scoped_lock lock(mutex_);
    out_.writeWhole(formatCsvRecord(fleetLogRow(radio)));
}

std::error_code FleetLog::error() {
    const std::scoped_lock lock(mutex_);
    return openError_ ? openError_ : out_.error();
}

std::error_code FleetLog::finish() {
    {
        const std::scoped_lock lock(mutex_);
        (void)out_.close();
    }
    return error();
}

}  // namespace zav
