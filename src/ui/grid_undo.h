#pragma once
// One-level undo of the channel grid: the cell recorded at the first key press after a
// click on the grid, put back exactly as it was. The record keeps the cell's bytes, not
// only its text, so a digital code guard, an erased label or an off-raster frequency
// comes back unchanged.

#include <optional>
#include <string>
#include <vector>

#include "model/document.h"

namespace zav {

class GridUndo {
  public:
    // A click on the grid: the next key press takes the record.
    void arm() { armed_ = true; }
    [[nodiscard]] bool armed() const { return armed_; }

    // Takes the record of a cell of the shown group when armed, and disarms. Column 0
    // records nothing to restore.
    void keyDown(const Document& doc, int row, int column, std::string text);

    // The group selector was clicked: Undo does nothing until a new record is taken.
    void clear();

    // Puts the recorded cell back; the row to make current, or nullopt when there is no
    // record for the group shown. The record stays: a second Undo restores it again.
    std::optional<int> undo(Document& doc) const;

    [[nodiscard]] int column() const { return column_; }
    [[nodiscard]] int row() const { return row_; }
    [[nodiscard]] const std::string& text() const { return text_; }

  private:
    struct SavedByte {
        bool label;  // in the label image, else in the memory image
        std::size_t index;
        Byte mask;  // the bits that belong to the cell
        Byte value;
    };

    bool armed_ = false;
    int column_ = 0;  // 0 at start, -1 after clear
    int row_ = 0;
    int group_ = -1;
    std::string text_;
    std::vector<SavedByte> bytes_;
};

}  // namespace zav
