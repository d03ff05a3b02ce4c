#include "files/csv_exchange.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <utility>

#include "files/csv_table.h"
#include "model/channel.h"
#include "model/field_texts.h"
#include "model/group.h"
#include "model/memory_map.h"

namespace zav {

namespace {

constexpr std::string_view kGroupColumn = "Group";
constexpr std::string_view kChannelColumn = kChannelCaptions[0];
constexpr int kNoChannel = -1;  // a group's parameter row
constexpr std::string_view kIdColumn = "ANI/ID Number";
constexpr std::string_view kGroupLabelColumn = "Group Label";
constexpr std::string_view kLabelColumn = kChannelCaptions[kColLabel];

// The fields a table carries: the channel's and the group's, not the global ones.
std::vector<const FieldText*> tableFields() {
    std::vector<const FieldText*> fields;
    for (const FieldText& f : fieldTexts())
        if (f.scope != FieldScope::Global) fields.push_back(&f);
    return fields;
}

std::optional<int> number(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return std::nullopt;
    const int n = std::stoi(std::string(text));
    if (n < low || n > high) return std::nullopt;
    return n;
}

// Whether a cell came in spreadsheetText's form, which no spreadsheet takes for a number.
enum class CellForm : std::uint8_t { Bare, SpreadsheetText };

bool decimalDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// Why a bare ANI/ID cell is what a spreadsheet makes of an ID it took for a number: the
// export writes all 7 digits, so fewer decimal digits are leading zeros dropped (00012 as
// 12, 00001E5 as 100000), and an exponent with its sign is a number shown in scientific
// notation (12345E7 as 1.2345E+11). nullopt for anything else.
std::optional<std::string> spreadsheetNumber(std::string_view cell) {
    const std::string why = "'" + std::string(cell) + "' is a number a spreadsheet made of an ";
    const std::string fix =
        "; write all " + std::to_string(kIdDigits) + " digits as text, as =\"0001234\" does";
    if (decimalDigits(cell) && cell.size() < static_cast<std::size_t>(kIdDigits))
        return why + "ANI/ID, its leading zeros dropped" + fix;
    const std::size_t e = cell.find_first_of("Ee");
    if (e != std::string_view::npos && e + 1 < cell.size() &&
        (cell[e + 1] == '+' || cell[e + 1] == '-') &&
        cell.find_first_not_of("0123456789.,Ee+-") == std::string_view::npos)
        return why + "ANI/ID, in scientific notation" + fix;
    return std::nullopt;
}

// Whether a spreadsheet opening the table would change a field's text: it takes 0012 for
// 12, 1E3 for 1000, 1-2 and 1/2 for dates and +A for a formula. Every ANI/ID (hexadecimal
// digits) and every label with a digit or a leading sign is written as spreadsheetText.
bool spreadsheetWouldChange(const FieldText& field, std::string_view text) {
    if (field.name == kIdColumn) return !text.empty();
    if (field.name != kLabelColumn && field.name != kGroupLabelColumn) return false;
    const std::size_t first = text.find_first_not_of(' ');
    return text.find_first_of("0123456789") != std::string_view::npos ||
           (first != std::string_view::npos && (text[first] == '+' || text[first] == '-'));
}

bool blank(const CsvRecord& record) {
    return std::all_of(record.begin(), record.end(),
                       [](const std::string& f) { return f.empty(); });
}

// The header's columns: Group, Chan and the fields by name.
struct Columns {
    std::optional<std::size_t> group;
    std::optional<std::size_t> channel;
    std::vector<const FieldText*> fields;  // by column; nullptr for Group and Chan
};

Columns readHeader(const CsvRecord& header, std::vector<CsvProblem>& problems) {
    const auto known = tableFields();
    Columns columns;
    columns.fields.resize(header.size(), nullptr);
    std::vector<std::string_view> seen;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string& name = header[i];
        // An unnamed column is ignored; findUnnamedCell refuses text in it.
        if (name.empty()) continue;
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
            problems.push_back({1, name, "the column is there twice"});
            continue;
        }
        seen.push_back(name);
        if (name == kGroupColumn) {
            columns.group = i;
            continue;
        }
        if (name == kChannelColumn) {
            columns.channel = i;
            continue;
        }
        const auto f = std::find_if(known.begin(), known.end(),
                                    [&](const FieldText* field) { return field->name == name; });
        if (f == known.end())
            problems.push_back({1, name, "no such column"});
        else
            columns.fields[i] = *f;
    }
    if (!columns.group) problems.push_back({1, std::string(kGroupColumn), "the column is missing"});
    if (!columns.channel)
        problems.push_back({1, std::string(kChannelColumn), "the column is missing"});
    return columns;
}

class Importer {
  public:
    Importer(const MemImage& mem, const LabelImage& labels) : mem_(mem), labels_(labels) {}

    void importRecord(int row, const CsvRecord& cells, const Columns& columns) {
        row_ = row;
        // A spreadsheet may leave out empty cells at the end of a row; cells past the
        // header's are empty (findUnnamedCell).
        CsvRecord record(columns.fields.size());
        for (std::size_t i = 0; i < record.size() && i < cells.size(); ++i)
            record[i] = csvCellText(cells[i]);
        const auto place = findPlace(record, columns);
        if (!place) return;
        const FieldScope scope =
            record[*columns.channel].empty() ? FieldScope::Group : FieldScope::Channel;
        for (std::size_t i = 0; i < record.size(); ++i) {
            const FieldText* field = columns.fields[i];
            if (field == nullptr) continue;
            if (field->scope != scope) {
                if (!record[i].empty())
                    problem(field->name, scope == FieldScope::Group
                                             ? "a channel's field, in a group's row"
                                             : "a group's field, in a channel's row");
                continue;
            }
            const CellForm form = i < cells.size() && isSpreadsheetText(cells[i])
                                      ? CellForm::SpreadsheetText
                                      : CellForm::Bare;
            importCell(*field, *place, record[i], form);
        }
    }

