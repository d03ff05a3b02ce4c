#include "files/csv_exchange.h"

#include <algorithm>
#include <map>
#include <optional>
#include <span>
#include <utility>

#include "files/csv_table.h"
#include "model/channel.h"
#include "model/field_texts.h"
#include "model/memory_map.h"

namespace zav {

namespace {

constexpr std::string_view kGroupColumn = "Group";
constexpr std::string_view kChannelColumn = kChannelCaptions[0];
constexpr int kNoChannel = -1;  // a group's parameter row

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

    void importRecord(int row, CsvRecord record, const Columns& columns) {
        row_ = row;
        if (record.size() > columns.fields.size()) {
            if (!std::all_of(record.begin() + static_cast<std::ptrdiff_t>(columns.fields.size()),
                             record.end(), [](const std::string& f) { return f.empty(); }))
                problem({}, "the row has more cells than the header has columns");
        }
        // A spreadsheet may leave out empty cells at the end of a row.
        record.resize(columns.fields.size());
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
            importCell(*field, *place, record[i]);
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
            problem({}, "the same " + std::string(c == kNoChannel ? "group" : "channel") +
                            " as row " + std::to_string(at->second));
            return std::nullopt;
        }
        return FieldPlace{mem_, labels_, *g - 1, std::max(c, 0)};
    }

    void importCell(const FieldText& field, FieldPlace place, const std::string& cell) {
        const std::string before = field.read(place);
        if (cell == before) return;
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
        for (const FieldText* f : fields) record.push_back(f->scope == scope ? f->read(at) : "");
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
    auto records = parseCsv(text);
    if (!records) {
        result.problems.push_back({0, {}, "a quoted cell is not closed where it should be"});
        return result;
    }
    if (records->empty() || blank(records->front())) {
        result.problems.push_back({1, {}, "the header row is missing"});
        return result;
    }
    const Columns columns = readHeader(records->front(), result.problems);
    if (!result.problems.empty()) return result;
    Importer importer(mem, labels);
    int row = 1;  // the header's
    for (CsvRecord& record : std::span(*records).subspan(1)) {
        ++row;
        if (!blank(record)) importer.importRecord(row, std::move(record), columns);
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
