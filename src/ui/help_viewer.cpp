#include "ui/help_viewer.h"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

// The pages are compiled into this library; a static library must ask for them by name,
// or the linker leaves them out. (Outside every namespace: the macro declares the
// resource's function where it stands.)
static void loadHelpResources() {
    Q_INIT_RESOURCE(zavhelp);
}

namespace zav {

namespace {

const QString kObjectName = QStringLiteral("frmHelp");
const QString kTitle = QStringLiteral("ZAVPROG Help");

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(HelpWindow::tr(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// Right of the owner when the screen has room there, else over its right part.
void placeBeside(QWidget& help, const QWidget& owner) {
    const QRect frame = owner.frameGeometry();
    const QScreen* screen =
        owner.screen() != nullptr ? owner.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : frame;
    const int left =
        std::max(area.left(), std::min(frame.right() + 1, area.right() + 1 - help.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - help.height()));
    help.move(left, top);
}

}  // namespace

QUrl helpContentsUrl() {
    return QUrl(QStringLiteral("qrc") + QString::fromLatin1(kHelpResourceFolder) +
                QStringLiteral("/index.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    loadHelpResources();
    setObjectName(kObjectName);
    setWindowTitle(tr("ZAVPROG Help"));

    backButton_ = button("cmdBack", QT_TR_NOOP("< &Back"), this);
    forwardButton_ = button("cmdForward", QT_TR_NOOP("&Forward >"), this);
    contentsButton_ = button("cmdContents", QT_TR_NOOP("&Contents"), this);
    auto* closeButton = button("cmdClose", QT_TR_NOOP("C&lose"), this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setOpenExternalLinks(true);  // a web address opens in the system's browser

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backButton_);
    buttons->addWidget(forwardButton_);
    buttons->addWidget(contentsButton_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(640, 560);

    backButton_->setEnabled(false);
    forwardButton_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QPushButton::setEnabled);
    connect(backButton_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardButton_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contentsButton_, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::pageChanged);

    // The pages link help.css for outside browsers; the viewer applies it to every page.
    QFile css(QString::fromLatin1(kHelpResourceFolder) + QStringLiteral("/help.css"));
    if (css.open(QIODevice::ReadOnly))
        browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    browser_->setSource(helpContentsUrl());
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::showContents() {
    // The contents page joins the history, so Back returns to the page left.
    if (browser_->source() != helpContentsUrl()) browser_->setSource(helpContentsUrl());
    browser_->verticalScrollBar()->setValue(0);
}

void HelpWindow::pageChanged() {
    const QString page = browser_->documentTitle();
    // The pages are English: their own title is the window's English one.
    const QString title = tr("ZAVPROG Help");
    setWindowTitle(page.isEmpty() || page == kTitle ? title : title + QStringLiteral(" - ") + page);
}

HelpWindow* showHelp(QWidget* parent) {
    HelpWindow* help = nullptr;
    if (parent != nullptr)
        help = parent->findChild<HelpWindow*>(kObjectName, Qt::FindDirectChildrenOnly);
    if (help == nullptr) {
        help = new HelpWindow(parent);
        if (parent == nullptr) help->setAttribute(Qt::WA_DeleteOnClose);
        if (parent != nullptr) placeBeside(*help, *parent);
    } else {
        help->showContents();
    }
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

}  // namespace zav
