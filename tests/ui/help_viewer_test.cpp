// The help window: opens at its contents page, follows links, goes back and forward, and
// every page it can reach is built into the program.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <memory>

#include "ui/help_viewer.h"

namespace zav::test {
namespace {

QString pagePath(const QString& name) {
    return QString::fromLatin1(kHelpResourceFolder) + QLatin1Char('/') + name;
}

QUrl pageUrl(const QString& name) {
    return QUrl(QStringLiteral("qrc") + pagePath(name));
}

QString pageText(const QString& name) {
    QFile f(pagePath(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

// The pages a page links to, in order (links inside the help only).
QStringList links(const QString& html) {
    QStringList out;
    static const QRegularExpression href(QStringLiteral(R"re(href="([^"#:]+\.html)(#[^"]*)?")re"));
    for (auto it = href.globalMatch(html); it.hasNext();) out << it.next().captured(1);
    return out;
}

void press(QWidget* w, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

TEST(HelpViewer, OpensAtTheContentsPage) {
    QWidget main;
    HelpWindow* help = showHelp(&main);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->browser()->source(), helpContentsUrl());
    EXPECT_EQ(helpContentsUrl(), pageUrl(QStringLiteral("index.html")));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("ZAVPROG Help"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Contents")));
    EXPECT_FALSE(help->backButton()->isEnabled());
    EXPECT_FALSE(help->forwardButton()->isEnabled());
}

TEST(HelpViewer, FollowsATopicLinkAndGoesBackForwardAndToTheContents) {
    QWidget main;
    HelpWindow* help = showHelp(&main);
    QTextBrowser* browser = help->browser();
    // The keyboard way of following a link: Tab selects the first link, Enter follows it.
    press(browser, Qt::Key_Tab);
    press(browser, Qt::Key_Return);
    const QUrl first = pageUrl(links(pageText(QStringLiteral("index.html"))).value(0));
    ASSERT_EQ(browser->source(), first);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("ZAVPROG Help - Connecting a radio"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Serial Port Device")));
    EXPECT_TRUE(help->backButton()->isEnabled());

    help->backButton()->click();
    EXPECT_EQ(browser->source(), helpContentsUrl());
    EXPECT_TRUE(help->forwardButton()->isEnabled());
    help->forwardButton()->click();
    EXPECT_EQ(browser->source(), first);

    help->contentsButton()->click();
    EXPECT_EQ(browser->source(), helpContentsUrl());
    help->backButton()->click();
    EXPECT_EQ(browser->source(), first) << "Back returns to the page left for the contents";
}

TEST(HelpViewer, TheHelpCommandAgainReusesTheWindowAtTheContents) {
    QWidget main;
    HelpWindow* help = showHelp(&main);
    help->browser()->setSource(pageUrl(QStringLiteral("syncal.html")));
    help->close();
    HelpWindow* again = showHelp(&main);
    EXPECT_EQ(again, help);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(again->browser()->source(), helpContentsUrl());
    EXPECT_EQ(main.findChildren<HelpWindow*>().size(), 1);
}

TEST(HelpViewer, WithoutAParentTheWindowGoesAwayWhenClosed) {
    QPointer<HelpWindow> help = showHelp(nullptr);
    ASSERT_FALSE(help.isNull());
    EXPECT_EQ(help->browser()->source(), helpContentsUrl());
    help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(help.isNull());
}

// Every page linked from the contents, and every page linked from those, is built in,
// has a title and leads back to the contents; no built-in page is out of reach.
TEST(HelpPages, EveryLinkedPageExistsAndEveryPageIsReachable) {
    const QStringList topics = links(pageText(QStringLiteral("index.html")));
    ASSERT_GE(topics.size(), 10);
    for (const char* needed :
         {"connecting.html", "reading.html", "channels.html", "writing.html", "labels.html",
          "globals.html", "moves.html", "printing.html", "syncal.html"})
        EXPECT_TRUE(topics.contains(QString::fromLatin1(needed))) << needed;

    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList queue = topics;
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        if (reached.contains(page)) continue;
        reached.insert(page);
        const QString html = pageText(page);
        ASSERT_FALSE(html.isEmpty()) << page.toStdString() << " is not built in";
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
        EXPECT_TRUE(links(html).contains(QStringLiteral("index.html"))) << page.toStdString();
        queue << links(html);
    }
    QDir folder(QString::fromLatin1(kHelpResourceFolder));
    for (const QString& page : folder.entryList({QStringLiteral("*.html")}))
        EXPECT_TRUE(reached.contains(page)) << page.toStdString() << " cannot be reached";
}

// The help speaks the program's language: the menu captions and messages it names.
TEST(HelpPages, NameTheCommandsAsTheMenusDo) {
    struct Case {
        const char* page;
        const char* text;
    };
    const Case cases[] = {
        {"connecting.html", "Use Comm Port 1"},
        {"connecting.html", "Serial Port Device..."},
        {"connecting.html", "zavprog --demo"},
        {"reading.html", "Read Global Information from Radio"},
        {"reading.html", "All groups read OK."},
        {"channels.html", "Copy a row"},
        {"writing.html", "Write Current Group to Radio"},
        {"writing.html", "Write masks"},
        {"labels.html", "Prompt to Read/Write Labels"},
        {"globals.html", "Write DTMF Deviation"},
        {"moves.html", "Move Banks"},
        {"printing.html", "Print Setup"},
        {"syncal.html", "RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL"},
        {"syncal.html", "Start Syncal"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(pageText(QString::fromLatin1(c.page)).contains(QString::fromLatin1(c.text)))
            << c.page << ": " << c.text;
}

}  // namespace
}  // namespace zav::test
