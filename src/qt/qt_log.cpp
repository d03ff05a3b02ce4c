#include "qt/qt_log.h"

#include <QLoggingCategory>
#include <QString>

namespace zav {

namespace {
// Info lines stay quiet unless asked for: a user's terminal gets no chatter.
Q_LOGGING_CATEGORY(linkCategory, "zav.link", QtWarningMsg)
Q_LOGGING_CATEGORY(opsCategory, "zav.ops", QtWarningMsg)
Q_LOGGING_CATEGORY(filesCategory, "zav.files", QtWarningMsg)
Q_LOGGING_CATEGORY(settingsCategory, "zav.settings", QtWarningMsg)

const QLoggingCategory& category(LogArea area) {
    switch (area) {
        case LogArea::Link:
            return linkCategory();
        case LogArea::Operations:
            return opsCategory();
        case LogArea::Files:
            return filesCategory();
        case LogArea::Settings:
            break;
    }
    return settingsCategory();
}
}  // namespace

void QtLog::write(LogArea area, std::string_view text) {
    memory_.write(area, text);
    qCInfo(category(area)).noquote()
        << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void enableVerboseLog() {
    QLoggingCategory::setFilterRules(QStringLiteral("zav.*.info=true"));
    // Each line says which part of the program wrote it.
    qSetMessagePattern(QStringLiteral("%{category}: %{message}"));
}

}  // namespace zav
