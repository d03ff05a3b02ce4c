#pragma once
// The serial line settings as the radio link names them: "baud,parity,data,stop".

#include <optional>
#include <string>
#include <string_view>

namespace zav {

// Every connection starts at the slow rate; setBaud may move it to the fast one.
inline constexpr std::string_view kSettings4800 = "4800,n,8,1";
inline constexpr std::string_view kSettings9600 = "9600,n,8,1";

enum class Parity { None, Odd, Even };

struct LineSettings {
    int baud = 4800;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Parses "4800,n,8,1"; nullopt for a text that is not of that form.
std::optional<LineSettings> parseLineSettings(std::string_view text);

// The settings string of the given settings.
std::string lineSettingsText(const LineSettings& settings);

// Time one byte takes on the line: start bit, 8 data bits, stop bit.
inline constexpr int kBitsPerByte = 10;

}  // namespace zav
