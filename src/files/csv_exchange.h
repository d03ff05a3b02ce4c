#pragma once
// A radio's channels and group parameters as a CSV table a spreadsheet opens and saves
// back: a header row of column names, one row per channel of every group in the image
// (group number, channel number and the grid's six texts), then one row per group with
// its parameters under their own columns, all in the editor's texts (field_texts.h).
// ANI/IDs, and labels a spreadsheet would take for numbers or dates, are written in the
// form it keeps as text (spreadsheetText, csv_table.h).
//
// Import: rows are found by their Group and Chan cells, so their order does not matter;
// a row with an empty Chan cell is its group's parameter row. Columns are found by their
// names, in any order; a column left out leaves its field alone, and so does a row left
// out. A cell that shows what the image holds changes nothing; any other cell is checked
// as the editor checks the entry; a bare ANI/ID cell a spreadsheet made a number (leading
// zeros dropped, an exponent) is refused. Every cell is checked before anything is
// stored: with any problem nothing is imported.

#include <string>
#include <string_view>
#include <vector>

#include "model/memory_image.h"

namespace zav {

// The table of every group the page map holds.
std::string exportCsv(const MemImage& mem, const LabelImage& labels);

struct CsvProblem {
    int row = 0;         // record number, the header row being 1; 0 for the whole file
    std::string column;  // the column's name; empty for the whole row
    std::string reason;
};

// "row 5, Rec Freq: ..." for a message.
std::string problemText(const CsvProblem& problem);

struct CsvImport {
    std::vector<CsvProblem> problems;  // empty when the table was imported
    int changedCells{};                // cells whose field now shows another text
};

// Imports the table into the images, which change only when there is no problem.
CsvImport importCsv(MemImage& mem, LabelImage& labels, std::string_view text);

}  // namespace zav
