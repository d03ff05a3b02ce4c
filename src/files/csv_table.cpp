#include "files/csv_table.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zav {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kFormulaOpen = "=\"";
constexpr std::array kSeparators{CsvSeparator::Comma, CsvSeparator::Semicolon, CsvSeparator::Tab};

bool needsQuotes(std::string_view field) {
    // Semicolons and tabs too, so that a spreadsheet that splits at them keeps the field.
    return field.find_first_of(",;\t\"\r\n") != std::string_view::npos ||
           (!field.empty() && (field.front() == ' ' || field.back() == ' '));
}

void appendUtf8(std::string& text, char32_t c) {
    const auto byte = [&text](char32_t b) { text += static_cast<char>(b); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

struct DecodedText {
    std::string text;
    std::optional<std::size_t> brokenAt;  // where the first broken UTF-16 character went
};

enum class ByteOrder : std::uint8_t { LittleEndian, BigEndian };

DecodedText fromUtf16(std::string_view bytes, ByteOrder order) {
    DecodedText decoded;
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto high =
            static_cast<unsigned char>(bytes[order == ByteOrder::BigEndian ? i : i + 1]);
        const auto low =
            static_cast<unsigned char>(bytes[order == ByteOrder::BigEndian ? i + 1 : i]);
        return static_cast<char32_t>(high << 8 | low);
    };
    const auto isHigh = [](char32_t u) { return u >= 0xD800 && u < 0xDC00; };
    const auto isLow = [](char32_t u) { return u >= 0xDC00 && u < 0xE000; };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = i + 1 < bytes.size() ? unit(i) : 0xDC00;  // a lone last byte is broken
        if (isHigh(c) && i + 3 < bytes.size() && isLow(unit(i + 2))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (isHigh(c) || isLow(c)) {
            if (!decoded.brokenAt) decoded.brokenAt = decoded.text.size();
            c = 0xFFFD;
        }
        appendUtf8(decoded.text, c);
    }
    return decoded;
}

DecodedText decode(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark))
        return fromUtf16(bytes.substr(kUtf16LeMark.size()), ByteOrder::LittleEndian);
    if (bytes.starts_with(kUtf16BeMark))
        return fromUtf16(bytes.substr(kUtf16BeMark.size()), ByteOrder::BigEndian);
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    return {std::string(bytes), {}};
}

// The separator the first record holds most often outside quotes; a comma when it holds
// none, and on a tie the earlier of comma, semicolon and tab.
CsvSeparator findSeparator(std::string_view text) {
    std::array<int, kSeparators.size()> counts{};
    bool quoted = false;
    for (const char ch : text) {
        if (ch == '"') quoted = !quoted;  // a doubled quote turns it twice
        if (quoted) continue;
        if (ch == '\r' || ch == '\n') break;
        for (std::size_t i = 0; i < kSeparators.size(); ++i)
            if (ch == static_cast<char>(kSeparators[i])) ++counts[i];
    }
    const auto most = std::max_element(counts.begin(), counts.end());  // the first of equals
    return kSeparators[static_cast<std::size_t>(most - counts.begin())];
}

std::string quotedChar(char ch) {
    return "'" + std::string(1, ch) + "'";
}

class RecordReader {
  public:
    RecordReader(const DecodedText& decoded, CsvSeparator separator)
        : text_(decoded.text),
          size_(decoded.text.size()),
          brokenAt_(decoded.brokenAt),
          separator_(static_cast<char>(separator)) {
        table_.separator = separator;
    }

    CsvTable read() {
        while (!text_.empty()) {
            if (!takeChar()) return fail();
        }
        if (!field_.empty() || !record_.empty()) endRecord();
        return std::move(table_);
    }

  private:
    [[nodiscard]] int row() const { return static_cast<int>(table_.records.size()) + 1; }
    [[nodiscard]] int column() const { return static_cast<int>(record_.size()) + 1; }

    bool fault(int row, int column, std::string reason) {
        fault_ = CsvFault{row, column, std::move(reason)};
        return false;
    }

    CsvTable fail() {
        table_.fault = std::move(fault_);
        return std::move(table_);
    }

