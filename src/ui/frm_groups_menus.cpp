// The main window's Radio and Config commands (over RadioCommands), the commands that
// open the editor's other windows, and what the window does after radio reads.

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>

#include "ui/frm_globals.h"
#include "ui/frm_groups.h"
#include "ui/frm_move.h"
#include "ui/frm_port_device.h"
#include "ui/frm_syncal.h"
#include "ui/help_viewer.h"
#include "ui/offset_entry.h"
#include "ui/print_commands.h"

namespace zav {

void frmGroups::connectRadioCommands() {
    const auto run = [this](QAction* action, void (RadioCommands::*command)()) {
        connect(action, &QAction::triggered, this, [this, command] { ((*commands_).*command)(); });
    };
    run(menus_.mnuRead, &RadioCommands::ReadRadio);
    run(menus_.mnuReadGlobal, &RadioCommands::ReadGlobal);
    run(menus_.mnuReadGroup, &RadioCommands::ReadGroup);
    run(menus_.mnuWriteAll, &RadioCommands::WriteRadio);
    run(menus_.mnuWriteGlobal, &RadioCommands::WriteGlobal);
    run(menus_.mnuWriteGroup, &RadioCommands::WriteGroup);
    run(menus_.mnuLabelReadGroup, &RadioCommands::LabelReadGroup);
    run(menus_.mnuLabelReadRadio, &RadioCommands::LabelReadRadio);
    run(menus_.mnuLabelWriteGroup, &RadioCommands::LabelWriteGroup);
    run(menus_.mnuLabelWriteRadio, &RadioCommands::LabelWriteRadio);

    for (QAction* a : menus_.mnuLabelConfig) {
        connect(a, &QAction::triggered, this,
                [this, a] { chooseLabelSetting(a->property("index").toInt()); });
    }
    for (QAction* a : menus_.mnuCommPort) {
        connect(a, &QAction::triggered, this,
                [this, a] { chooseCommPort(a->property("index").toInt()); });
    }
    connect(menus_.mnuPortDevice, &QAction::triggered, this, &frmGroups::choosePortDevice);

    // F1 in the offset box is the box's own help, not the Help command.
    offset_->box()->installEventFilter(this);
}

void frmGroups::connectWindowCommands() {
    connect(menus_.mnuPrint, &QAction::triggered, this, &frmGroups::printCommand);
    connect(menus_.mnuSetup, &QAction::triggered, this, &frmGroups::printSetupCommand);
    connect(menus_.mnuPreview, &QAction::triggered, this, &frmGroups::printPreviewCommand);
    connect(menus_.mnuGlobals, &QAction::triggered, this, &frmGroups::showGlobals);
    connect(menus_.mnuMove, &QAction::triggered, this, &frmGroups::showMove);
    connect(menus_.mnuSyncal, &QAction::triggered, this, &frmGroups::showSyncal);
    connect(menus_.mnuAbout, &QAction::triggered, this, &frmGroups::showAbout);
    connect(menus_.mnuHelp, &QAction::triggered, this, &frmGroups::showHelp);
}

bool frmGroups::offsetHelpKey(QObject* object, QEvent* event) const {
    if (object != offset_->box() || event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1) return false;
    key->accept();  // the key goes to the box
    return true;
}

// --- Config ----------------------------------------------------------------------------

void frmGroups::showChecks() {
    const int setting = commands_->labelSetting();
    for (QAction* a : menus_.mnuLabelConfig) a->setChecked(a->property("index").toInt() == setting);
    const int port = commands_->portNumber();
    for (QAction* a : menus_.mnuCommPort) a->setChecked(a->property("index").toInt() == port);
}

void frmGroups::chooseLabelSetting(int setting) {
    commands_->setLabelSetting(setting);
    showChecks();
}

void frmGroups::chooseCommPort(int port) {
    commands_->useCommPort(port);
    showChecks();  // a refused change keeps the old check
}

void frmGroups::choosePortDevice() {
    frmPortDevice dialog(settings_, commands_->portNumber(), this);
    // The device is read when the port next opens; an open port keeps its device until
    // then.
    dialog.exec();
}

// --- Other windows ---------------------------------------------------------------------

frmGlobals* frmGroups::globalsWindow() const {
    return globals_;
}
frmMove* frmGroups::moveDialog() const {
    return move_;
}
frmSyncal* frmGroups::syncalWindow() const {
    return syncal_;
}

void frmGroups::showGlobals() {
    if (globals_ == nullptr) {
        // Owned by this window for its lifetime, but a window of its own beside it.
        globals_ = new frmGlobals(doc_, settings_, *link_, this);
        globals_->setAttribute(Qt::WA_DeleteOnClose);
    }
    globals_->show();
    globals_->raise();
    globals_->activateWindow();
}

void frmGroups::showMove() {
    if (move_ == nullptr) {
        move_ = new frmMove(doc_, this);
        connect(move_, &frmMove::aboutToMove, this, [this] { storeGroupMemory(); });
        connect(move_, &frmMove::moved, this, [this] {
            // The group shown before the move, from the changed image.
            if (shownGroup_ >= 0) showGroup(shownGroup_);
        });
    }
    if (!move_->isVisible()) move_->centreOnScreen();
    move_->exec();
}

void frmGroups::showSyncal() {
    if (syncal_ == nullptr) syncal_ = new frmSyncal(*link_, prompts_, this);
    syncal_->show();
    syncal_->raise();
    syncal_->activateWindow();
}

void frmGroups::showHelp() {
    zav::showHelp(this);
}

void frmGroups::printCommand() {
    if (!print_) print_ = std::make_unique<PrintCommands>(prompts_);
    // The printout shows the window's edits too: they are stored before the group is
    // shown again from the image.
    storeGroupMemory();
    storeOtherWindows();
    displayGroupMemory();
    print_->printUnitData(doc_, files_.names().PrintFileName, this);
}

void frmGroups::printSetupCommand() {
    if (!print_) print_ = std::make_unique<PrintCommands>(prompts_);
    print_->printSetup(this);
}

void frmGroups::printPreviewCommand() {
    if (!print_) print_ = std::make_unique<PrintCommands>(prompts_);
    storeGroupMemory();
    storeOtherWindows();
    print_->printPreview(doc_, files_.names().PrintFileName, this);
}

void frmGroups::closeOtherWindows() {
    if (globals_ != nullptr) globals_->close();
    if (syncal_ != nullptr) syncal_->close();
}

// --- After reads -------------------------------------------------------------------------

void frmGroups::storeOtherWindows() {
    if (globals_ != nullptr) globals_->storeGlobals();
}

void frmGroups::reloadOtherWindows() {
    if (globals_ != nullptr) globals_->loadGlobals();
}

void frmGroups::memoryRead(int first, int count) {
    const auto from = static_cast<std::size_t>(std::max(first, 0));
    const auto to =
        std::min(static_cast<std::size_t>(std::max(first + count, 0)), cleanMem_.size());
    for (std::size_t i = from; i < to; ++i) cleanMem_[i] = doc_.mem[i];
    if (first < static_cast<int>(kPageSize) && count > 0) reloadOtherWindows();
}

void frmGroups::labelsRead(int groupIndex) {
    if (groupIndex < 0) {
        cleanLabels_ = doc_.labels;
        return;
    }
    for (int s = 0; s < kLabelSlots; ++s)
        for (int c = 0; c < kLabelPositions; ++c)
            cleanLabels_[labelIndex(groupIndex, s, c)] = doc_.labels[labelIndex(groupIndex, s, c)];
}

void frmGroups::setCaptionSuffix(const QString& suffix) {
    QString title = windowTitle();
    if (!captionSuffix_.isEmpty() && title.endsWith(captionSuffix_))
        title.chop(captionSuffix_.size());
    captionSuffix_ = suffix;
    setWindowTitle(title + captionSuffix_);
}

}  // namespace zav
