#pragma once
// Tables as other programs save them, for the CSV readers' tests: another separator,
// UTF-16 with its byte order mark, and the place a refusal names.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "files/csv_table.h"

namespace zav::test {

// Every `from` in the text replaced by `to`.
inline std::string replaced(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

enum class Utf16Order : std::uint8_t { LittleEndian, BigEndian };

// The bytes of UTF-16 text (the compiler's u"..." encoding) with the byte order mark first.
inline std::string utf16Bytes(std::u16string_view text, Utf16Order order) {
    std::string bytes;
    for (const char16_t unit : std::u16string(1, u'\xFEFF') + std::u16string(text)) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += order == Utf16Order::BigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// ASCII text (a table our export wrote) as UTF-16.
inline std::string utf16Bytes(std::string_view ascii, Utf16Order order) {
    return utf16Bytes(std::u16string(ascii.begin(), ascii.end()), order);
}

// The place a fault names, as "row R, column C".
inline std::string faultPlace(const std::optional<CsvFault>& fault) {
    if (!fault) return "no fault";
    return "row " + std::to_string(fault->row) + ", column " + std::to_string(fault->column);
}

}  // namespace zav::test
