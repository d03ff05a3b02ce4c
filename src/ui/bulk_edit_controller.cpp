#include "ui/bulk_edit_controller.h"

#include <QAction>
#include <QWidget>

#include "model/bulk_edit.h"
#include "model/document.h"
#include "model/group.h"
#include "ui/bulk_edit_dialogs.h"
#include "ui/channel_grid_model.h"
#include "ui/channel_grid_view.h"
#include "ui/editor_view.h"
#include "ui/grid_clipboard.h"
#include "ui/image_history.h"
#include "ui/main_menus.h"
#include "ui/status_line.h"

namespace zav {

BulkEditController::BulkEditController(const MainMenus& menus, Document& doc, ChannelGridView& grid,
                                       ChannelGridModel& model, GridClipboard& clipboard,
                                       ImageHistory& history, StatusLine& status, EditorView& view,
                                       QWidget* window)
    : menus_(menus),
      doc_(doc),
      grid_(grid),
      model_(model),
      clipboard_(clipboard),
      history_(history),
      status_(status),
      view_(view),
      window_(window) {
    // Their keys (Delete, Ctrl+C, Alt+Up...) mean the rows only while the grid has the
    // focus; elsewhere they stay the focused control's.
    for (QAction* a : {menus.selectRowsAction, menus.copyRowsAction, menus.cutRowsAction,
                       menus.deleteRowsAction, menus.moveUpAction, menus.moveDownAction}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        grid_.addAction(a);
    }
    connect(menus.selectRowsAction, &QAction::triggered, this, [this] { grid_.selectAll(); });
    connect(menus.copyRowsAction, &QAction::triggered, this, &BulkEditController::copyRows);
    connect(menus.cutRowsAction, &QAction::triggered, this, &BulkEditController::cutRows);
    connect(menus.deleteRowsAction, &QAction::triggered, this, &BulkEditController::deleteRows);
    connect(menus.moveUpAction, &QAction::triggered, this, [this] { moveRows(BlockMove::Up); });
    connect(menus.moveDownAction, &QAction::triggered, this, [this] { moveRows(BlockMove::Down); });
    connect(menus.setRowsAction, &QAction::triggered, this, &BulkEditController::setRowsCommand);
    connect(menus.fillAction, &QAction::triggered, this, &BulkEditController::fillCommand);
    connect(&grid_, &ChannelGridView::setOnSelectedRequested, this,
            &BulkEditController::setOnSelectedRows);
    connect(grid_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { status_.showSelectedRows(static_cast<int>(grid_.selectedRows().size())); });
}

bool BulkEditController::groupShown() const {
    return doc_.shownGroup() >= 0 && doc_.group(doc_.shownGroup()) != nullptr;
}

void BulkEditController::finish(const std::string& refusal) {
    if (!refusal.empty()) {
        grid_.refuse(QString::fromStdString(refusal));
        return;
    }
    model_.refresh();
    view_.updateStatus();
}

void BulkEditController::copyRows() {
    view_.finishEntries();
    if (!groupShown()) return;
    clipboard_.copyRows(grid_.selectedRows());
    menus_.pasteAction->setEnabled(true);
}

void BulkEditController::clearRows(const QString& step) {
    const std::vector<int> rows = grid_.selectedRows();
    history_.record(step, [&] { clearChannels(*doc_.group(doc_.shownGroup()), rows); });
    finish({});
}

void BulkEditController::cutRows() {
    copyRows();
    if (groupShown()) clearRows(tr("Cut Rows"));
}

void BulkEditController::deleteRows() {
    view_.finishEntries();
    if (groupShown()) clearRows(tr("Delete Rows"));
}

void BulkEditController::moveRows(BlockMove direction) {
    view_.finishEntries();
    if (!groupShown()) return;
    const std::vector<int> rows = grid_.selectedRows();
    const int column = std::max(grid_.currentIndex().column(), 0);
    const bool up = direction == BlockMove::Up;
    std::optional<std::vector<int>> moved;
    history_.record(up ? tr("Move Rows Up") : tr("Move Rows Down"),
                    [&] { moved = moveChannels(doc_, doc_.shownGroup(), rows, direction); });
    if (!moved) {
        grid_.refuse(up ? tr("The first channel of the group cannot move up.")
                        : tr("The last channel of the group cannot move down."));
        return;
    }
    finish({});
    grid_.selectRows(*moved, column);
}

void BulkEditController::setOnSelectedRows(int column, const QString& text) {
    if (!groupShown()) return;
    if (column < kColRecFreq || column > kColScan) {
        grid_.refuse(tr("Choose a cell of the column to set first."));
        return;
    }
    const std::vector<int> rows = grid_.selectedRows();
    BulkEdit edit;
    history_.record(tr("Set On Selected Rows"), [&] {
        edit = setColumn(*doc_.group(doc_.shownGroup()), rows, column, text.toStdString());
    });
    finish(edit.message());
}

void BulkEditController::setRowsCommand() {
    view_.finishEntries();
    if (!groupShown()) return;
    const QModelIndex current = grid_.currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    if (column < kColRecFreq) {
        setOnSelectedRows(column, {});  // refused: no column to set
        return;
    }
    const QString caption = model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    SetRowsDialog dialog(caption, static_cast<int>(grid_.selectedRows().size()),
                         model_.cellText(current.row(), column), window_);
    if (dialog.exec() == QDialog::Accepted) setOnSelectedRows(column, dialog.value());
}

void BulkEditController::fillCommand() {
    view_.finishEntries();
    if (!groupShown()) return;
    const std::vector<int> rows = grid_.selectedRows();
    if (rows.empty()) return;  // no current cell either
    QString start = model_.cellText(rows.front(), kColRecFreq);
    if (start == QStringLiteral("none")) start.clear();
    FillDialog dialog(static_cast<int>(rows.size()), start, window_);
    if (dialog.exec() != QDialog::Accepted) return;
    FrequencyFill fill;
    fill.start = dialog.start().toStdString();
    const std::optional<std::int64_t> step = megahertzToHz(dialog.step().toStdString());
    if (!step) {
        grid_.refuse(tr("Step: '%1' is no amount in MHz.").arg(dialog.step()));
        return;
    }
    fill.stepHz = *step;
    if (const std::optional<QString> offset = dialog.offset()) {
        const std::optional<std::int64_t> hz = megahertzToHz(offset->toStdString());
        if (!hz) {
            grid_.refuse(tr("Offset: '%1' is no amount in MHz.").arg(*offset));
            return;
        }
        fill.transmit = TransmitFill::WithOffset;
        fill.offsetHz = *hz;
    }
    BulkEdit edit;
    history_.record(tr("Fill Frequencies"),
                    [&] { edit = fillFrequencies(*doc_.group(doc_.shownGroup()), rows, fill); });
    finish(edit.message());
}

}  // namespace zav
