#pragma once
// Comma-separated values as RFC 4180 has them, read as spreadsheets save them: records
// separated by CRLF (a bare LF or CR is read too), fields quoted when they hold a
// separator, a quote, a line break or blanks at either end, and quotes inside a quoted
// field doubled. The reader takes a comma, a semicolon or a tab as the separator, the
// one the header row (the first record) holds most often outside quotes, and text in
// UTF-8 (a byte order mark at the start is skipped) or in UTF-16 of either byte order
// with its byte order mark, which it hands on as UTF-8. The writer writes commas and
// UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

using CsvRecord = std::vector<std::string>;

enum class CsvSeparator : char { Comma = ',', Semicolon = ';', Tab = '\t' };

// Where and why a text is no table, or a cell of it is refused: rows count the records
// from 1 (the header row), columns the fields of a record from 1.
struct CsvFault {
    int row = 0;
    int column = 0;
    std::string reason;
};

struct CsvTable {
    std::vector<CsvRecord> records;  // with a fault, the whole records before it
    CsvSeparator separator = CsvSeparator::Comma;
    std::optional<CsvFault> fault;  // why the text is no table
};

// One record as a line, CRLF included.
std::string formatCsvRecord(const CsvRecord& record);

// The records of a file's bytes. Faults: a quoted field never closed (named where its
// quote opened), a closing quote followed by something else than a separator or a line
// end (named where it stands), a NUL character (UTF-16 without its byte order mark) and
// broken UTF-16. An empty last line is no record.
CsvTable readCsvTable(std::string_view bytes);

// readCsvTable's records; nullopt with a fault.
std::optional<std::vector<CsvRecord>> parseCsv(std::string_view text);

// The first cell with text in a column the header row does not name: under an empty
// header cell, or past the header's last cell. A column that is empty in every row (a
// trailing separator leaves one) is no fault; the reader then ignores it.
std::optional<CsvFault> findUnnamedCell(const std::vector<CsvRecord>& records);

// A column for a message: the header's name for it, or "column N" when it has none.
std::string csvColumnName(const CsvRecord& header, int column);

// A text a spreadsheet keeps as text when it opens the table, whatever it looks like:
// ="007" (a formula whose value is the text). The writer quotes it as any field.
std::string spreadsheetText(std::string_view text);

// A cell's text: the text of a cell in spreadsheetText's form, any other cell as it is.
// Spreadsheets save such a cell back as its value, or as the formula when they kept it
// unevaluated; both read as the same text.
std::string csvCellText(std::string_view cell);

// Whether a cell is in spreadsheetText's form, so that no spreadsheet took it for a number.
bool isSpreadsheetText(std::string_view cell);

}  // namespace zav
