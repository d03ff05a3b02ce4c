// The help window: back, forward and contents move through the pages read, the Help
// command reopens the same window at the contents, and every built-in page is linked.

#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>

#include "ui/help_viewer.h"

namespace zav {
namespace {

// The help pages a built-in page links to.
QStringList links(const QString& page) {
    QFile f(QString::fromLatin1(kHelpResourceFolder) + QLatin1Char('/') + page);
    const QString html = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    static const QRegularExpression href(QStringLiteral(R"re(href="([^"#:]+\.html))re"));
    QStringList out;
    for (auto it = href.globalMatch(html); it.hasNext();) out << it.next().captured(1);
    return out;
}

TEST(HelpViewer, GoesBackAndForwardAndReopensAtTheContents) {
    QWidget main;
    HelpWindow* help = showHelp(&main);
    QTextBrowser* browser = help->browser();
    EXPECT_EQ(browser->source(), helpContentsUrl());
    EXPECT_FALSE(help->backButton()->isEnabled());
    const QUrl topic =
        helpContentsUrl().resolved(QUrl(links(QStringLiteral("index.html")).value(0)));
    browser->setSource(topic);
    help->backButton()->click();
    EXPECT_EQ(browser->source(), helpContentsUrl());
    help->forwardButton()->click();
    EXPECT_EQ(browser->source(), topic);
    help->contentsButton()->click();
    help->backButton()->click();
    EXPECT_EQ(browser->source(), topic);
    help->close();
    EXPECT_EQ(showHelp(&main), help);
    EXPECT_EQ(browser->source(), helpContentsUrl());
}

// Every linked page is built in and leads back to the contents; none is out of reach.
TEST(HelpPages, EveryLinkedPageExistsAndEveryPageIsReachable) {
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList queue = links(QStringLiteral("index.html"));
    EXPECT_GE(queue.size(), 10);
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        if (reached.contains(page)) continue;
        reached.insert(page);
        EXPECT_TRUE(links(page).contains(QStringLiteral("index.html"))) << page.toStdString();
        queue << links(page);
    }
    const QDir folder(QString::fromLatin1(kHelpResourceFolder));
    for (const QString& page : folder.entryList({QStringLiteral("*.html")}))
        EXPECT_TRUE(reached.contains(page)) << page.toStdString();
}

}  // namespace
}  // namespace zav
