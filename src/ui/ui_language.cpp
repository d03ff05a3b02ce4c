#include "ui/ui_language.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace zav {

namespace {

// Where qt_add_translations puts the built catalogs in the editor's resources.
QString catalogPath(const QString& language) {
    return QStringLiteral(":/i18n/zavprog_%1.qm").arg(language);
}

// A translator that loaded `file` joins the application, which then owns it.
bool install(QCoreApplication& app, const QString& file, const QString& folder = {}) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, folder)) return false;
    QCoreApplication::installTranslator(translator.get());
    translator.release()->setParent(&app);
    return true;
}

}  // namespace

QString chooseCatalog(const QLocale& locale) {
    for (const QString& name : locale.uiLanguages()) {
        const QString language = name.section(QLatin1Char('-'), 0, 0).toLower();
        if (language == QLatin1String("c") || language == QLatin1String("en")) return {};
        if (QFile::exists(catalogPath(language))) return language;
    }
    return {};
}

QString installTranslations(QCoreApplication& app, const QLocale& locale) {
    const QString language = chooseCatalog(locale);
    if (language.isEmpty() || !install(app, catalogPath(language))) return {};
    install(app, QStringLiteral("qtbase_") + language,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return language;
}

}  // namespace zav
