#pragma once
// The channel grid: 14 rows of the shown group, edited in place. Every entry is checked
// before it is stored; S and C in a transmit column copy the receive values; the space
// bar in Tx Freq opens the offset entry when it is released; Home goes to Rec Freq; the Scan cell's
// button toggles the flag. Every change is an undo step of the history the model records in.
// Rows are selected with the mouse (Shift and Ctrl extend) and Shift+arrows; Ctrl+Enter in a
// cell asks for its text in that column of every selected row.

#include <QTableView>

#include <optional>
#include <span>
#include <vector>

#include "iface/prompts.h"
#include "ui/channel_grid_model.h"

class QLineEdit;

namespace zav {

class ChannelCellDelegate;
class ImageHistory;

class ChannelGridView final : public QTableView {
    Q_OBJECT
  public:
    ChannelGridView(ChannelGridModel& model, Document& doc, Prompts& prompts, ImageHistory& history,
                    QWidget* parent = nullptr);

    using QTableView::edit;

    // Stores the open editor's text, if an editor is open, and closes it.
    void commitPendingEdit();
    // The cell editor while an edit is open, else nullptr.
    [[nodiscard]] QLineEdit* cellEditor() const;
    // Row heights and column widths from the font; the grid is exactly as tall as its
    // header and 14 rows, and at least as wide as its columns, so none hides.
    void fitRows();

    // Key S: this row's transmit cell = its receive cell (two columns to the left).
    void copyReceiveKey(int row, int column);
    // Key C: the same for every row; the cursor then goes to row 0, column 0.
    void copyReceiveAll(int row, int column);
    void toggleScan(int row);
    // A cell's text after an edit: checked by its field's gate, then stored or refused.
    void commitCellText(const QModelIndex& index, const QString& text);
    // An entry refused: a beep, and the reason for the status bar (entryRefused).
    void refuse(const QString& reason);

    // The rows with a selected cell, in order; the current row when no cell is selected.
    [[nodiscard]] std::vector<int> selectedRows() const;
    // Selects the rows whole; the current cell goes to the first of them, in `column`.
    void selectRows(std::span<const int> rows, int column);

    bool editorKeyPress(QLineEdit* editor, QKeyEvent* event);
    bool editorKeyRelease(QLineEdit* editor, QKeyEvent* event);

  signals:
    // An entry was refused (with a beep); the reason is for the status bar.
    void entryRefused(const QString& reason);
    // Key C copied the receive values into transmit column `column` of every row.
    void copiedToAllRows(int column);
    // The space bar released in Tx Freq: the offset entry opens for this row.
    void offsetRequested(int row);
    // Ctrl+Enter in a cell's editor: `text` for column `column` of every selected row.
    void setOnSelectedRequested(int column, const QString& text);

  protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    // Tab walks the cells, but after the last (Shift+Tab: before the first) it goes on to
    // the next control instead of wrapping round; Ctrl+Tab leaves at once.
    bool focusNextPrevChild(bool next) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    // True when Tab (next) or Shift+Tab would wrap round the grid from the current cell.
    [[nodiscard]] bool tabWouldWrap(bool next) const;
    // Common key handling of the grid and its editor; true when the key was consumed.
    bool commandKey(QKeyEvent* event, int column, QLineEdit* editor);
    // The release of the space bar pressed in Tx Freq; true when it opened the offset entry.
    bool offsetKeyUp(const QKeyEvent* event);
    void discardEditor(QLineEdit* editor);
    // The transmit cell of `column` in `row` given its receive cell's text.
    FieldEntry copyReceive(int row, int column);

    ChannelGridModel& model_;
    Document& doc_;
    Prompts& prompts_;
    ImageHistory& history_;
    ChannelCellDelegate* delegate_;
    int editColumn_ = 0;
    QString savedText_;  // the cell's text when its edit began
    // The row whose Tx Freq had the space bar pressed: the entry opens at its release, so
    // that the release does not land in the entry's box.
    std::optional<int> offsetRow_;
};

}  // namespace zav
