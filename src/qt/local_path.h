#pragma once
// File names between Qt's texts and the system's bytes. A name that is not UTF-8 (a
// Latin-1 "caf\xe9.frq") has no QString of its own: Qt shows it with U+FFFD, and encoding
// that text back names another file. The file used must be the one the user picked.

#include <QString>
#include <QUrl>
#include <string>

namespace zav {

// The file a path Qt hands back names (a file dialog's choice), as the system's bytes: a
// part of it that Qt could not show exactly is found again among its folder's entries
// (when exactly one of them is shown so).
std::string localPath(const QString& shown);

// The local file a URL (a dropped file) names, as the bytes it carries.
std::string localPath(const QUrl& url);

// A path as Qt shows it.
QString shownPath(const std::string& path);

}  // namespace zav
