#include "ui/radio_controller.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

#include "ops/file_operations.h"
#include "ops/radio_operations.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_threads.h"
#include "ui/command_outcome.h"
#include "ui/editor_view.h"
#include "ui/file_controller.h"
#include "ui/fleet_write_dialog.h"
#include "ui/main_menus.h"
#include "ui/radio_history_dialog.h"

namespace zav {

RadioController::RadioController(const MainMenus& menus, RadioOperations& operations, Document& doc,
                                 Prompts& prompts, SettingsStore& settings, RadioHistory& history,
                                 StatusLine& status, EditorView& view, FileController& files,
                                 QWidget* window)
    : menus_(menus),
      operations_(operations),
      doc_(doc),
      prompts_(prompts),
      settings_(settings),
      history_(history),
      status_(status),
      view_(view),
      files_(files),
      window_(window) {
    run(menus.readRadioAction, &RadioOperations::readRadio);
    run(menus.readGlobalAction, &RadioOperations::readGlobal);
    run(menus.readGroupAction, &RadioOperations::readGroup);
    run(menus.writeRadioAction, &RadioOperations::writeRadio);
    run(menus.writeGlobalAction, &RadioOperations::writeGlobal);
    run(menus.writeGroupAction, &RadioOperations::writeGroup);
    run(menus.labelReadGroupAction, &RadioOperations::labelReadGroup);
    run(menus.labelReadRadioAction, &RadioOperations::labelReadRadio);
    run(menus.labelWriteGroupAction, &RadioOperations::labelWriteGroup);
    run(menus.labelWriteRadioAction, &RadioOperations::labelWriteRadio);
    connect(menus.writeFleetAction, &QAction::triggered, this, &RadioController::showFleetWrite);
    connect(menus.historyAction, &QAction::triggered, this, &RadioController::showRadioHistory);
}

// The operations tell every outcome through their messages; the status bar keeps a word on
// it, also for the outcomes that have none (a cancel, Read Global).
void RadioController::run(QAction* command, OperationResult (RadioOperations::*operation)()) {
    connect(command, &QAction::triggered, this, [this, command, operation] {
        // A shortcut leaves the focus in a field being typed: its entry ends first.
        view_.finishEntries();
        const OperationResult result = (operations_.*operation)();
        QString name = commandCaption(command);
        if (command->parent() == menus_.labelMenu) name.prepend(QStringLiteral("Labels: "));
        sayOutcome(status_, name, result, operations_.historyFile());
    });
}

void RadioController::setFleetPorts(PortFactory makePort, ParallelRunner runAll) {
    fleetPorts_ = std::move(makePort);
    fleetThreads_ = std::move(runAll);
    if (fleet_ != nullptr) fleet_->setPortFactory(fleetPorts_, fleetThreads_);
}

FleetWriteDialog* RadioController::fleetWriteDialog() const {
    return fleet_;
}

void RadioController::showFleetWrite() {
    if (fleet_ == nullptr) {
        // What goes out is the image with the window's edits, taken when Write is pressed.
        fleet_ = new FleetWriteDialog(
            prompts_, settings_,
            [this] {
                view_.finishEntries();
                FileBytes file = defaultFileBytes();
                file.copyFrom(doc_);
                return file;
            },
            window_);
        if (!fleetPorts_) {
            fleetPorts_ = [](const std::string& /*device*/) {
                return std::make_unique<QtSerialPort>();
            };
            fleetThreads_ = runOnQThreads;
        }
        fleet_->setPortFactory(fleetPorts_, fleetThreads_);
        fleet_->setHistory(&history_);
        fleet_->setPorts({QString::number(operations_.portNumber())});
    }
    fleet_->show();
    fleet_->raise();
    fleet_->activateWindow();
}

void RadioController::showRadioHistory() {
    RadioHistoryDialog dialog(history_, window_);
    if (dialog.exec() == QDialog::Accepted && dialog.chosen())
        files_.openFromOutside(*dialog.chosen());
}

}  // namespace zav
