#include "ui/help_viewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

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
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

QUrl helpContentsUrl() {
    return QUrl(QStringLiteral("qrc") + QString::fromLatin1(kHelpResourceFolder) +
                QStringLiteral("/index.html"));
}

frmHelp::frmHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    loadHelpResources();
    setObjectName(kObjectName);
    setWindowTitle(kTitle);

    cmdBack_ = button("cmdBack", "< &Back", this);
    cmdForward_ = button("cmdForward", "&Forward >", this);
    cmdContents_ = button("cmdContents", "&Contents", this);
    auto* cmdClose = button("cmdClose", "C&lose", this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setOpenExternalLinks(true);  // a web address opens in the system's browser

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack_);
    buttons->addWidget(cmdForward_);
    buttons->addWidget(cmdContents_);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(640, 560);

    cmdBack_->setEnabled(false);
    cmdForward_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, cmdBack_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, cmdForward_, &QPushButton::setEnabled);
    connect(cmdBack_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(cmdForward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(cmdContents_, &QPushButton::clicked, this, &frmHelp::showContents);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::sourceChanged, this, &frmHelp::pageChanged);

    // The pages link help.css for outside browsers; the viewer applies it to every page.
    QFile css(QString::fromLatin1(kHelpResourceFolder) + QStringLiteral("/help.css"));
    if (css.open(QIODevice::ReadOnly))
        browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    browser_->setSource(helpContentsUrl());
}

void frmHelp::showContents() {
    // The contents page joins the history, so Back returns to the page left.
    if (browser_->source() != helpContentsUrl()) browser_->setSource(helpContentsUrl());
    browser_->verticalScrollBar()->setValue(0);
}

void frmHelp::pageChanged() {
    const QString page = browser_->documentTitle();
    setWindowTitle(page.isEmpty() || page == kTitle ? kTitle
                                                    : kTitle + QStringLiteral(" - ") + page);
}

frmHelp* showHelp(QWidget* parent) {
    frmHelp* help = nullptr;
    if (parent != nullptr)
        help = parent->findChild<frmHelp*>(kObjectName, Qt::FindDirectChildrenOnly);
    if (help == nullptr) {
        help = new frmHelp(parent);
        if (parent == nullptr) help->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        help->showContents();
    }
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

}  // namespace zav
