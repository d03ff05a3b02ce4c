// What the main window shows after a transfer replaced part of the document, its caption,
// and the offset box's own F1.

#include <QKeyEvent>
#include <QLineEdit>

#include "ui/image_history.h"
#include "ui/main_window.h"
#include "ui/offset_entry.h"
#include "ui/windows_controller.h"

namespace zav {

bool MainWindow::offsetHelpKey(QObject* object, QEvent* event) const {
    if (object != offset_->box() || event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1) return false;
    key->accept();  // the key goes to the box
    return true;
}

void MainWindow::replaced(Replaced what) {
    history_->clear();  // the steps before no longer match the radio's bytes
    switch (what) {
        case Replaced::Radio:
            reloadGroups();
            windows_->reloadGlobals();
            break;
        case Replaced::Global:
            windows_->reloadGlobals();
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
