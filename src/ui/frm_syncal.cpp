#include "ui/frm_syncal.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "qt/qt_prompts.h"

namespace zav {

const char* const frmSyncal::kIntroText =
    "UHF Synthesizer alignment routine.\r\rFor reliable operation make sure the squelch knob "
    "is in the Code Guard position.";

frmSyncal::frmSyncal(RadioLink& link, Prompts& prompts, QWidget* owner)
    : QDialog(owner), syncal_(link, prompts, *this) {
    setObjectName(QStringLiteral("frmSyncal"));
    setWindowTitle(QStringLiteral("Syncal"));
    setModal(false);

    Label1_ = new QLabel(messageText(kIntroText), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setWordWrap(true);

    StatLabel_ = new QLabel(this);
    StatLabel_->setObjectName(QStringLiteral("StatLabel"));
    StatLabel_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    StatLabel_->setTextFormat(Qt::PlainText);
    StatLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StatLabel_->setFrameShape(QFrame::StyledPanel);
    StatLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdStart_ = new QPushButton(QStringLiteral("Start Syncal"), this);
    cmdStart_->setObjectName(QStringLiteral("cmdStart"));
    cmdStart_->setAutoDefault(false);
    connect(cmdStart_, &QPushButton::clicked, this, [this] { cmdStartClicked(); });

    StatusBar_ = new QStatusBar(this);
    StatusBar_->setObjectName(QStringLiteral("StatusBar"));
    StatusBar_->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1_);
    layout->addWidget(StatLabel_, 1);
    layout->addWidget(cmdStart_, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addWidget(StatusBar_);
    // Room for the log of both paths without resizing during a run.
    const QFontMetrics fm(StatLabel_->font());
    StatLabel_->setMinimumSize(fm.horizontalAdvance(QLatin1Char('M')) * 48, fm.lineSpacing() * 17);

    ShowIdleControls();
}

void frmSyncal::cmdStartClicked() {
    if (syncal_.Running()) return;
    syncal_.Run();
}

void frmSyncal::AddStatusLine(const std::string& text) {
    log_ += text;
    log_ += '\r';
    StatLabel_->setText(messageText(log_));
}

void frmSyncal::SetStatusText(const std::string& text) {
    StatusBar_->showMessage(QString::fromStdString(text));
}

void frmSyncal::ClearLog() {
    log_.clear();
    StatLabel_->clear();
}

void frmSyncal::ShowRunControls() {
    cmdStart_->hide();
    StatLabel_->show();
}

void frmSyncal::ShowIdleControls() {
    cmdStart_->show();
    StatLabel_->hide();
}

void frmSyncal::SetStartEnabled(bool enabled) {
    cmdStart_->setEnabled(enabled);
}

void frmSyncal::Unload() {
    if (cmdStart_->isHidden()) syncal_.Abort();
}

void frmSyncal::closeEvent(QCloseEvent* event) {
    Unload();
    QDialog::closeEvent(event);
}

void frmSyncal::reject() {
    Unload();
    QDialog::reject();
}

}  // namespace zav