    // The next character, or nullopt (with the fault) where no text may stand.
    std::optional<char> take() {
        if (brokenAt_ && size_ - text_.size() == *brokenAt_) {
            fault(row(), column(), "a broken UTF-16 character (half of a pair, or a lone byte)");
            return std::nullopt;
        }
        const char ch = text_.front();
        text_.remove_prefix(1);
        if (ch == '\0') {
            fault(row(), column(), "a NUL character: a UTF-16 table needs its byte order mark");
            return std::nullopt;
        }
        return ch;
    }

    void endField() {
        record_.push_back(std::move(field_));
        field_.clear();
    }

    void endRecord() {
        endField();
        table_.records.push_back(std::move(record_));
        record_.clear();
    }

    // A quoted field runs to the quote not doubled; a separator or a line end follows it.
    bool takeQuoted() {
        const int openRow = row();
        const int openColumn = column();
        for (;;) {
            if (text_.empty())
                return fault(openRow, openColumn, "the quote that opens the cell is never closed");
            const auto q = take();
            if (!q) return false;
            if (*q != '"') {
                field_ += *q;
            } else if (text_.starts_with('"')) {
                text_.remove_prefix(1);
                field_ += '"';
            } else {
                break;
            }
        }
        if (text_.empty()) return true;
        const char next = text_.front();
        if (next == separator_ || next == '\r' || next == '\n') return true;
        return fault(row(), column(),
                     "the quote that closes the cell is followed by " + quotedChar(next));
    }

    bool takeChar() {
        const auto ch = take();
        if (!ch) return false;
        if (*ch == '"' && field_.empty()) return takeQuoted();
        if (*ch == separator_) {
            endField();
        } else if (*ch == '\r' || *ch == '\n') {
            if (*ch == '\r' && text_.starts_with('\n')) text_.remove_prefix(1);
            endRecord();
        } else {
            field_ += *ch;
        }
        return true;
    }

    std::string_view text_;  // consumed from the front, so no index can run past its end
    std::size_t size_;
    std::optional<std::size_t> brokenAt_;
    char separator_;
    CsvTable table_;
    CsvRecord record_;
    std::string field_;
    std::optional<CsvFault> fault_;
};

}  // namespace

std::string formatCsvRecord(const CsvRecord& record) {
    std::string line;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (i > 0) line += static_cast<char>(CsvSeparator::Comma);
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

CsvTable readCsvTable(std::string_view bytes) {
    const DecodedText decoded = decode(bytes);
    return RecordReader(decoded, findSeparator(decoded.text)).read();
}

std::optional<std::vector<CsvRecord>> parseCsv(std::string_view text) {
    CsvTable table = readCsvTable(text);
    if (table.fault) return std::nullopt;
    return std::move(table.records);
}

std::optional<CsvFault> findUnnamedCell(const std::vector<CsvRecord>& records) {
    if (records.empty()) return std::nullopt;
    const CsvRecord& header = records.front();
    for (std::size_t r = 1; r < records.size(); ++r)
        for (std::size_t c = 0; c < records[r].size(); ++c)
            if (!records[r][c].empty() && (c >= header.size() || header[c].empty()))
                return CsvFault{
                    static_cast<int>(r) + 1, static_cast<int>(c) + 1,
                    "'" + records[r][c] + "' stands in a column the header row gives no name"};
    return std::nullopt;
}

std::string csvColumnName(const CsvRecord& header, int column) {
    const auto index = static_cast<std::size_t>(column - 1);
    if (column >= 1 && index < header.size() && !header[index].empty()) return header[index];
    return "column " + std::to_string(column);
}

std::string spreadsheetText(std::string_view text) {
    std::string cell(kFormulaOpen);
    for (const char ch : text) cell += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return cell + '"';
}

bool isSpreadsheetText(std::string_view cell) {
    if (cell.size() < kFormulaOpen.size() + 1 || !cell.starts_with(kFormulaOpen) ||
        !cell.ends_with('"'))
        return false;
    const std::string_view inner = cell.substr(kFormulaOpen.size(), cell.size() - 3);
    // Every quote inside is doubled.
    for (std::size_t i = 0; i < inner.size(); ++i)
        if (inner[i] == '"' && (++i == inner.size() || inner[i] != '"')) return false;
    return true;
}

std::string csvCellText(std::string_view cell) {
    if (!isSpreadsheetText(cell)) return std::string(cell);
    std::string text;
    const std::string_view inner = cell.substr(kFormulaOpen.size(), cell.size() - 3);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        text += inner[i];
        if (inner[i] == '"') ++i;
    }
    return text;
}

}  // namespace zav
