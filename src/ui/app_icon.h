#pragma once
// The program's icon, a handheld radio with its display: the PNGs rendered once from
// its SVG, as the desktop has them.

#include <QIcon>
#include <QPixmap>

namespace zav {

QIcon appIcon();
// The icon at size x size pixels.
QPixmap appPixmap(int size);

}  // namespace zav