    [[nodiscard]] bool clean() const { return problems_.empty(); }
    std::vector<CsvProblem>& problems() { return problems_; }
    [[nodiscard]] int changedCells() const { return changed_; }
    MemImage& mem() { return mem_; }
    LabelImage& labels() { return labels_; }

  private:
    void problem(std::string_view column, std::string reason) {
        problems_.push_back({row_, std::string(column), std::move(reason)});
    }

    // Group and channel index of a row; nullopt after a problem.
    std::optional<FieldPlace> findPlace(const CsvRecord& record, const Columns& columns) {
        const std::string& groupCell = record[*columns.group];
        const std::string& channelCell = record[*columns.channel];
        const auto g = number(groupCell, 1, kGroupCount);
        if (!g || !groupExists(mem_, *g - 1)) {
            problem(kGroupColumn, "'" + groupCell + "' is no group of this image");
            return std::nullopt;
        }
        int c = kNoChannel;
        if (!channelCell.empty()) {
            const auto n = number(channelCell, 1, kChannelsPerGroup);
            if (!n) {
                problem(kChannelColumn, "'" + channelCell + "' is not a channel number 1 to 14");
                return std::nullopt;
            }
            c = *n - 1;
        }
        const auto [at, fresh] = rows_.try_emplace({*g - 1, c}, row_);
        if (!fresh) {
            problem(c == kNoChannel ? kGroupColumn : kChannelColumn,
                    "the same " + std::string(c == kNoChannel ? "group" : "channel") + " as row " +
                        std::to_string(at->second));
            return std::nullopt;
        }
        return FieldPlace{mem_, labels_, *g - 1, std::max(c, 0)};
    }

    void importCell(const FieldText& field, FieldPlace place, const std::string& cell,
                    CellForm form) {
        const std::string before = field.read(place);
        if (cell == before) return;
        if (field.name == kIdColumn && form == CellForm::Bare) {
            if (auto number = spreadsheetNumber(cell)) {
                problem(field.name, std::move(*number));
                return;
            }
        }
        if (auto refused = field.store(place, cell)) {
            problem(field.name, std::move(*refused));
            return;
        }
        if (field.read(place) != before) ++changed_;
    }

    MemImage mem_;
    LabelImage labels_;
    int row_{};  // the row being imported, counting the header as 1
    int changed_ = 0;
    std::map<std::pair<int, int>, int> rows_;  // (group, channel) -> its row
    std::vector<CsvProblem> problems_;
};

}  // namespace

std::string exportCsv(const MemImage& mem, const LabelImage& labels) {
    const auto fields = tableFields();
    CsvRecord header{std::string(kGroupColumn), std::string(kChannelColumn)};
    for (const FieldText* f : fields) header.emplace_back(f->name);
    std::string text = formatCsvRecord(header);
    // Reading needs places in images it may refer to; the copies keep the caller's const.
    MemImage scratchMem = mem;
    LabelImage scratchLabels = labels;
    const auto row = [&](int g, int c) {
        CsvRecord record{std::to_string(g + 1), c == kNoChannel ? "" : std::to_string(c + 1)};
        const FieldScope scope = c == kNoChannel ? FieldScope::Group : FieldScope::Channel;
        const FieldPlace at{scratchMem, scratchLabels, g, std::max(c, 0)};
        for (const FieldText* f : fields) {
            const std::string cell = f->scope == scope ? f->read(at) : "";
            record.push_back(spreadsheetWouldChange(*f, cell) ? spreadsheetText(cell) : cell);
        }
        text += formatCsvRecord(record);
    };
    for (int g = 0; g < kGroupCount; ++g)
        if (groupExists(mem, g))
            for (int c = 0; c < kChannelsPerGroup; ++c) row(g, c);
    for (int g = 0; g < kGroupCount; ++g)
        if (groupExists(mem, g)) row(g, kNoChannel);
    return text;
}

std::string problemText(const CsvProblem& problem) {
    std::string text = problem.row > 0 ? "row " + std::to_string(problem.row) : "the table";
    if (!problem.column.empty()) text += ", " + problem.column;
    return text + ": " + problem.reason;
}

CsvImport importCsv(MemImage& mem, LabelImage& labels, std::string_view text) {
    CsvImport result;
    const CsvTable table = readCsvTable(text);
    const auto tableProblem = [&](const CsvFault& fault) {
        const bool named = fault.row > 1 && !table.records.empty();
        result.problems.push_back(
            {fault.row, csvColumnName(named ? table.records.front() : CsvRecord{}, fault.column),
             fault.reason});
    };
    if (table.fault) {
        tableProblem(*table.fault);
        return result;
    }
    const std::vector<CsvRecord>& records = table.records;
    if (records.empty() || blank(records.front())) {
        result.problems.push_back({1, {}, "the header row is missing"});
        return result;
    }
    const Columns columns = readHeader(records.front(), result.problems);
    if (const auto unnamed = findUnnamedCell(records)) tableProblem(*unnamed);
    if (!result.problems.empty()) return result;
    Importer importer(mem, labels);
    int row = 1;  // the header's
    for (const CsvRecord& record : std::span(records).subspan(1)) {
        ++row;
        if (!blank(record)) importer.importRecord(row, record, columns);
    }
    if (!importer.clean()) {
        result.problems = std::move(importer.problems());
        return result;
    }
    mem = importer.mem();
    labels = importer.labels();
    result.changedCells = importer.changedCells();
    return result;
}

}  // namespace zav
