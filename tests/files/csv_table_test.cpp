// Tables as spreadsheets save them: the separator found from the header row, UTF-8 with or
// without its byte order mark, UTF-16 of either byte order, and every fault named by the
// row and column where it stands.

#include <gtest/gtest.h>

#include "files/csv_table.h"
#include "support/csv_text.h"

namespace zav {
namespace {

using test::utf16Bytes;
using test::Utf16Order;

struct TableCase {
    std::string bytes;
    std::vector<CsvRecord> records;
    CsvSeparator separator;
};

TEST(CsvTable, FindsTheSeparatorAndTheEncodingFromTheText) {
    const std::vector<CsvRecord> twoByTwo{{"a", "b"}, {"c", "d"}};
    const std::u16string wide = u"\u00e9;\U0001F600\r\n\"x;y\";\"\u20ac\"\r\n";
    const std::vector<CsvRecord> wideRecords{{"\u00e9", "\U0001F600"}, {"x;y", "\u20ac"}};
    const TableCase cases[] = {
        {"a;b\r\nc;d\r\n", twoByTwo, CsvSeparator::Semicolon},
        {"a\tb\nc\td", twoByTwo, CsvSeparator::Tab},
        {"\xEF\xBB\xBF"
         "a,b\nc,d\n",
         twoByTwo, CsvSeparator::Comma},
        // Separators inside quotes do not count; a tie goes to the comma.
        {"\"a,b,c\";b\n", {{"a,b,c", "b"}}, CsvSeparator::Semicolon},
        {"a,b;c\n", {{"a", "b;c"}}, CsvSeparator::Comma},
        {"a\n1,2\n", {{"a"}, {"1", "2"}}, CsvSeparator::Comma},
        {utf16Bytes(wide, Utf16Order::LittleEndian), wideRecords, CsvSeparator::Semicolon},
        {utf16Bytes(wide, Utf16Order::BigEndian), wideRecords, CsvSeparator::Semicolon},
        {utf16Bytes("a\tb\r\nc\td", Utf16Order::LittleEndian), twoByTwo, CsvSeparator::Tab}};
    for (const TableCase& c : cases) {
        const CsvTable table = readCsvTable(c.bytes);
        EXPECT_EQ(test::faultPlace(table.fault), "no fault") << c.bytes;
        EXPECT_EQ(table.records, c.records) << c.bytes;
        EXPECT_EQ(table.separator, c.separator) << c.bytes;
    }
}

struct FaultCase {
    std::string bytes;
    std::string place;  // where the fault is named
};

TEST(CsvTable, NamesTheRowAndColumnOfEveryFault) {
    const FaultCase cases[] = {
        // An open quote is named where it opened, however far the text runs after it.
        {"a,b\n1,\"2\n3,4\n5,6\n", "row 2, column 2"},
        {"a;b\n1;2\n\"x\"y;2\n", "row 3, column 1"},
        {"a,b\n\"two\nlines\",\"x\" \n", "row 2, column 2"},
        // UTF-16 without its mark, a lone last byte, half of a pair.
        {std::string("a\0,\0b\0", 6), "row 1, column 1"},
        {utf16Bytes("a,b\nc,d", Utf16Order::LittleEndian) + "x", "row 2, column 2"},
        {utf16Bytes(std::u16string{u'a', u',', u'\xD800', u'b'}, Utf16Order::BigEndian),
         "row 1, column 2"}};
    for (const FaultCase& c : cases) {
        const CsvTable table = readCsvTable(c.bytes);
        EXPECT_EQ(test::faultPlace(table.fault), c.place) << c.bytes;
        EXPECT_FALSE(parseCsv(c.bytes)) << c.bytes;
    }
    // A cell under no column name: under an empty header cell or past the last one.
    const std::pair<std::vector<CsvRecord>, std::string> unnamed[] = {
        {{{"a", "", "c"}, {"1", "", "3", ""}, {"1", "2", "3"}}, "row 3, column 2"},
        {{{"a", "b"}, {"1", "2", "", "4"}}, "row 2, column 4"},
        {{{"a", "b", ""}, {"1", "2", ""}, {"1", "2"}}, "no fault"}};
    for (const auto& [records, place] : unnamed)
        EXPECT_EQ(test::faultPlace(findUnnamedCell(records)), place) << place;
}

// A text in the form a spreadsheet keeps as text reads back as itself, and only such a
// cell loses its formula.
TEST(CsvTable, SpreadsheetTextReadsBackExactly) {
    for (const std::string text : {"007", "1E3", "-5", "say \"hi\"", "", "=\"", "\"\""}) {
        const std::string cell = spreadsheetText(text);
        const auto records = parseCsv(formatCsvRecord({cell, text}));
        ASSERT_TRUE(records) << text;
        EXPECT_TRUE(isSpreadsheetText(records->at(0)[0])) << text;
        EXPECT_EQ(csvCellText(records->at(0)[0]), text);
    }
    for (const std::string cell : {"=\"a\"b\"", "=\"a", "=a", "\"a\"", "=\"\"\"", "a=\"b\""}) {
        EXPECT_FALSE(isSpreadsheetText(cell)) << cell;
        EXPECT_EQ(csvCellText(cell), cell);
    }
}

}  // namespace
}  // namespace zav
