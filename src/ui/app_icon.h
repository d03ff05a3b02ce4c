#pragma once
// The program's icon, drawn at run time: a handheld radio with its display.

#include <QIcon>
#include <QPixmap>

namespace zav {

QPixmap appPixmap(int size);
QIcon appIcon();

}  // namespace zav
