#include "ui/radio_controller.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

#include "files/file_open_save.h"
#include "model/document.h"
#include "ops/exchange_operations.h"
#include "ops/file_operations.h"
#include "ops/radio_operations.h"
#include "ops/radio_queries.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_threads.h"
#include "ui/command_outcome.h"
#include "ui/differences_window.h"
#include "ui/editor_view.h"
#include "ui/file_controller.h"
#include "ui/fleet_write_dialog.h"
#include "ui/main_menus.h"
#include "ui/radio_history_dialog.h"
#include "ui/status_line.h"

namespace zav {

RadioController::RadioController(const MainMenus& menus, RadioOperations& operations, Document& doc,
                                 Prompts& prompts, SettingsStore& settings, RadioHistory& history,
                                 StatusLine& status, EditorView& view, FileController& files,
                                 FileSystem& fileSystem, TextReport& report, QWidget* window)
    : menus_(menus),
      operations_(operations),
      doc_(doc),
      prompts_(prompts),
      settings_(settings),
      history_(history),
      status_(status),
      view_(view),
      files_(files),
      fileSystem_(fileSystem),
      report_(report),
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
    connect(menus.identifyAction, &QAction::triggered, this, &RadioController::identifyCommand);
    connect(menus.compareRadioAction, &QAction::triggered, this,
            &RadioController::compareWithRadioCommand);
}

// The operations tell every outcome through their messages; the status bar keeps a word on
// it, also for the outcomes that have none (a cancel, Read Global).
void RadioController::run(QAction* command, OperationResult (RadioOperations::*operation)()) {
    connect(command, &QAction::triggered, this, [this, command, operation] {
        // A shortcut leaves the focus in a field being typed: its entry ends first.
        view_.finishEntries();
        const OperationResult result = (operations_.*operation)();
        say(command, result);
        // The band stays up until another radio tells its own.
        if (const auto& band = operations_.radioBand())
            status_.showBand(QString::fromStdString(bandText(*band)));
    });
}

void RadioController::say(const QAction* command, const OperationResult& result) {
    QString name = commandCaption(command);
    if (command->parent() == menus_.labelMenu) name.prepend(tr("Labels: "));
    sayOutcome(status_, name, result, operations_.historyFile());
}

void RadioController::identifyCommand() {
    view_.finishEntries();
    RadioIdentity identity;
    const OperationResult result = identifyRadio(operations_.link(), identity);
    if (result.done()) {
        std::string text;
        for (const std::string& line : identityLines(identity))
            text += (text.empty() ? "" : "\n") + line;
        prompts_.ask(information(text, tr("Identify Radio").toStdString()));
        if (identity.band) status_.showBand(QString::fromStdString(bandText(*identity.band)));
    }
    sayOutcome(status_, commandCaption(menus_.identifyAction), result);
}

QWidget* RadioController::compareWindow() const {
    return compare_;
}

void RadioController::compareWithRadioCommand() {
    view_.finishEntries();
    const QAction* command = menus_.compareRadioAction;
    const auto path =
        askCommandFile(prompts_, command, FileDialogMode::Open, kFileFilter, kFileDefaultPattern);
    if (!path) return;
    const auto file = loadImages(fileSystem_, prompts_, *path);
    if (!file) return;
    // The labels are compared when they would travel with a write (asked as for a read:
    // the radio's labels are read).
    const LabelChoice labels = operations_.askLabelTransfer(OperationKind::Reads);
    if (labels == LabelChoice::Cancel) {
        sayOutcome(status_, commandCaption(command), OperationResult::cancelled());
        return;
    }
    std::vector<std::string> lines;
    const OperationResult result = compareWithRadio(
        operations_.link(), file->mem, file->labels,
        labels == LabelChoice::Transfer ? LabelCompare::Include : LabelCompare::Skip, lines);
    sayOutcome(status_, commandCaption(command), result);
    if (!result.done()) return;
    delete compare_.data();
    compare_ = showDifferencesWindow(
        window_, tr("Compare With Radio"),
        differencesText(
            tr("What writing %1 would change in the radio: ").arg(QString::fromStdString(*path)),
            lines),
        report_);
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
