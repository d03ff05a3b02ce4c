#include "ui/progress_window.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "qt/qt_prompts.h"
#include "ui/twips.h"

namespace zav {

const char* const ProgressWindow::kWriteCancelWarning = QT_TRANSLATE_NOOP(
    "Messages",
    "Warning:\rCancelling a write operation may leave the radio in an unpredictable "
    "state.\rAre you sure you want to cancel?");

namespace {
constexpr double kOffsetFromMainTwips = 500;
// How long showing the window may wait for the window system to map it.
constexpr int kExposeWaitMs = 200;
constexpr int kExposePollMs = 5;
}  // namespace

ProgressWindow::ProgressWindow(Prompts& prompts, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      prompts_(prompts),
      main_(mainWindow),
      infoLabel_(new QLabel(this)),
      stepLabel_(new QLabel(this)),
      progressBar_(new QProgressBar(this)),
      cancelButton_(new QPushButton(tr("Cancel"), this)),
      noteLabel_(new QLabel(tr("This step cannot be cancelled."), this)) {
    setObjectName(QStringLiteral("frmProc"));
    setWindowTitle(tr("ZAV Processing"));
    setModal(false);
    infoLabel_->setObjectName(QStringLiteral("lblInfo"));
    infoLabel_->setAlignment(Qt::AlignCenter);
    stepLabel_->setObjectName(QStringLiteral("lblStep"));
    stepLabel_->setAlignment(Qt::AlignCenter);
    progressBar_->setObjectName(QStringLiteral("Prog1"));
    progressBar_->setTextVisible(false);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    cancelButton_->setAutoDefault(false);
    noteLabel_->setObjectName(QStringLiteral("lblCancelNote"));
    noteLabel_->setAlignment(Qt::AlignCenter);
    noteLabel_->setEnabled(false);  // drawn as a quiet remark
    QSizePolicy keepRoom = noteLabel_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);  // the window keeps its size when Cancel enables
    noteLabel_->setSizePolicy(keepRoom);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(infoLabel_);
    layout->addWidget(stepLabel_);
    layout->addWidget(progressBar_);
    layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
    layout->addWidget(noteLabel_);
    setMinimumWidth(360);

    connect(cancelButton_, &QPushButton::clicked, this, &ProgressWindow::cancelClicked);
}

void ProgressWindow::beginOperation(const std::string& text, OperationKind kind) {
    kind_ = kind;
    if (main_ != nullptr) {
        const int offset = twipsToPixels(kOffsetFromMainTwips, logicalDpi(main_));
        move(main_->pos() + QPoint(offset, offset));
    }
    infoLabel_->setText(shownMessage(text));
    stepLabel_->clear();
    setCancelEnabled(false);
    cancelled_ = false;
    show();
    setMainEnabled(false);
    paintNow();
}

// Transfers may block (a pause without events) before their first wait lets the window
// system run, so the window draws its message, bar and Cancel here, before returning.
void ProgressWindow::paintNow() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QElapsedTimer waited;
    waited.start();
    while ((windowHandle() == nullptr || !windowHandle()->isExposed()) &&
           waited.elapsed() < kExposeWaitMs) {
        QEventLoop loop;
        QTimer::singleShot(kExposePollMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    repaint();
}

void ProgressWindow::endOperation() {
    hide();
}

void ProgressWindow::enableCancel() {
    cancelled_ = false;
    setCancelEnabled(true);
}

void ProgressWindow::setCancelEnabled(bool enabled) {
    cancelButton_->setEnabled(enabled);
    noteLabel_->setVisible(!enabled);
}

void ProgressWindow::setMinimum(int value) {
    progressBar_->setMinimum(value);
}
void ProgressWindow::setMaximum(int value) {
    progressBar_->setMaximum(value);
}
void ProgressWindow::setValue(int value) {
    progressBar_->setValue(value);
}
void ProgressWindow::setBarVisible(bool visible) {
    progressBar_->setVisible(visible);
}
void ProgressWindow::setStep(const std::string& text) {
    stepLabel_->setText(shownMessage(text));
}
void ProgressWindow::connectionEnded() {
    setMainEnabled(true);
}

// A bar that appears (or a Cancel that enables) just before the pause would otherwise
// stay an unpainted band until the pause ends.
void ProgressWindow::beforeBlockingPause() {
    if (isVisible()) paintNow();
}

void ProgressWindow::cancelClicked() {
    if (kind_ == OperationKind::Writes) {
        if (prompts_.ask(question(kWriteCancelWarning, Buttons::YesNo)) == Answer::Yes)
            cancelled_ = true;
        return;
    }
    cancelled_ = true;
}

void ProgressWindow::reject() {
    if (cancelButton_->isEnabled()) cancelClicked();
}

// Disabling the main window itself would also disable this window, which it owns; its
// contents are disabled instead.
void ProgressWindow::setMainEnabled(bool enabled) {
    if (main_ == nullptr) return;
    for (QWidget* child : main_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow()) child->setEnabled(enabled);
    }
}

bool ProgressWindow::mainWindowEnabled() const {
    if (main_ == nullptr) return true;
    const auto children = main_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    return std::ranges::all_of(children,
                               [](const QWidget* c) { return c->isWindow() || c->isEnabled(); });
}

}  // namespace zav
