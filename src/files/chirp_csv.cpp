#include "files/chirp_csv.h"

#include <algorithm>
#include <map>
#include <span>

#include "files/chirp_row.h"
#include "model/codecs.h"
#include "model/memory_map.h"

namespace zav {

namespace {

constexpr std::string_view kLocation = kChirpColumns[0];
constexpr int kSlots = kGroupCount * kChannelsPerGroup;

bool blank(const CsvRecord& record) {
    return std::ranges::all_of(record, [](const std::string& f) { return f.empty(); });
}

std::string slotName(int slot) {
    return "group " + std::to_string(slot / kChannelsPerGroup + 1) + " channel " +
           std::to_string(slot % kChannelsPerGroup + 1);
}

// What a channel's label positions show, erased ones as nothing, trailing blanks dropped:
// CHIRP's Name.
std::string nameOf(const LabelImage& labels, int g, int c) {
    std::string name;
    for (int k = 0; k < kLabelPositions; ++k)
        name += labelByteToText(labels.at(labelIndex(g, c, k)));
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

// A data row: its record number (the header's is 1), Location and the channel's texts.
struct Row {
    int number{};
    long location{};
    RowData texts;
};

class Importer {
  public:
    Importer(const MemImage& mem, const LabelImage& labels, const CsvRecord& header)
        : mem_(mem),
          labels_(labels),
          named_(std::ranges::find(header, "Name") != header.end()),
          skips_(std::ranges::find(header, "Skip") != header.end()) {}

    // The rows' channel texts, each row checked alone.
    std::vector<Row> readRows(std::span<const CsvRecord> records) {
        const CsvRecord& header = records.front();
        std::vector<Row> rows;
        for (std::size_t i = 1; i < records.size(); ++i) {
            const int number = static_cast<int>(i) + 1;
            const CsvRecord& record = records[i];
            if (blank(record)) continue;
            // Cells past the header's, and under an unnamed header cell, are empty
            // (findUnnamedCell): some exports end every row with one more such cell.
            ChirpCells cells;
            for (std::size_t k = 0; k < header.size(); ++k)
                if (!header[k].empty())
                    cells.emplace(header[k], k < record.size() ? csvCellText(record[k]) : "");
            const auto location = locationOf(number, cells.at(std::string(kLocation)));
            if (!location) continue;
            ChannelTexts read = channelTexts(cells);
            if (read.refusal)
                problem(number, read.refusal->column, std::move(read.refusal->reason));
            else
                rows.push_back({number, *location, read.texts});
        }
        return rows;
    }

    // Stores the rows, each in its slot.
    void place(std::vector<Row> rows, ChirpPlacement placement) {
        std::ranges::stable_sort(rows, {}, &Row::location);
        std::map<long, int> taken;  // slot -> its row
        long next = static_cast<long>(placement.firstGroup.value_or(0)) * kChannelsPerGroup;
        // From the first group on, the groups the image has.
        const auto nextSlot = [&] {
            while (next < kSlots && next / kChannelsPerGroup != placement.firstGroup &&
                   !groupExists(mem_, static_cast<int>(next / kChannelsPerGroup)))
                next += kChannelsPerGroup;
            return next++;
        };
        for (const Row& row : rows) {
            const long slot = placement.firstGroup ? nextSlot() : row.location;
            if (slot >= kSlots) {
                problem(row.number, placement.firstGroup ? "" : kLocation,
                        placement.firstGroup
                            ? "no channel is left for it after group 15 channel 14"
                            : std::to_string(slot) + " is past group 15 channel 14 (" +
                                  std::to_string(kSlots - 1) + ")");
                continue;
            }
            const int s = static_cast<int>(slot);
            if (!groupExists(mem_, s / kChannelsPerGroup)) {
                problem(row.number, kLocation, slotName(s) + " is in a group this image has not");
                continue;
            }
            if (const auto [at, fresh] = taken.try_emplace(slot, row.number); !fresh) {
                problem(row.number, kLocation,
                        "the same channel as row " + std::to_string(at->second));
                continue;
            }
            store(row, s);
        }
    }

    std::vector<CsvProblem>& problems() { return problems_; }
    [[nodiscard]] int channels() const { return channels_; }
    MemImage& mem() { return mem_; }
    LabelImage& labels() { return labels_; }

  private:
    void problem(int row, std::string_view column, std::string reason) {
        problems_.push_back({row, std::string(column), std::move(reason)});
    }

    std::optional<long> locationOf(int row, const std::string& cell) {
        const bool digits = !cell.empty() && cell.size() <= 6 &&
                            std::ranges::all_of(cell, [](char c) { return c >= '0' && c <= '9'; });
        if (!digits) {
            problem(row, kLocation, "'" + cell + "' is not a location: a number from 0");
            return std::nullopt;
        }
        return std::stol(cell);
    }

    void store(Row row, int slot) {
        const int g = slot / kChannelsPerGroup;
        const int c = slot % kChannelsPerGroup;
        Channel channel(mem_, labels_, g, c);
        // A table without the column leaves the field alone, and a row without a name a
        // label that shows nothing (erased or blank).
        const bool unnamed = row.texts[kColLabel].find_first_not_of(' ') == std::string::npos;
        if (!named_ || (unnamed && nameOf(labels_, g, c).empty()))
            row.texts[kColLabel] = channel.label();
        if (!skips_) row.texts[kColScan] = channel.scan();
        if (const FieldEntry stored = channel.writeChannel(row.texts); !stored)
            problem(row.number, {}, stored.reason());
        else
            ++channels_;
    }

    MemImage mem_;
    LabelImage labels_;
    bool named_;  // the table has Name and Skip columns
    bool skips_;
    std::vector<CsvProblem> problems_;
    int channels_ = 0;
};

}  // namespace

bool isChirpHeader(const CsvRecord& header) {
    const auto has = [&](std::string_view name) {
        return std::ranges::find(header, name) != header.end();
    };
    return has(kLocation) && has("Frequency");
}

std::string exportChirpCsv(const MemImage& mem, const LabelImage& labels) {
    std::string text = formatCsvRecord(CsvRecord(kChirpColumns.begin(), kChirpColumns.end()));
    // Channels refer to images they may change; the copies keep the caller's const.
    MemImage scratchMem = mem;
    LabelImage scratchLabels = labels;
    for (int slot = 0; slot < kSlots; ++slot) {
        const int g = slot / kChannelsPerGroup;
        const int c = slot % kChannelsPerGroup;
        if (!groupExists(mem, g)) continue;
        const RowData texts = Channel(scratchMem, scratchLabels, g, c).display();
        if (texts[kColRecFreq] == "none") continue;
        ChirpCells cells = chirpCells(texts);
        cells[std::string(kLocation)] = std::to_string(slot);
        cells["Name"] = nameOf(labels, g, c);
        CsvRecord record;
        for (const std::string_view column : kChirpColumns)
            record.push_back(cells[std::string(column)]);
        text += formatCsvRecord(record);
    }
    return text;
}

ChirpImport importChirpCsv(MemImage& mem, LabelImage& labels, std::string_view text,
                           ChirpPlacement placement, UnfitRows unfit) {
    ChirpImport result;
    const CsvTable table = readCsvTable(text);
    const std::vector<CsvRecord>& records = table.records;
    const auto fault = table.fault ? table.fault : findUnnamedCell(records);
    if (fault) {
        const bool named = fault->row > 1 && !records.empty();
        result.problems.push_back(
            {fault->row, csvColumnName(named ? records.front() : CsvRecord{}, fault->column),
             fault->reason});
        return result;
    }
    if (records.empty() || !isChirpHeader(records.front())) {
        result.problems.push_back({1, {}, "the header row does not name Location and Frequency"});
        return result;
    }
    const CsvRecord& header = records.front();
    for (auto name = header.begin(); name != header.end(); ++name) {
        const bool known = std::ranges::find(kChirpColumns, *name) != kChirpColumns.end();
        if (known && std::find(header.begin(), name, *name) != name) {
            result.problems.push_back({1, *name, "the column is there twice"});
            return result;
        }
    }
    Importer importer(mem, labels, header);
    importer.place(importer.readRows(records), placement);
    result.problems = std::move(importer.problems());
    std::ranges::stable_sort(result.problems, {}, &CsvProblem::row);
    if (!result.problems.empty() && unfit == UnfitRows::Refuse) return result;
    mem = importer.mem();
    labels = importer.labels();
    result.imported = true;
    result.channels = importer.channels();
    return result;
}

}  // namespace zav
