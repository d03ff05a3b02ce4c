#pragma once
// Which cells of the CSV table (a row per channel and per group) an edit changed: the
// exports before and after compared cell by cell, each cell named "group/channel/column"
// by its row's Group and Chan cells (channel empty in a group's row).

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "files/csv_exchange.h"
#include "files/csv_table.h"
#include "model/document.h"

namespace zav::test {

inline std::string cellName(int groupNumber, int channelNumber, std::string_view column) {
    return std::to_string(groupNumber) + "/" + std::to_string(channelNumber) + "/" +
           std::string(column);
}

// The named cells where the two tables differ; "rows" when their rows do not match.
inline std::set<std::string> differingCells(std::string_view before, std::string_view after) {
    const auto a = parseCsv(before);
    const auto b = parseCsv(after);
    if (!a || !b || a->size() != b->size() || a->empty()) return {"rows"};
    const CsvRecord& header = a->front();
    std::set<std::string> cells;
    for (std::size_t r = 1; r < a->size(); ++r) {
        const CsvRecord& x = (*a)[r];
        const CsvRecord& y = (*b)[r];
        if (x.size() != header.size() || y.size() != header.size() || x[0] != y[0] || x[1] != y[1])
            return {"rows"};
        for (std::size_t c = 2; c < header.size(); ++c)
            if (x[c] != y[c]) cells.insert(x[0] + "/" + x[1] + "/" + header[c]);
    }
    return cells;
}

inline std::string exported(const Document& doc) {
    return exportCsv(doc.mem, doc.labels);
}

}  // namespace zav::test
