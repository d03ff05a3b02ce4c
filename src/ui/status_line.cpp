#include "ui/status_line.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include "iface/shown_text.h"

namespace zav {

namespace {
constexpr int kMessageMs = 10000;
// QStatusBar keeps 6 pixels on each side of a message, and the size grip at the right.
constexpr int kMessageMargins = 24;
constexpr int kGap = 8;  // between permanent widgets

QLabel* permanent(QStatusBar* bar, const char* name) {
    auto* label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(name));
    bar->addPermanentWidget(label);
    return label;
}
}  // namespace

StatusLine::StatusLine(QStatusBar* bar)
    : bar_(bar),
      selection_(permanent(bar, "statusSelection")),
      file_(permanent(bar, "statusFile")),
      port_(permanent(bar, "statusPort")),
      band_(permanent(bar, "statusBand")),
      simulatedLabel_(permanent(bar, "statusSimulated")),
      trace_(permanent(bar, "statusTrace")) {
    bar_->setObjectName(QStringLiteral("statusBar"));
    simulatedLabel_->setText(tr("simulated radio"));
    simulatedLabel_->hide();
    trace_->setText(QCoreApplication::translate("StatusLine", "serial trace on"));
    trace_->hide();
    band_->hide();
    selection_->hide();
    QObject::connect(bar_, &QStatusBar::messageChanged, bar_,
                     [this](const QString& message) { makeRoom(message); });
}

void StatusLine::showFile(const QString& fileName, bool modified) {
    const QString name = fileName.isEmpty() ? tr("no file") : QFileInfo(fileName).fileName();
    file_->setText(modified ? name + tr(" (unsaved changes)") : name);
    file_->setToolTip(fileName);
}

void StatusLine::showPort(int number, const QString& device) {
    port_->setText(tr("Port %1: %2").arg(number).arg(device));
}

void StatusLine::showBand(const QString& band) {
    band_->setText(band);
    makeRoom(bar_->currentMessage());
}

void StatusLine::showSimulatedRadio(bool simulated) {
    simulated_ = simulated;
    makeRoom(bar_->currentMessage());
}

void StatusLine::showSelectedRows(int rows) {
    selection_->setText(
        rows > 1 ? QCoreApplication::translate("StatusLine", "%n rows selected", nullptr, rows)
                 : QString());
    makeRoom(bar_->currentMessage());
}

QString StatusLine::selectedRowsText() const {
    return selection_->text();
}

void StatusLine::showTrace(const QString& file) {
    traceFile_ = file;
    trace_->setToolTip(file);
    makeRoom(bar_->currentMessage());
}

void StatusLine::say(const QString& message) {
    refusal_ = false;
    bar_->showMessage(message, kMessageMs);
}

void StatusLine::refuse(const QString& reason) {
    say(reason);
    refusal_ = true;
}

void StatusLine::entryAccepted() {
    if (refusal_) bar_->clearMessage();
    refusal_ = false;
}

void StatusLine::makeRoom(const QString& message) {
    // The bar draws a message between its left margin and the first permanent label.
    int needed = bar_->fontMetrics().horizontalAdvance(message) + kMessageMargins;
    const bool band = !band_->text().isEmpty();
    const bool selection = !selection_->text().isEmpty();
    const bool trace = showsTrace();
    for (const QLabel* label : {selection_, file_, port_, band_, simulatedLabel_, trace_})
        if ((label != simulatedLabel_ || simulated_) && (label != band_ || band) &&
            (label != selection_ || selection) && (label != trace_ || trace))
            needed += label->sizeHint().width() + kGap;
    const bool room = message.isEmpty() || needed <= bar_->width();
    selection_->setVisible(room && selection);
    file_->setVisible(room);
    port_->setVisible(room);
    band_->setVisible(room && band);
    simulatedLabel_->setVisible(room && simulated_);
    trace_->setVisible(room && trace);
}

QString StatusLine::message() const {
    return bar_->currentMessage();
}

QString StatusLine::outcomeText(const QString& command, const OperationResult& result) {
    // A fixed message of the core shows translated; a composed one as it is.
    const QString what = QCoreApplication::translate(kMessageContext, result.message.c_str());
    switch (result.outcome) {
        case Outcome::Done:
            return tr("%1: done.").arg(command);
        case Outcome::Cancelled:
            return what.isEmpty() ? tr("%1: cancelled.").arg(command)
                                  : tr("%1: cancelled; %2.").arg(command, what);
        case Outcome::Failed:
            break;
    }
    return QStringLiteral("%1: %2.").arg(command, what);
}

}  // namespace zav
