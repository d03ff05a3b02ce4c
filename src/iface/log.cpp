#include "iface/log.h"

#include <array>
#include <ostream>

namespace zav {

std::string_view logCategory(LogArea area) {
    constexpr std::array<std::string_view, 4> kNames{"zav.link", "zav.ops", "zav.files",
                                                     "zav.settings"};
    return kNames.at(static_cast<std::size_t>(area));
}

void StreamLog::write(LogArea area, std::string_view text) {
    out_ << logCategory(area) << ": " << text << '\n';
}

void LogMemory::write(LogArea area, std::string_view text) {
    if (limit_ == 0) {
        ++dropped_;
        return;
    }
    if (lines_.size() == limit_) {
        lines_.pop_front();
        ++dropped_;
    }
    std::string line(logCategory(area));
    line += ": ";
    line += text;
    lines_.push_back(std::move(line));
}

std::string LogMemory::text() const {
    std::string out;
    if (dropped_ > 0) out += "(" + std::to_string(dropped_) + " earlier lines not kept)\n";
    for (const std::string& line : lines_) {
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace zav
