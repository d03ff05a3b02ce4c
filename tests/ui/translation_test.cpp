// The editor speaks the user's language: the locale picks the catalog (English and C keep
// the windows' own texts), the built catalog carries every translation of its source file,
// and under German every window shows each fixed text translated, and nothing clipped.

#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>
#include <QXmlStreamReader>
#include <utility>

#include "iface/shown_text.h"
#include "qt/qt_prompts.h"
#include "support/editor.h"
#include "support/layout_check.h"
#include "support/translation_check.h"
#include "ui/ui_language.h"

namespace zav::test {
namespace {

struct CatalogEntry {
    QString context, source, translation;
    QStringList forms;  // a plural message's translations, singular first
};

// The messages of a .ts file; a carriage return is stored as <byte value="xd"/>.
std::vector<CatalogEntry> readCatalog(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<CatalogEntry> entries;
    QString context, text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) text += xml.text();
        if (xml.isStartElement()) {
            if (xml.name() == u"byte")
                text += QChar(xml.attributes().value("value").mid(1).toUInt(nullptr, 16));
            else
                text.clear();
            if (xml.name() == u"message") entries.push_back({context, {}, {}, {}});
        }
        if (!xml.isEndElement()) continue;
        if (xml.name() == u"name") context = text;
        if (xml.name() == u"source") entries.back().source = text;
        if (xml.name() == u"translation") entries.back().translation = text;
        if (xml.name() == u"numerusform") entries.back().forms << text;
    }
    return entries;
}

void removeInstalledTranslators() {
    for (QTranslator* t : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(t);
        std::unique_ptr<QTranslator>{t};
    }
}

TEST(Translations, TheLocaleChoosesTheCatalogAndTheBuiltCatalogCarriesEveryTranslation) {
    const std::pair<const char*, const char*> locales[] = {
        {"C", ""}, {"en_US", ""}, {"en_GB", ""}, {"de_DE", "de"}, {"de_AT", "de"}, {"fr_FR", ""}};
    for (const auto& [name, language] : locales)
        EXPECT_EQ(chooseCatalog(QLocale(QString::fromLatin1(name))).toStdString(), language)
            << name;
    const auto entries = readCatalog(QStringLiteral(ZAV_SOURCE_DIR "/translations/zavprog_de.ts"));
    ASSERT_GT(entries.size(), 100u);
    ASSERT_EQ(installTranslations(*qApp, QLocale(QStringLiteral("de_DE"))), "de");
    for (const auto& [context, source, translation, forms] : entries) {
        const QByteArray c = context.toUtf8();
        const QByteArray s = source.toUtf8();
        if (forms.isEmpty()) EXPECT_EQ(QCoreApplication::translate(c, s), translation) << s.data();
        // German, like English, takes the first form for one and the second for more.
        for (int n = 1; n <= forms.size(); ++n)
            EXPECT_EQ(QCoreApplication::translate(c, s, nullptr, n),
                      QString(forms[n - 1]).replace(QStringLiteral("%n"), QString::number(n)))
                << s.data() << " " << n;
    }
    removeInstalledTranslators();
}

// Each window the commands open, and the main window with its menus.
TEST(Translations, EveryWindowShowsEachFixedTextFromTheCatalogAndNoneClipped) {
    MarkingTranslator german(QStringLiteral(":/i18n/zavprog_de.qm"));
    ASSERT_TRUE(german.loaded());
    QCoreApplication::installTranslator(&german);
    {
        Editor e;
        e.window->show();
        QApplication::processEvents();
        std::vector<std::string> found = untranslatedTexts(*e.window);
        std::vector<std::string> clipped = layoutFaults(*e.window);
        for (QAction* MainMenus::*command :
             {&MainMenus::globalsAction, &MainMenus::syncalAction, &MainMenus::helpAction,
              &MainMenus::moveAction, &MainMenus::aboutAction, &MainMenus::portDeviceAction,
              &MainMenus::writeFleetAction, &MainMenus::historyAction}) {
            QTimer::singleShot(0, [&] {
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (!w->isVisible() || w == e.window.get()) continue;
                    for (std::string& text : untranslatedTexts(*w)) found.push_back(text);
                    for (std::string& fault : layoutFaults(*w)) clipped.push_back(fault);
                    w->close();
                }
            });
            e.trigger(command);
            QApplication::processEvents();
        }
        for (const Message& m : e.prompts.messages)
            if (!shownMessage(m.text).contains(kTranslatedMark)) found.push_back(m.text);
        EXPECT_EQ(found, std::vector<std::string>{});
        EXPECT_EQ(clipped, std::vector<std::string>{});
    }
    QCoreApplication::removeTranslator(&german);
}

}  // namespace
}  // namespace zav::test
