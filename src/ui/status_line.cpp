#include "ui/status_line.h"

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

namespace zav {

namespace {
constexpr int kMessageMs = 10000;

QLabel* permanent(QStatusBar* bar, const char* name) {
    auto* label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(name));
    bar->addPermanentWidget(label);
    return label;
}
}  // namespace

StatusLine::StatusLine(QStatusBar* bar)
    : bar_(bar),
      file_(permanent(bar, "statusFile")),
      port_(permanent(bar, "statusPort")),
      simulated_(permanent(bar, "statusSimulated")) {
    bar_->setObjectName(QStringLiteral("statusBar"));
    simulated_->setText(QStringLiteral("simulated radio"));
    simulated_->hide();
}

void StatusLine::showFile(const QString& fileName, bool modified) {
    const QString name =
        fileName.isEmpty() ? QStringLiteral("no file") : QFileInfo(fileName).fileName();
    file_->setText(modified ? name + QStringLiteral(" (unsaved changes)") : name);
    file_->setToolTip(fileName);
}

void StatusLine::showPort(int number, const QString& device) {
    port_->setText(QStringLiteral("Port %1: %2").arg(number).arg(device));
}

void StatusLine::showSimulatedRadio(bool simulated) {
    simulated_->setVisible(simulated);
}

bool StatusLine::showsSimulatedRadio() const {
    return !simulated_->isHidden();
}

void StatusLine::say(const QString& message) {
    bar_->showMessage(message, kMessageMs);
}

QString StatusLine::message() const {
    return bar_->currentMessage();
}

QString StatusLine::outcomeText(const QString& command, const OperationResult& result) {
    const QString what = QString::fromStdString(result.message);
    switch (result.outcome) {
        case Outcome::Done:
            return QStringLiteral("%1: done.").arg(command);
        case Outcome::Cancelled:
            return what.isEmpty() ? QStringLiteral("%1: cancelled.").arg(command)
                                  : QStringLiteral("%1: cancelled; %2.").arg(command, what);
        case Outcome::Failed:
            break;
    }
    return QStringLiteral("%1: %2.").arg(command, what);
}

}  // namespace zav
