// The help pages: every page the contents lead to is built in and leads back, and every
// built-in page can be reached.

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QSet>

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
