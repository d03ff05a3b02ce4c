#pragma once
// The Edit menu's row commands on the grid's selected rows: select all rows, copy, cut and
// delete a block, move it up or down, set one column on every selected row (also Ctrl+Enter
// in a cell) and fill frequencies in steps. Each change is one Undo step; a refused one
// changes nothing and the status bar says why.

#include <QObject>
#include <QString>
#include <span>

#include "model/channel_block.h"

class QWidget;

namespace zav {

class ChannelGridModel;
class ChannelGridView;
class Document;
class EditorView;
class GridClipboard;
class ImageHistory;
class StatusLine;
struct MainMenus;

class BulkEditController final : public QObject {
    Q_OBJECT
  public:
    // `window` is the dialogs' parent.
    BulkEditController(const MainMenus& menus, Document& doc, ChannelGridView& grid,
                       ChannelGridModel& model, GridClipboard& clipboard, ImageHistory& history,
                       StatusLine& status, EditorView& view, QWidget* window);

    void copyRows();
    void cutRows();
    void deleteRows();
    void moveRows(BlockMove direction);
    // `text` into `column` of every selected row, or the reason in the status bar.
    void setOnSelectedRows(int column, const QString& text);
    // The dialogs, then the same.
    void setRowsCommand();
    void fillCommand();

  private:
    [[nodiscard]] bool groupShown() const;
    void clearRows(const QString& step);
    // A change's outcome: the rows show again, or the reason is in the status bar.
    void finish(const std::string& refusal);

    const MainMenus& menus_;
    Document& doc_;
    ChannelGridView& grid_;
    ChannelGridModel& model_;
    GridClipboard& clipboard_;
    ImageHistory& history_;
    StatusLine& status_;
    EditorView& view_;
    QWidget* window_;
};

}  // namespace zav
