#pragma once
// The layout rule every window keeps: each visible control lies inside its parent and
// overlaps none of its visible siblings.

#include <QWidget>
#include <string>
#include <vector>

namespace zav::test {

// One line per broken rule, naming the controls; empty when the layout is sound.
inline std::vector<std::string> layoutFaults(QWidget& top) {
    std::vector<std::string> faults;
    const auto name = [](const QWidget* w) { return w->objectName().toStdString(); };
    QList<QWidget*> parents = top.findChildren<QWidget*>();
    parents.prepend(&top);
    for (const QWidget* parent : parents) {
        QList<QWidget*> kids = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        kids.removeIf([](const QWidget* k) { return !k->isVisible() || k->isWindow(); });
        for (qsizetype i = 0; i < kids.size(); ++i) {
            if (!parent->rect().contains(kids[i]->geometry()))
                faults.push_back(name(kids[i]) + " leaves " + name(parent));
            for (qsizetype j = i + 1; j < kids.size(); ++j)
                if (kids[i]->geometry().intersects(kids[j]->geometry()))
                    faults.push_back(name(kids[i]) + " overlaps " + name(kids[j]));
        }
    }
    return faults;
}

}  // namespace zav::test

namespace zav::test {

// Captions, buttons, boxes and frames given less room than their text needs.
inline std::vector<std::string> clippedControls(QWidget& top) {
    std::vector<std::string> faults;
    for (const QWidget* w : top.findChildren<QWidget*>()) {
        const bool shows = w->inherits("QLabel") || w->inherits("QAbstractButton") ||
                           w->inherits("QComboBox") || w->inherits("QGroupBox");
        const QSize least = w->minimumSizeHint();
        if (shows && w->isVisible() && (w->width() < least.width() || w->height() < least.height()))
            faults.push_back(w->objectName().toStdString() + " is clipped");
    }
    return faults;
}

}  // namespace zav::test
