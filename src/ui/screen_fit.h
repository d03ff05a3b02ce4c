#pragma once
// Keeps a window restored from the settings on a screen that exists: stored places from
// another monitor layout, or edited by hand, must not put it out of reach.

#include <QList>
#include <QRect>

namespace zav {

// The window's rectangle moved (and, if larger, shrunk) to lie wholly inside the
// available area of the screen it overlaps most, or of `fallback` when it overlaps none.
QRect fitToScreens(const QRect& wanted, const QList<QRect>& screenAreas, const QRect& fallback);

// fitToScreens over the application's screens; fallback is the area of the window's own screen.
QRect fitToScreens(const QRect& wanted, const QRect& fallback);

}  // namespace zav
