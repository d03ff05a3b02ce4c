// The main window's Edit commands and its closing.

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>

#include "files/settings.h"
#include "ui/channel_grid_model.h"
#include "ui/channel_grid_view.h"
#include "ui/image_history.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"
#include "ui/status_line.h"
#include "ui/windows_controller.h"

namespace zav {

void MainWindow::copyRow() {
    if (shownGroup() < 0) return;
    const int row = std::max(grid_->currentIndex().row(), 0);
    grid_->commitPendingEdit();
    clip_.copyRow(row);
    menus_.pasteAction->setEnabled(true);
}

void MainWindow::copyAll() {
    if (shownGroup() < 0) return;
    grid_->commitPendingEdit();
    clip_.copyAll();
    menus_.pasteAction->setEnabled(true);
}

void MainWindow::paste() {
    grid_->commitPendingEdit();
    const int row = std::max(grid_->currentIndex().row(), 0);
    GridClipboard::PasteResult result = GridClipboard::PasteResult::Refused;
    history_->record(tr("Paste"), [&] { result = clip_.paste(row); });
    switch (result) {
        case GridClipboard::PasteResult::Row:
        case GridClipboard::PasteResult::Block:
            gridModel_->refresh();
            break;
        case GridClipboard::PasteResult::All:
            gridModel_->refresh();
            grid_->setCurrentIndex(gridModel_->index(0, 0));
            break;
        case GridClipboard::PasteResult::Refused:
            if (!clip_.refusal().empty()) grid_->refuse(QString::fromStdString(clip_.refusal()));
            break;
    }
}

void MainWindow::sayCopiedToAllRows(int column) {
    status_->say(tr("%1 copied to %2 in all %3 channels.")
                     .arg(gridCaption(column - 2), gridCaption(column))
                     .arg(kChannelsPerGroup));
}

void MainWindow::undo() {
    // An entry still being typed becomes a step of its own first, and is undone.
    finishEntries();
    history_->undo();
}

void MainWindow::redo() {
    finishEntries();
    history_->redo();
}

void MainWindow::showRestored(int g) {
    if (g >= 0 && g != shownGroup() && doc_.group(g) != nullptr) {
        // The selector's click shows g.
        QComboBox* selector = controls_.currentGroupCombo;
        selector->setCurrentIndex(selector->findData(g));
    } else if (shownGroup() >= 0) {
        const QModelIndex current = grid_->currentIndex();
        showGroup(shownGroup());
        if (current.isValid()) grid_->setCurrentIndex(current);
    }
    windows_->reloadGlobals();
    updateStatus();
}

void MainWindow::updatePasteEnabled() {
    menus_.pasteAction->setEnabled(clip_.pasteAvailable());
}

bool MainWindow::queryUnload() {
    // Yes is Save As; when the dialog is cancelled or the save fails the changes would be
    // lost, so the window stays open.
    return mayReplace(QT_TRANSLATE_NOOP("Messages", "Save before exit?"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A radio transfer is running (its waits keep the window system live): the window
    // closes only after it.
    if (proc_->isVisible() || link_->busy()) {
        event->ignore();
        return;
    }
    if (!exitWithoutAsking_ && !queryUnload()) {
        event->ignore();
        return;
    }
    storePlacement();
    windows_->closeAll();
    // The grid shows nothing more; the group records stay with the document.
    gridModel_->showGroup(-1);
    event->accept();
}

}  // namespace zav
