// The CSV exchange as a spreadsheet uses it: any image survives export and import, edits
// come in exactly wherever their rows stand, and one faulty cell imports nothing (what
// each field takes: entry_paths_test.cpp).

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "files/csv_exchange.h"
#include "files/csv_table.h"
#include "model/document.h"
#include "support/csv_text.h"

namespace zav {
namespace {

struct Edit {
    std::string group, channel, column, text;
};

// The exported table with the edits made, its rows reversed when asked, and saved back
// as a spreadsheet does: every cell quoted, CRLF line ends.
std::string edited(const Document& doc, const std::vector<Edit>& edits, bool reversed) {
    auto records = *parseCsv(exportCsv(doc.mem, doc.labels));
    for (const Edit& e : edits) {
        const auto row = std::ranges::find(records, std::tie(e.group, e.channel),
                                           [](const CsvRecord& r) { return std::tie(r[0], r[1]); });
        EXPECT_NE(row, records.end()) << e.column;
        const auto column = std::ranges::find(records[0], e.column) - records[0].begin();
        (*row)[static_cast<std::size_t>(column)] = e.text;
    }
    if (reversed) std::reverse(records.begin() + 1, records.end());
    std::string text;
    for (const CsvRecord& r : records) {
        for (std::size_t i = 0; i < r.size(); ++i)
            text += (i ? ",\"" : "\"") + test::replaced(r[i], "\"", "\"\"") + "\"";
        text += "\r\n";
    }
    return text;
}

// A field with a separator, quote, line end or edge blank is quoted, its quotes doubled,
// and read back whole; a plain field stays bare, as spreadsheets write it.
TEST(CsvTable, QuotesOnlyWhatNeedsItAndReadsItBack) {
    const CsvRecord record{"plain", "a,b", "say \"hi\"", "two\r\nlines", " pad", "pad ", "", "a;b"};
    const std::string line = formatCsvRecord(record);
    EXPECT_EQ(line,
              "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\" pad\",\"pad \",,\"a;b\"\r\n");
    EXPECT_EQ(parseCsv(line + line), (std::vector<CsvRecord>{record, record}));
}

TEST(CsvExchange, ExportThenImportKeepsAnyImage) {
    std::mt19937 random(17);
    for (int round = 0; round < 4; ++round) {
        Document doc;
        for (Byte& b : doc.mem) b = static_cast<Byte>(random());
        for (Byte& b : doc.labels) b = static_cast<Byte>(random());
        const auto [mem, labels] = std::pair(doc.mem, doc.labels);
        const CsvImport result = importCsv(doc.mem, doc.labels, exportCsv(doc.mem, doc.labels));
        EXPECT_EQ(std::tuple(result.problems.size(), result.changedCells, doc.mem, doc.labels),
                  std::tuple(0U, 0, mem, labels));
    }
}

// Our export as spreadsheets save it imports to the image it came from: separated by tabs,
// in UTF-16, with a trailing separator, or with the values it wrote as text (which a
// spreadsheet would take for numbers) saved back as their values (every separator and
// encoding: csv_table_test.cpp).
TEST(CsvExchange, ExportAsSpreadsheetsSaveItImportsToTheSameImage) {
    Document source;
    source.group(0)->channel(0).setLabel("007");
    source.group(0)->channel(1).setLabel("1E3");
    source.group(2)->channel(3).setRecFreq("450.0125");
    source.group(1)->writeGroupLabel("0001");
    source.group(1)->writeIdNum("00001E5");
    const std::string table = exportCsv(source.mem, source.labels);
    const std::string evaluated =
        test::replaced(test::replaced(table, "\"=\"\"", "\""), "\"\"\"", "\"");
    const std::pair<std::string_view, std::string> saved[] = {
        {"tabs and LF", test::replaced(test::replaced(table, ",", "\t"), "\r\n", "\n")},
        {"UTF-16", test::utf16Bytes(table, test::Utf16Order::LittleEndian)},
        {"a trailing separator", "\xEF\xBB\xBF" + test::replaced(table, "\r\n", ",\r\n")},
        {"values", evaluated}};
    ASSERT_NE(evaluated, table);
    for (const auto& [how, text] : saved) {
        Document doc;
        const CsvImport result = importCsv(doc.mem, doc.labels, text);
        EXPECT_TRUE(result.problems.empty()) << how << ": " << problemText(result.problems.front());
        EXPECT_TRUE(doc.mem == source.mem && doc.labels == source.labels) << how;
    }
}

TEST(CsvExchange, SpreadsheetEditsComeInExactlyInAnyRowOrder) {
    // clang-format off
    const std::vector<Edit> edits{
        {"2", "3", "Rec Freq", "450.0125"}, {"2", "3", "Label", "fire"},
        {"5", "14", "Rec CG", "67"}, {"2", "", "Tx Time Out Timer", "30"},
        {"3", "", "Battery Saver", "Off"}, {"6", "", "Busy Channel Indicator", "OFF"},
        {"6", "", "Priority Mode", "C"}};
    // clang-format on
    Document expected;
    expected.group(1)->channel(2).setRecFreq("450.0125");
    expected.group(1)->channel(2).setLabel("FIRE");
    expected.group(4)->channel(13).setRecCG("67");
    expected.group(1)->writeTotScan(2, 0);
    expected.group(2)->writeBattSave(1);
    expected.group(5)->writePriority({2, 0});
    for (const bool reversed : {false, true}) {
        Document doc;
        doc.group(5)->writeBusyChannelIndicate(2);  // back to the list's first entry
        const CsvImport result = importCsv(doc.mem, doc.labels, edited(doc, edits, reversed));
        EXPECT_EQ(std::tuple(result.problems.size(), result.changedCells, doc.mem, doc.labels),
                  std::tuple(0U, 7, expected.mem, expected.labels));
    }
}

TEST(CsvExchange, FaultyCellsAreNamedAndNothingIsImported) {
    // clang-format off
    const std::vector<Edit> edits{
        {"1", "2", "Rec Freq", "450.001"}, {"1", "5", "Tx Freq", "450.0125"},
        {"3", "", "Busy Channel Indicator", "Sometimes"}, {"4", "7", "Scan", "yes"},
        // ANI/IDs a spreadsheet made numbers, and one kept as text.
        {"2", "", "ANI/ID Number", "100000"}, {"4", "", "ANI/ID Number", "1.2345E+11"},
        {"5", "", "ANI/ID Number", "=\"2001\""}};
    // clang-format on
    Document doc;
    const Document untouched;
    const CsvImport result = importCsv(doc.mem, doc.labels, edited(doc, edits, false));
    std::vector<std::string> named;
    for (const CsvProblem& p : result.problems)
        named.push_back(p.column + "@" + std::to_string(p.row));
    // Rows count the header as 1: channel c of group g is row 14 (g - 1) + c + 1, and the
    // group rows follow the 210 channel rows.
    EXPECT_EQ(named, (std::vector<std::string>{"Rec Freq@3", "Scan@50", "ANI/ID Number@213",
                                               "Busy Channel Indicator@214", "ANI/ID Number@215"}));
    EXPECT_TRUE(doc.mem == untouched.mem && doc.labels == untouched.labels);
    // The table's own faults name their cell too, by its column's name where it has one: a
    // header without its group or channel column, a channel the group has not or of three
    // digits, a quote left open, a channel twice, a cell under no column name.
    const std::string table = exportCsv(doc.mem, doc.labels);
    const auto records = *parseCsv(table);
    const std::string &group = records[0][0], &chan = records[0][1];
    const std::string end = "@" + std::to_string(records.size() + 1);
    // clang-format off
    const std::pair<std::string, std::string> broken[] = {
        {test::replaced(table, group + ",", "Slot,"), group + "@1"},
        {test::replaced(table, "," + chan + ",", ",Slot,"), chan + "@1"},
        {test::replaced(table, "\r\n1,1,", "\r\n1,15,"), chan + "@2"},
        {test::replaced(table, "\r\n1,1,", "\r\n1,001,"), chan + "@2"},
        {table + "1,1,\"open\r\n", records[0][2] + end}, {table + "1,1\r\n", chan + end},
        {test::replaced(table, "\r\n1,2,", ",x\r\n1,2,"),
         "column " + std::to_string(records[0].size() + 1) + "@2"}};
    // clang-format on
    for (const auto& [text, place] : broken) {
        const auto problems = importCsv(doc.mem, doc.labels, text).problems;
        EXPECT_TRUE(std::ranges::any_of(problems, [&place = place](const CsvProblem& p) {
            return p.column + "@" + std::to_string(p.row) == place;
        })) << place;
    }
}

}  // namespace
}  // namespace zav
