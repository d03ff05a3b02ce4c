#include "link/line_settings.h"

#include <charconv>
#include <vector>

namespace zav {

namespace {

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return fields;
}

std::optional<int> parseNumber(std::string_view text) {
    int value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<LineSettings> parseLineSettings(std::string_view text) {
    const auto fields = splitFields(text);
    if (fields.size() != 4) return std::nullopt;
    LineSettings s;
    const auto baud = parseNumber(fields[0]);
    const auto data = parseNumber(fields[2]);
    const auto stop = parseNumber(fields[3]);
    if (!baud || *baud <= 0 || !data || *data < 5 || *data > 8 || !stop || *stop < 1 || *stop > 2)
        return std::nullopt;
    if (fields[1] == "n" || fields[1] == "N")
        s.parity = Parity::None;
    else if (fields[1] == "o" || fields[1] == "O")
        s.parity = Parity::Odd;
    else if (fields[1] == "e" || fields[1] == "E")
        s.parity = Parity::Even;
    else
        return std::nullopt;
    s.baud = *baud;
    s.dataBits = *data;
    s.stopBits = *stop;
    return s;
}

std::string lineSettingsText(const LineSettings& settings) {
    const char parity = settings.parity == Parity::None  ? 'n'
                        : settings.parity == Parity::Odd ? 'o'
                                                         : 'e';
    return std::to_string(settings.baud) + "," + parity + "," + std::to_string(settings.dataBits) +
           "," + std::to_string(settings.stopBits);
}

}  // namespace zav
