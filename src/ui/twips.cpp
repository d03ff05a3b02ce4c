#include "ui/twips.h"

#include <QWidget>

namespace zav {

double logicalDpi(const QWidget* widget) {
    if (widget == nullptr) return 96.0;
    const int dpi = widget->logicalDpiY();
    return dpi > 0 ? static_cast<double>(dpi) : 96.0;
}

}  // namespace zav
