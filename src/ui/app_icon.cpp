#include "ui/app_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace zav {

QPixmap appPixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double u = size / 32.0;
    // Antenna, body, display and keypad.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(20 * u, 1 * u, 3 * u, 9 * u), u, u);
    p.setBrush(QColor(30, 60, 110));
    p.drawRoundedRect(QRectF(8 * u, 8 * u, 16 * u, 23 * u), 3 * u, 3 * u);
    p.setBrush(QColor(150, 220, 140));
    p.drawRect(QRectF(10.5 * u, 11 * u, 11 * u, 6 * u));
    p.setBrush(QColor(220, 220, 220));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF((11 + 3.8 * col) * u, (19.5 + 3.5 * row) * u, 2.4 * u, 2.4 * u));
    return pm;
}

QIcon appIcon() {
    QIcon icon;
    for (int s : {16, 32, 48, 64}) icon.addPixmap(appPixmap(s));
    return icon;
}

}  // namespace zav
