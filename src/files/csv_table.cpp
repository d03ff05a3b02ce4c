#include "files/csv_table.h"

namespace zav {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool needsQuotes(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos ||
           (!field.empty() && (field.front() == ' ' || field.back() == ' '));
}

}  // namespace

std::string formatCsvRecord(const CsvRecord& record) {
    std::string line;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (i > 0) line += ',';
        const std::string& field = record[i];
        if (!needsQuotes(field)) {
            line += field;
            continue;
        }
        line += '"';
        for (const char ch : field) line += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        line += '"';
    }
    return line + "\r\n";
}

std::optional<std::vector<CsvRecord>> parseCsv(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    const auto endRecord = [&] {
        record.push_back(std::move(field));
        field.clear();
        records.push_back(std::move(record));
        record.clear();
    };
    // The text is consumed from the front, so no index can run past its end.
    const auto take = [&text] {
        const char ch = text.front();
        text.remove_prefix(1);
        return ch;
    };
    while (!text.empty()) {
        const char ch = take();
        if (ch == '"' && field.empty()) {
            // A quoted field runs to the quote not doubled.
            for (;;) {
                if (text.empty()) return std::nullopt;
                const char q = take();
                if (q != '"') {
                    field += q;
                } else if (text.starts_with('"')) {
                    field += take();
                } else {
                    break;
                }
            }
            if (!text.empty() && text.find_first_of(",\r\n") != 0) return std::nullopt;
        } else if (ch == ',') {
            record.push_back(std::move(field));
            field.clear();
        } else if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && text.starts_with('\n')) text.remove_prefix(1);
            endRecord();
        } else {
            field += ch;
        }
    }
    if (!field.empty() || !record.empty()) endRecord();
    return records;
}

}  // namespace zav
