#pragma once
// The language of the windows: the catalog that the user's locale asks for (LANGUAGE, then
// LC_ALL, LC_MESSAGES, LANG), installed at start-up. English and the C locale keep the
// windows' own texts; so does a language without a catalog.

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace zav {

// The language of the editor's catalog to load for `locale` ("de"), or empty for the
// windows' own English texts: the first of the locale's languages that is English, C or has
// a catalog decides.
QString chooseCatalog(const QLocale& locale);

// Installs the chosen catalog and Qt's own (standard buttons and dialogs) where the system
// has it; returns the language installed, or empty. The translators belong to `app`.
QString installTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

}  // namespace zav
