// Every way a value is entered takes the same values alike: the grid's cells as the editor
// commits them, the offset box, the group's header fields as typed, a row pasted, a CSV
// cell imported, a fleet's unit number and the field gate the others are built on. Another path
// is one more adapter in the list.

#include <gtest/gtest.h>

#include "files/csv_exchange.h"
#include "files/csv_table.h"
#include "model/field_entry.h"
#include "model/frequency_check.h"
#include "ops/fleet.h"
#include "support/editor.h"
#include "support/entry_check.h"
#include "ui/status_line.h"

namespace zav::test {
namespace {

// What each field shows after the entry; {} where it refuses it.
// clang-format off
const EntryCase kCases[] = {  // 2.5 kHz raster, 6.25 kHz, neither, 400 as no frequency, band
    {"Tx Freq", "451.0125", "451.01250"}, {"Tx Freq", "450.0025", {}}, {"Tx Freq", "450.00625", {}},
    {"Tx Freq", "450.001", {}}, {"Tx Freq", "400.000", {}}, {"Tx Freq", "700", {}},
    {"Tx Freq", "xyz", {}}, {"Tx Freq", "0", "none"}, {"Rec CG", "D023", "D023"},
    {"Rec CG", "D089", {}}, {"Rec CG", "D999", {}}, {"Rec CG", "xyz", {}}, {"Rec CG", "D0234", {}},
    {"Rec CG", "", ""}, {"Tx CG", "d754-", "D754-"}, {"Tx CG", "67", "067.0"},
    {"Tx CG", "67.25", {}}, {"Tx CG", "800", {}}, {"Label", "ABCDEFGH", "ABCDEFGH"},
    {"Label", "ABCDEFGHI", {}}, {"Label", "Fire@1", {}}, {"Label", ".A", {}},
    {"Label", "fish", "FISh    "}, {"Label", "1.2.3.4.5.6.7.8.", "1.2.3.4.5.6.7.8."},
    {"Scan", "y", {}}, {"Scan", "Y", "Y"}, {"Group Label", "ABCDEFGH", "ABCDEFGH"},
    {"Group Label", "ABCDEFGHI", {}}, {"Group Label", "Fire@1", {}},
    {"Group Label", "fire", "FIRE    "}, {"ANI/ID Number", "12ab", "00012AB"},
    {"ANI/ID Number", "12XYZ99", {}}, {"ANI/ID Number", "123456789", {}},
    {"ANI/ID Number", "2001", "0002001"},
    {"Pass Word", "09afAF", "09AFAF"}, {"Pass Word", "1234567", {}}, {"Pass Word", "12G", {}}};
// clang-format on

FieldScope scopeOf(const EntryCase& c) {
    return fieldNamed(c.field).scope;
}

int columnOf(const EntryCase& c) {
    return static_cast<int>(std::ranges::find(kChannelCaptions, c.field) -
                            kChannelCaptions.begin());
}

std::pair<std::string, std::string> outcome(Document& doc, const EntryCase& c, std::string said) {
    return {fieldNamed(c.field).read({doc.mem, doc.labels}), std::move(said)};
}

// What the status bar said, when the entry beeped.
std::string said(Editor& e, int beepsBefore) {
    return e.prompts.beeps > beepsBefore ? e.window->status().message().toStdString() : "";
}

// Offsets on a receive frequency: the sum is taken or refused as the same text typed.
struct OffsetCase {
    const char* receive;
    const char* offset;
    EntryCase sum;
};
const OffsetCase kOffsets[] = {{"450.12500", "0.0025", {"Tx Freq", "450.1275", {}}},
                               {"405.00000", "-5", {"Tx Freq", "400", {}}},
                               {"450.12500", "-5", {"Tx Freq", "445.125", "445.12500"}}};

TEST(EntryPaths, EveryPathStoresWhatItsFieldHoldsAndRefusesTheRestSayingWhy) {
    Editor e;
    Document gate, csv, paste, fleet;
    // The offset box in row 0, whose receive frequency the entry leaves as it is.
    const auto offsetBox = [&](const EntryCase& c, const std::string& offset) {
        const int beeps = e.prompts.beeps;
        e.goTo(0, kColTxFreq).setFocus();
        e.pressKeys(" " + offset + "\n");
        return outcome(e.doc, c, said(e, beeps));
    };
    const EntryPath paths[] = {
        {"field gate", &gate,
         [&](const EntryCase& c) {
             const auto refused = fieldNamed(c.field).store({gate.mem, gate.labels}, c.text);
             return outcome(gate, c, refused.value_or(""));
         }},
        // The first group's row or its first channel's; a refusal counts where it names it.
        {"CSV import", &csv,
         [&](const EntryCase& c) -> EntryOutcome {
             if (scopeOf(c) == FieldScope::Global) return std::nullopt;
             auto records = *parseCsv(exportCsv(csv.mem, csv.labels));
             const std::size_t row = scopeOf(c) == FieldScope::Group ? 1 + 15 * 14 : 1;
             // An ANI/ID as the export writes it: bare, fewer digits are a spreadsheet's number.
             records[row][static_cast<std::size_t>(std::ranges::find(records[0], c.field) -
                                                   records[0].begin())] =
                 c.field == "ANI/ID Number" ? spreadsheetText(c.text) : c.text;
             std::string text, told;
             for (const CsvRecord& r : records) text += formatCsvRecord(r);
             for (const CsvProblem& p : importCsv(csv.mem, csv.labels, text).problems)
                 told += p.row == static_cast<int>(row) + 1 && p.column == c.field ? p.reason
                                                                                   : problemText(p);
             return outcome(csv, c, told);
         }},
        // The first channel's row as Copy a row gives it, the cell replaced.
        {"row paste", &paste,
         [&](const EntryCase& c) -> EntryOutcome {
             if (scopeOf(c) != FieldScope::Channel) return std::nullopt;
             Channel& channel = paste.group(0)->channel(0);
             RowData row = channel.display();
             row[static_cast<std::size_t>(columnOf(c))] = c.text;
             std::string text = row[1];
             for (std::size_t i = 2; i < row.size(); ++i) text += "\t" + row[i];
             const FieldEntry pasted = channel.pasteChan(text);
             return outcome(paste, c, pasted ? "" : pasted.reason());
         }},
        {"grid cell", &e.doc,
         [&](const EntryCase& c) -> EntryOutcome {
             if (scopeOf(c) != FieldScope::Channel) return std::nullopt;
             const int beeps = e.prompts.beeps;
             e.typeInCell(0, columnOf(c), c.text);
             return std::pair(e.cell(0, columnOf(c)), said(e, beeps));
         }},
        // The offset box over an empty receive frequency: the sum is the offset itself.
        {"offset box", &e.doc,
         [&](const EntryCase& c) -> EntryOutcome {
             if (c.field != "Tx Freq" || !isNumericText(c.text)) return std::nullopt;
             return offsetBox(c, c.text);
         }},
        // The first group's ANI/ID, from a unit number.
        {"fleet unit number", &fleet,
         [&](const EntryCase& c) -> EntryOutcome {
             if (c.field != "ANI/ID Number" || c.text.empty() || c.text.size() > 9 ||
                 c.text.find_first_not_of("0123456789") != std::string::npos)
                 return std::nullopt;
             const auto unit = static_cast<std::uint32_t>(std::stoul(c.text));
             const FieldEntry id = applyUnitNumber(fleet.mem, fleet.labels, {unit, {1}}, unit);
             return outcome(fleet, c, id ? "" : id.reason());
         }},
        // Typed over the field's text and ended with Enter, which stores it.
        {"header field", &e.doc, [&](const EntryCase& c) -> EntryOutcome {
             if (scopeOf(c) != FieldScope::Group) return std::nullopt;
             const int beeps = e.prompts.beeps;
             const GroupControls& controls = e.window->controls();
             QLineEdit* edit = c.field == "Group Label" ? controls.groupLabelEdit : controls.idEdit;
             edit->selectAll();
             e.typeKeys(c.text + "\n", edit);
             return outcome(e.doc, c, said(e, beeps));
         }}};
    for (const EntryPath& path : paths)
        for (const EntryCase& c : kCases) expectEntry(path, c);
    for (const OffsetCase& o : kOffsets) {
        ASSERT_TRUE(e.doc.group(0)->channel(0).setRecFreq(o.receive));
        expectEntry({"offset box on " + std::string(o.receive), &e.doc,
                     [&](const EntryCase& c) -> EntryOutcome { return offsetBox(c, o.offset); }},
                    o.sum);
    }
}

// A cell left as it shows, whatever keys leave it so, stores nothing and says nothing:
// bytes an entry could not give ("none" as FF FF, an erased label) stay as they are.
TEST(EntryPaths, ACellLeftAsItShowsStoresNothing) {
    Editor e;
    for (int k = 0; k < kLabelPositions; ++k) e.labels()[labelIndex(0, 3, k)] = 0xFF;
    const int txFreq = e.doc.group(0)->channel(3).fieldAddress(kColTxFreq);
    std::fill_n(e.mem().begin() + txFreq, 2, Byte{0xFF});
    const MemImage mem = e.mem();
    const LabelImage labels = e.labels();
    e.pressKeys("");
    for (const int column : {kColRecFreq, kColTxFreq, kColLabel})
        for (const char* keys : {"\n", "{End}\n", "{Home}", "{Left}{Right}\n"}) {
            e.goTo(3, column).setFocus();
            e.window->grid().edit(e.window->gridModel().index(3, column));
            e.pressKeys(keys);
            e.window->grid().commitPendingEdit();
            EXPECT_EQ(e.prompts.beeps, 0) << column << " " << keys;
        }
    EXPECT_EQ(e.mem(), mem);
    EXPECT_EQ(e.labels(), labels);
}

}  // namespace
}  // namespace zav::test
