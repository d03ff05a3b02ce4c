#pragma once
// Comma-separated values as RFC 4180 has them: records separated by CRLF (a bare LF is
// read too), fields quoted when they hold a comma, a quote, a line break or blanks at
// either end, and quotes inside a quoted field doubled. Text is UTF-8; a byte order mark
// at the start (as some spreadsheets write) is skipped.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

using CsvRecord = std::vector<std::string>;

// One record as a line, CRLF included.
std::string formatCsvRecord(const CsvRecord& record);

// The records of a text; nullopt when a quoted field is never closed or a quote is
// followed by something else than a comma or a line end. An empty last line is no record.
std::optional<std::vector<CsvRecord>> parseCsv(std::string_view text);

}  // namespace zav
