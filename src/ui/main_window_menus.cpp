// The main window's Radio and Config commands (over RadioOperations), the commands that
// open the editor's other windows, and what the window does after radio reads.

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>

#include <array>

#include "link/trace_port.h"
#include "qt/local_path.h"
#include "ui/alignment_window.h"
#include "ui/bank_move_dialog.h"
#include "ui/globals_window.h"
#include "ui/help_viewer.h"
#include "ui/image_history.h"
#include "ui/main_window.h"
#include "ui/offset_entry.h"
#include "ui/port_device_dialog.h"
#include "ui/print_commands.h"
#include "ui/radio_history_dialog.h"
#include "ui/status_line.h"

namespace zav {

namespace {
// The label setting of each Config > Labels entry, in the menu's order.
constexpr std::array kLabelMenuOrder{LabelSetting::Always, LabelSetting::Never,
                                     LabelSetting::Prompt};
}  // namespace

void MainWindow::connectRadioCommands() {
    // The operations tell every outcome through their messages; the status bar keeps a
    // word on it, also for the outcomes that have none (a cancel, Read Global).
    const auto run = [this](QAction* action, OperationResult (RadioOperations::*operation)()) {
        connect(action, &QAction::triggered, this, [this, action, operation] {
            // A shortcut leaves the focus in a field being typed: its entry ends first.
            finishEntries();
            const OperationResult result = ((*operations_).*operation)();
            reportOutcome(action, result, operations_->historyFile());
        });
    };
    run(menus_.readRadioAction, &RadioOperations::readRadio);
    run(menus_.readGlobalAction, &RadioOperations::readGlobal);
    run(menus_.readGroupAction, &RadioOperations::readGroup);
    run(menus_.writeRadioAction, &RadioOperations::writeRadio);
    run(menus_.writeGlobalAction, &RadioOperations::writeGlobal);
    run(menus_.writeGroupAction, &RadioOperations::writeGroup);
    run(menus_.labelReadGroupAction, &RadioOperations::labelReadGroup);
    run(menus_.labelReadRadioAction, &RadioOperations::labelReadRadio);
    run(menus_.labelWriteGroupAction, &RadioOperations::labelWriteGroup);
    run(menus_.labelWriteRadioAction, &RadioOperations::labelWriteRadio);

    for (std::size_t i = 0; i < kLabelMenuOrder.size(); ++i) {
        connect(menus_.labelChoiceActions.at(i), &QAction::triggered, this,
                [this, i] { chooseLabelSetting(kLabelMenuOrder.at(i)); });
    }
    for (QAction* a : menus_.portActions) {
        connect(a, &QAction::triggered, this,
                [this, a] { chooseCommPort(a->property("index").toInt()); });
    }
    connect(menus_.portDeviceAction, &QAction::triggered, this, &MainWindow::choosePortDevice);
    connect(menus_.backupAction, &QAction::triggered, this, &MainWindow::chooseBackupBeforeWrite);
    connect(menus_.historyAction, &QAction::triggered, this, &MainWindow::showRadioHistory);

    // F1 in the offset box is the box's own help, not the Help command.
    offset_->box()->installEventFilter(this);
}

void MainWindow::connectWindowCommands() {
    connect(menus_.printAction, &QAction::triggered, this, &MainWindow::printCommand);
    connect(menus_.printSetupAction, &QAction::triggered, this, &MainWindow::printSetupCommand);
    connect(menus_.printPreviewAction, &QAction::triggered, this, &MainWindow::printPreviewCommand);
    connect(menus_.globalsAction, &QAction::triggered, this, &MainWindow::showGlobals);
    connect(menus_.moveAction, &QAction::triggered, this, &MainWindow::showMove);
    connect(menus_.writeFleetAction, &QAction::triggered, this, &MainWindow::showFleetWrite);
    connect(menus_.syncalAction, &QAction::triggered, this, &MainWindow::showSyncal);
    connect(menus_.aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(menus_.helpAction, &QAction::triggered, this, &MainWindow::showHelp);
}

bool MainWindow::offsetHelpKey(QObject* object, QEvent* event) const {
    if (object != offset_->box() || event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1) return false;
    key->accept();  // the key goes to the box
    return true;
}

// --- Config ----------------------------------------------------------------------------

void MainWindow::showChecks() {
    for (std::size_t i = 0; i < kLabelMenuOrder.size(); ++i)
        menus_.labelChoiceActions.at(i)->setChecked(kLabelMenuOrder.at(i) ==
                                                    operations_->labelSetting());
    const int port = operations_->portNumber();
    for (QAction* a : menus_.portActions) a->setChecked(a->property("index").toInt() == port);
    menus_.verifyAction->setChecked(operations_->verifyAfterWrite());
    menus_.backupAction->setChecked(operations_->backupBeforeWrite());
    menus_.traceAction->setChecked(trace_->tracing());
    updateStatus();
}

void MainWindow::reportOutcome(const QAction* command, const OperationResult& result,
                               const std::string& kept) {
    QString name = command->text().remove(QLatin1Char('&'));
    if (command->parent() == menus_.labelMenu) name.prepend(QStringLiteral("Labels: "));
    QString text = StatusLine::outcomeText(name, result);
    if (!kept.empty()) text += QStringLiteral(" Radio history: %1").arg(shownPath(kept));
    status_->say(text);
}

void MainWindow::chooseLabelSetting(LabelSetting setting) {
    operations_->setLabelSetting(setting);
    showChecks();
}

void MainWindow::chooseCommPort(int port) {
    operations_->useCommPort(port);
    showChecks();  // a refused change keeps the old check
}

void MainWindow::chooseBackupBeforeWrite(bool backup) {
    operations_->setBackupBeforeWrite(backup);
    showChecks();
}

void MainWindow::showRadioHistory() {
    RadioHistoryDialog dialog(*radioHistory_, this);
    if (dialog.exec() == QDialog::Accepted && dialog.chosen()) openFromOutside(*dialog.chosen());
}

void MainWindow::choosePortDevice() {
    PortDeviceDialog dialog(settings_, operations_->portNumber(), this);
    // The device is read when the port next opens; an open port keeps its device until
    // then.
    dialog.exec();
    updateStatus();
}

// --- Other windows ---------------------------------------------------------------------

GlobalsWindow* MainWindow::globalsWindow() const {
    return globals_;
}
AlignmentWindow* MainWindow::syncalWindow() const {
    return syncal_;
}

void MainWindow::showGlobals() {
    if (globals_ == nullptr) {
        // Owned by this window for its lifetime, but a window of its own beside it.
        globals_ = new GlobalsWindow(doc_, settings_, *link_, this);
        globals_->setHistory(history_);
        globals_->setAttribute(Qt::WA_DeleteOnClose);
        connect(globals_, &GlobalsWindow::edited, this, [this] { updateUndoRedo(); });
        connect(globals_, &GlobalsWindow::deviationWritten, this, [this] {
            if (globals_ != nullptr && globals_->lastWriteResult())
                status_->say(StatusLine::outcomeText(QStringLiteral("Write DTMF Deviation"),
                                                     *globals_->lastWriteResult()));
        });
    }
    globals_->show();
    globals_->raise();
    globals_->activateWindow();
}

void MainWindow::showMove() {
    if (move_ == nullptr) {
        move_ = new BankMoveDialog(doc_, &settings_, this);
        connect(move_, &BankMoveDialog::aboutToMove, this, [this] {
            finishEntries();
            history_->begin(QStringLiteral("Move Banks"));
        });
        connect(move_, &BankMoveDialog::moved, this, [this] {
            history_->end();
            // The group shown before the move, from the changed image.
            if (shownGroup() >= 0) showGroup(shownGroup());
        });
    }
    if (!move_->isVisible()) move_->centreOnScreen();
    move_->exec();
}

void MainWindow::showSyncal() {
    if (syncal_ == nullptr) syncal_ = new AlignmentWindow(*link_, prompts_, textReport(), this);
    syncal_->show();
    syncal_->raise();
    syncal_->activateWindow();
}

void MainWindow::showHelp() {
    zav::showHelp(this);
}

void MainWindow::printCommand() {
    if (!print_) print_ = std::make_unique<PrintCommands>(prompts_);
    finishEntries();
    print_->printUnitData(composeUnitData(doc_, files_.names().printFileName), this);
}

void MainWindow::printSetupCommand() {
    if (!print_) print_ = std::make_unique<PrintCommands>(prompts_);
    print_->printSetup(this);
}

void MainWindow::printPreviewCommand() {
    if (!print_) print_ = std::make_unique<PrintCommands>(prompts_);
    finishEntries();
    print_->printPreview(composeUnitData(doc_, files_.names().printFileName), this);
}

void MainWindow::closeOtherWindows() {
    if (globals_ != nullptr) globals_->close();
    if (syncal_ != nullptr) syncal_->close();
}

// --- After reads -------------------------------------------------------------------------

void MainWindow::reloadOtherWindows() {
    if (globals_ != nullptr) globals_->loadGlobals();
}

void MainWindow::replaced(Replaced what) {
    history_->clear();  // the steps before no longer match the radio's bytes
    switch (what) {
        case Replaced::Radio:
            reloadGroups();
            reloadOtherWindows();
            break;
        case Replaced::Global:
            reloadOtherWindows();
            break;
        case Replaced::Group:
        case Replaced::GroupLabels:
        case Replaced::AllLabels:
            if (shownGroup() >= 0) showGroup(shownGroup());
            break;
    }
    updateStatus();
}

void MainWindow::setCaptionSuffix(const QString& suffix) {
    captionSuffix_ = suffix;
    setWindowTitle(caption_ + QStringLiteral("[*]") + captionSuffix_);
}

void MainWindow::showSimulatedRadio(const std::string& device) {
    simulatedDevice_ = device;
    updateStatus();
}

}  // namespace zav
