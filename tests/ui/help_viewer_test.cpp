// The help window: it opens at its contents, follows links and goes back and forward, and
// every page it can reach is built into the program.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>

#include "ui/help_viewer.h"

namespace zav {
namespace {

QString pageText(const QString& name) {
    QFile f(QString::fromLatin1(kHelpResourceFolder) + QLatin1Char('/') + name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The help pages a page links to, in order.
QStringList links(const QString& html) {
    static const QRegularExpression href(QStringLiteral(R"re(href="([^"#:]+\.html)(#[^"]*)?")re"));
    QStringList out;
    for (auto it = href.globalMatch(html); it.hasNext();) out << it.next().captured(1);
    return out;
}

TEST(HelpViewer, FollowsLinksGoesBackAndForwardAndReopensAtTheContents) {
    QWidget main;
    HelpWindow* help = showHelp(&main);
    QTextBrowser* browser = help->browser();
    EXPECT_EQ(browser->source(), helpContentsUrl());
    EXPECT_FALSE(help->backButton()->isEnabled());
    for (const int key : {Qt::Key_Tab, Qt::Key_Return}) {  // the keyboard way to follow a link
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(browser, &press);
    }
    const QUrl first =
        helpContentsUrl().resolved(QUrl(links(pageText(QStringLiteral("index.html"))).value(0)));
    EXPECT_EQ(browser->source(), first);
    help->backButton()->click();
    EXPECT_EQ(browser->source(), helpContentsUrl());
    help->forwardButton()->click();
    EXPECT_EQ(browser->source(), first);
    help->contentsButton()->click();
    help->backButton()->click();
    EXPECT_EQ(browser->source(), first);
    help->close();
    EXPECT_EQ(showHelp(&main), help);
    EXPECT_EQ(browser->source(), helpContentsUrl());
}

// Every linked page is built in and leads back to the contents; none is out of reach.
TEST(HelpPages, EveryLinkedPageExistsAndEveryPageIsReachable) {
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList queue = links(pageText(QStringLiteral("index.html")));
    EXPECT_GE(queue.size(), 10);
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        if (reached.contains(page)) continue;
        reached.insert(page);
        const QString html = pageText(page);
        EXPECT_TRUE(links(html).contains(QStringLiteral("index.html"))) << page.toStdString();
        queue << links(html);
    }
    for (const QString& page :
         QDir(QString::fromLatin1(kHelpResourceFolder)).entryList({QStringLiteral("*.html")}))
        EXPECT_TRUE(reached.contains(page)) << page.toStdString();
}

}  // namespace
}  // namespace zav
