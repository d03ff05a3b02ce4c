#include "ui/windows_controller.h"

#include <QAction>

#include "ui/alignment_window.h"
#include "ui/bank_move_dialog.h"
#include "ui/editor_view.h"
#include "ui/globals_window.h"
#include "ui/image_history.h"
#include "ui/main_menus.h"
#include "ui/status_line.h"

namespace zav {

WindowsController::WindowsController(const MainMenus& menus, Document& doc, SettingsStore& settings,
                                     RadioLink& link, Prompts& prompts, ImageHistory& history,
                                     StatusLine& status, TextReport& report, EditorView& view,
                                     QWidget* window)
    : doc_(doc),
      settings_(settings),
      link_(link),
      prompts_(prompts),
      history_(history),
      status_(status),
      report_(report),
      view_(view),
      window_(window) {
    connect(menus.globalsAction, &QAction::triggered, this, &WindowsController::showGlobals);
    connect(menus.moveAction, &QAction::triggered, this, &WindowsController::showMove);
    connect(menus.syncalAction, &QAction::triggered, this, &WindowsController::showSyncal);
}

WindowsController::~WindowsController() {
    // The windows that talk through the link go before it does (Qt would delete them only
    // with the main window's children, after the link).
    delete globals_.data();
    delete syncal_.data();
}

GlobalsWindow* WindowsController::globalsWindow() const {
    return globals_;
}

AlignmentWindow* WindowsController::syncalWindow() const {
    return syncal_;
}

void WindowsController::showGlobals() {
    if (globals_ == nullptr) {
        globals_ = new GlobalsWindow(doc_, settings_, link_, window_);
        globals_->setHistory(&history_);
        globals_->setAttribute(Qt::WA_DeleteOnClose);
        connect(globals_, &GlobalsWindow::edited, this, [this] { view_.updateStatus(); });
        connect(globals_, &GlobalsWindow::deviationWritten, this, [this] {
            if (globals_ != nullptr && globals_->lastWriteResult())
                status_.say(StatusLine::outcomeText(tr("Write DTMF Deviation"),
                                                    *globals_->lastWriteResult()));
        });
    }
    globals_->show();
    globals_->raise();
    globals_->activateWindow();
}

void WindowsController::showMove() {
    if (move_ == nullptr) {
        move_ = new BankMoveDialog(doc_, &settings_, window_);
        connect(move_, &BankMoveDialog::aboutToMove, this, [this] {
            view_.finishEntries();
            history_.begin(tr("Move Banks"));
        });
        connect(move_, &BankMoveDialog::moved, this, [this] {
            history_.end();
            // The group shown before the move, from the changed image.
            view_.showImageAgain();
        });
    }
    if (!move_->isVisible()) move_->centreOnScreen();
    move_->exec();
}

void WindowsController::showSyncal() {
    if (syncal_ == nullptr) syncal_ = new AlignmentWindow(link_, prompts_, report_, window_);
    syncal_->show();
    syncal_->raise();
    syncal_->activateWindow();
}

void WindowsController::reloadGlobals() {
    if (globals_ != nullptr) globals_->loadGlobals();
}

void WindowsController::storeGlobals() {
    if (globals_ != nullptr) globals_->storeGlobals();
}

bool WindowsController::globalsPending() const {
    return globals_ != nullptr && globals_->hasUnstoredEdits();
}

void WindowsController::closeAll() {
    if (globals_ != nullptr) globals_->close();
    if (syncal_ != nullptr) syncal_->close();
}

}  // namespace zav
