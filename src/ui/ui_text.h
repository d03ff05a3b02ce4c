#pragma once
// Fixed texts that the windows' free functions show. lupdate files a text marked in a free
// function of namespace zav under the context "zav" (QT_TR_NOOP, and uiText through
// scripts/update-translations' alias), so uiText translates it there. Members of QObject
// classes use tr(); classes without QObject declare theirs with Q_DECLARE_TR_FUNCTIONS.

#include <QCoreApplication>
#include <QString>

namespace zav {

inline QString uiText(const char* text) {
    return QCoreApplication::translate("zav", text);
}

}  // namespace zav
