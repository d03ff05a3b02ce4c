#include "ui/frm_proc.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/twips.h"

namespace zav {

const char* const frmProc::kWriteCancelWarning =
    "Warning:\rCancelling a write operation may leave the radio in an unpredictable "
    "state.\rAre you sure you want to cancel?";

namespace {
constexpr double kOffsetFromMainTwips = 500;
}

frmProc::frmProc(Prompts& prompts, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      prompts_(prompts),
      main_(mainWindow),
      lblInfo_(new QLabel(this)),
      Prog1_(new QProgressBar(this)),
      CancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmProc"));
    setWindowTitle(QStringLiteral("ZAV Processing"));
    setModal(false);
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setAlignment(Qt::AlignCenter);
    Prog1_->setObjectName(QStringLiteral("Prog1"));
    Prog1_->setTextVisible(false);
    CancelButton_->setObjectName(QStringLiteral("CancelButton"));
    CancelButton_->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInfo_);
    layout->addWidget(Prog1_);
    layout->addWidget(CancelButton_, 0, Qt::AlignHCenter);
    setMinimumWidth(360);

    connect(CancelButton_, &QPushButton::clicked, this, &frmProc::cancelClicked);
}

void frmProc::showForm(const std::string& text, bool writeMode) {
    writeMode_ = writeMode;
    if (main_ != nullptr) {
        const int offset = twipsToPixels(kOffsetFromMainTwips, logicalDpi(main_));
        move(main_->pos() + QPoint(offset, offset));
    }
    lblInfo_->setText(QString::fromStdString(text));
    CancelButton_->setEnabled(false);
    cancelled_ = false;
    show();
    setMainEnabled(false);
}

void frmProc::hideForm() {
    hide();
}

void frmProc::enableCancel() {
    cancelled_ = false;
    CancelButton_->setEnabled(true);
}

void frmProc::setMinimum(int value) {
    Prog1_->setMinimum(value);
}
void frmProc::setMaximum(int value) {
    Prog1_->setMaximum(value);
}
void frmProc::setValue(int value) {
    Prog1_->setValue(value);
}
void frmProc::setBarVisible(bool visible) {
    Prog1_->setVisible(visible);
}
void frmProc::enableMainWindow() {
    setMainEnabled(true);
}

void frmProc::cancelClicked() {
    if (writeMode_) {
        Message m;
        m.text = kWriteCancelWarning;
        m.buttons = Buttons::YesNo;
        m.icon = Icon::Question;
        if (prompts_.ask(m) == Answer::Yes) cancelled_ = true;
        return;
    }
    cancelled_ = true;
}

void frmProc::reject() {
    if (CancelButton_->isEnabled()) cancelClicked();
}

// Disabling the main window itself would also disable this window, which it owns; its
// contents are disabled instead.
void frmProc::setMainEnabled(bool enabled) {
    if (main_ == nullptr) return;
    for (QWidget* child : main_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow()) child->setEnabled(enabled);
    }
}

bool frmProc::mainWindowEnabled() const {
    if (main_ == nullptr) return true;
    for (QWidget* child : main_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && !child->isEnabled()) return false;
    }
    return true;
}

}  // namespace zav
