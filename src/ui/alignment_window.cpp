#include "ui/alignment_window.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ops/utility_operations.h"
#include "qt/qt_prompts.h"
#include "ui/text_report.h"

namespace zav {

const char* const AlignmentWindow::kIntroText = QT_TR_NOOP(
    "UHF Synthesizer alignment routine.\r\rFor reliable operation make sure the "
    "squelch knob is in the Code Guard position.");

AlignmentWindow::AlignmentWindow(RadioLink& link, Prompts& prompts, TextReport& report,
                                 QWidget* owner)
    : QDialog(owner), syncal_(link, prompts, *this) {
    setObjectName(QStringLiteral("frmSyncal"));
    setWindowTitle(tr("Syncal"));
    setModal(false);

    hintLabel_ = new QLabel(messageText(tr(kIntroText).toStdString()), this);
    hintLabel_->setObjectName(QStringLiteral("Label1"));
    hintLabel_->setWordWrap(true);

    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("StatLabel"));
    statusLabel_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    statusLabel_->setTextFormat(Qt::PlainText);
    statusLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    statusLabel_->setFrameShape(QFrame::StyledPanel);
    statusLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    startButton_ = new QPushButton(tr("Start Syncal"), this);
    startButton_->setObjectName(QStringLiteral("cmdStart"));
    startButton_->setDefault(true);
    connect(startButton_, &QPushButton::clicked, this, [this] { startAlignment(); });

    logButtons_ = new QDialogButtonBox(this);
    report.addButtons(*logButtons_, {tr("Save Syncal Log").toStdString(), "syncal.txt"},
                      [this] { return messageText(log_).toStdString(); });

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar"));
    statusBar_->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hintLabel_);
    layout->addWidget(statusLabel_, 1);
    layout->addWidget(logButtons_);
    layout->addWidget(startButton_, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addWidget(statusBar_);
    // Room for the log of both paths without resizing during a run.
    const QFontMetrics fm(statusLabel_->font());
    statusLabel_->setMinimumSize(fm.horizontalAdvance(QLatin1Char('M')) * 48,
                                 fm.lineSpacing() * 17);

    showIdleControls();
}

void AlignmentWindow::startAlignment() {
    if (syncal_.running()) return;
    (void)alignSynthesizer(syncal_);
}

void AlignmentWindow::addStatusLine(const std::string& text) {
    log_ += text;
    log_ += '\r';
    statusLabel_->setText(messageText(log_));
}

void AlignmentWindow::setStatusText(const std::string& text) {
    statusBar_->showMessage(QString::fromStdString(text));
}

void AlignmentWindow::clearLog() {
    log_.clear();
    statusLabel_->clear();
}

void AlignmentWindow::showRunControls() {
    if (statusLabel_->isHidden()) idleSize_ = size();
    startButton_->hide();
    logButtons_->hide();
    statusLabel_->show();
}

void AlignmentWindow::showIdleControls() {
    startButton_->show();
    // The log of the last run stays, to be read, saved or printed; a run that wrote none
    // leaves the window at its idle size.
    const bool kept = !log_.empty();
    statusLabel_->setVisible(kept);
    logButtons_->setVisible(kept);
    if (!kept && idleSize_.isValid()) {
        layout()->activate();
        resize(idleSize_);
    }
}

void AlignmentWindow::setStartEnabled(bool enabled) {
    startButton_->setEnabled(enabled);
}

void AlignmentWindow::unload() {
    if (startButton_->isHidden()) syncal_.abort();
}

void AlignmentWindow::closeEvent(QCloseEvent* event) {
    unload();
    QDialog::closeEvent(event);
}

void AlignmentWindow::reject() {
    unload();
    QDialog::reject();
}

}  // namespace zav
