#include "ui/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace zav {

namespace {

long long overlapArea(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height();
}

int clampStart(int start, int length, int areaStart, int areaLength) {
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

}  // namespace

QRect fitToScreens(const QRect& wanted, const QList<QRect>& screenAreas, const QRect& fallback) {
    QRect area = fallback;
    long long best = 0;
    for (const QRect& candidate : screenAreas) {
        if (const long long overlap = overlapArea(wanted, candidate); overlap > best) {
            best = overlap;
            area = candidate;
        }
    }
    const int width = std::min(wanted.width(), area.width());
    const int height = std::min(wanted.height(), area.height());
    return {clampStart(wanted.x(), width, area.x(), area.width()),
            clampStart(wanted.y(), height, area.y(), area.height()), width, height};
}

QRect fitToScreens(const QRect& wanted, const QRect& fallback) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return fitToScreens(wanted, areas, fallback);
}

}  // namespace zav
