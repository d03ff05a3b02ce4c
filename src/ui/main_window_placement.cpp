// The main window's place on the screen, kept in the settings store in twips.

#include <QGuiApplication>
#include <QScreen>

#include "files/settings.h"
#include "ui/main_window.h"
#include "ui/screen_fit.h"
#include "ui/twips.h"

namespace zav {

namespace {
QRect screenArea(const QWidget* w) {
    const QScreen* screen = w->screen() != nullptr ? w->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}
}  // namespace

void MainWindow::restorePlacement() {
    const double dpi = logicalDpi(this);
    const Extent window{pixelsToTwips(width(), dpi), pixelsToTwips(height(), dpi)};
    const QRect area = screenArea(this);
    const Extent screen{pixelsToTwips(area.width(), dpi), pixelsToTwips(area.height(), dpi)};
    const WindowGeometry g = readGroupWindowGeometry(settings_, screen, window);
    // A size the window cannot have (none, negative, under its minimum: a setting edited
    // by hand) leaves the window at its design size, rather than clipping its content.
    const auto extent = [dpi](double stored, int minimum, int design) {
        const int px = twipsToPixels(stored, dpi);
        return px >= minimum ? px : design;
    };
    const QSize size(extent(g.width, minimumWidth(), width()),
                     extent(g.height, minimumHeight(), height()));
    const QRect placed = fitToScreens(
        QRect(QPoint(twipsToPixels(g.left, dpi), twipsToPixels(g.top, dpi)), size), area);
    resize(placed.size());
    move(placed.topLeft());
}

void MainWindow::storePlacement() {
    const double dpi = logicalDpi(this);
    WindowState state = WindowState::Normal;
    if (isMinimized()) {
        state = WindowState::Minimised;
    } else if (isMaximized()) {
        state = WindowState::Maximised;
    }
    const WindowGeometry g{pixelsToTwips(pos().y(), dpi), pixelsToTwips(pos().x(), dpi),
                           pixelsToTwips(width(), dpi), pixelsToTwips(height(), dpi)};
    writeGroupWindowPlacement(settings_, state, g);
}

}  // namespace zav
