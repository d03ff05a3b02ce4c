#include "qt/qt_settings_store.h"

#include <QSettings>

#include "files/settings.h"

namespace zav {

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString keyPath(const std::string& section, const std::string& key) {
    return qs(section) + QLatin1Char('/') + qs(key);
}
}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            qs(settings::kApplication),
                                            qs(settings::kApplication))) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::read(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
    const QVariant value = settings_->value(keyPath(section, key));
    if (!value.isValid()) return fallback;
    // A hand-edited INI value with unquoted commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::write(const std::string& section, const std::string& key,
                            const std::string& value) {
    // QSettings stores its changes once the current event has been handled, and when it
    // goes: soon enough that a crash later on does not lose the last file's name, and once
    // for a run of writes (each store rewrites and flushes the whole file; closing the
    // window writes five values).
    // A text that is not UTF-8 (a Latin-1 file name) is kept as its bytes: as a QString it
    // would come back naming another file.
    const QByteArray bytes = QByteArray::fromStdString(value);
    const QString text = qs(value);
    if (text.toUtf8() == bytes)
        settings_->setValue(keyPath(section, key), text);
    else
        settings_->setValue(keyPath(section, key), bytes);
}

}  // namespace zav
