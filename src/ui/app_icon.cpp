#include "ui/app_icon.h"

#include <QString>
#include <array>

// Compiled into this static library; asked for by name so the linker keeps it (outside
// every namespace: the macro declares the resource's function where it stands).
static void loadIconResources() {
    Q_INIT_RESOURCE(app_icon);
}

namespace zav {

namespace {
// The sizes rendered from the icon's SVG (data/icons), as the desktop installs them.
constexpr std::array kIconSizes{16, 24, 32, 48, 64, 128, 256};
}  // namespace

QIcon appIcon() {
    loadIconResources();
    QIcon icon;
    for (const int size : kIconSizes) icon.addFile(QStringLiteral(":/icon/%1.png").arg(size));
    return icon;
}

QPixmap appPixmap(int size) {
    return appIcon().pixmap(size, size);
}

}  // namespace zav
