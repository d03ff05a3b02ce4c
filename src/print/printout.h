#pragma once
// The unit data printout as a list of lines, independent of any output device: each
// line carries the font size and weight in force and its items, each item placed at a
// tab column or following the previous item directly. The Qt renderer prints the
// lines on paper or into a PDF, the plain-text renderer into a text file.

#include <string>
#include <string_view>
#include <vector>

namespace zav {

class Document;

// A tab column of 0 means the item follows the previous one directly. Columns count
// from 1 at the left margin; a column is the average character width of the line's font.
struct PrintItem {
    int tab = 0;
    std::string text;

    friend bool operator==(const PrintItem&, const PrintItem&) = default;
};

struct PrintLine {
    int pointSize{};  // the composer gives every line its font
    bool bold{};
    std::vector<PrintItem> items;  // none: an empty line

    // The items' texts joined without their tabs.
    [[nodiscard]] std::string text() const;
};

using Printout = std::vector<PrintLine>;

// The printout's font family.
inline constexpr std::string_view kPrintFontFamily = "Arial";

// The whole report for the document: the title with printFileName, the unit-global
// settings, and a section for every group that exists. Reads the document only.
Printout composeUnitData(const Document& doc, std::string_view printFileName);

// The printout as plain text: tab columns become character columns (column n is n - 1
// blanks from the line start), one text line per printout line, each ended by '\n'.
// An item whose tab column the line has already passed follows after one blank.
std::string plainText(const Printout& printout);

}  // namespace zav
