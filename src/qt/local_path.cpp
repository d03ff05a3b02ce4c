#include "qt/local_path.h"

#include <QFile>
#include <QStringList>
#include <filesystem>
#include <vector>

namespace zav {

namespace {

namespace fs = std::filesystem;

// The entry of `folder` shown as `part`, as its bytes.
std::string onDisk(const std::string& folder, const QString& part) {
    std::string encoded = QFile::encodeName(part).toStdString();
    if (!part.contains(QChar::ReplacementCharacter)) return encoded;
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(dir / encoded, ec))) return encoded;
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (shownPath(name) == part) matches.push_back(std::move(name));
    }
    return matches.size() == 1 ? matches.front() : encoded;
}

}  // namespace

std::string localPath(const QString& shown) {
    std::string path;
    const QStringList parts = shown.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) path += '/';
        path += onDisk(path, parts[i]);
    }
    return path;
}

std::string localPath(const QUrl& url) {
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

QString shownPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace zav
