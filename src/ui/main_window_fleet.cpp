// Radio > Write Fleet...: the dialog over the editor's contents, with serial ports made on
// each radio's own QThread.

#include "ops/file_operations.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_threads.h"
#include "ui/fleet_write_dialog.h"
#include "ui/main_window.h"

namespace zav {

void MainWindow::setFleetPorts(PortFactory makePort, ParallelRunner runAll) {
    fleetPorts_ = std::move(makePort);
    fleetThreads_ = std::move(runAll);
    if (fleet_ != nullptr) fleet_->setPortFactory(fleetPorts_, fleetThreads_);
}

FleetWriteDialog* MainWindow::fleetWriteDialog() const {
    return fleet_;
}

void MainWindow::showFleetWrite() {
    if (fleet_ == nullptr) {
        // What goes out is the image with the window's edits, taken when Write is pressed.
        fleet_ = new FleetWriteDialog(
            prompts_, settings_,
            [this] {
                finishEntries();
                FileBytes file = defaultFileBytes();
                file.copyFrom(doc_);
                return file;
            },
            this);
        if (!fleetPorts_) {
            fleetPorts_ = [](const std::string& /*device*/) {
                return std::make_unique<QtSerialPort>();
            };
            fleetThreads_ = runOnQThreads;
        }
        fleet_->setPortFactory(fleetPorts_, fleetThreads_);
        fleet_->setHistory(radioHistory_.get());
        fleet_->setPorts({QString::number(portNumber())});
    }
    fleet_->show();
    fleet_->raise();
    fleet_->activateWindow();
}

}  // namespace zav
