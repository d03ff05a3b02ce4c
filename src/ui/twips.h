#pragma once
// Window positions and sizes are kept in twips (1/1440 inch), converted with the
// screen's logical resolution.

class QWidget;

namespace zav {

inline constexpr double kTwipsPerInch = 1440.0;

// Logical dots per inch of the screen the widget is on (96 when there is none).
double logicalDpi(const QWidget* widget);

inline double pixelsToTwips(double pixels, double dpi) {
    return pixels * kTwipsPerInch / dpi;
}
// The largest window extent the window system takes (Qt's QWIDGETSIZE_MAX).
inline constexpr double kMaxPixels = 16777215.0;

// A hand-edited setting may hold any number: the result stays within what a window can be.
inline int twipsToPixels(double twips, double dpi) {
    double px = twips * dpi / kTwipsPerInch;
    if (!(px > -kMaxPixels)) px = -kMaxPixels;  // also catches NaN
    if (px > kMaxPixels) px = kMaxPixels;
    return static_cast<int>(px < 0 ? px - 0.5 : px + 0.5);
}

}  // namespace zav
