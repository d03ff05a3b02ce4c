#pragma once
// The layout rule every window keeps: each visible control lies inside its parent,
// overlaps none of its visible siblings, and a caption has the room its text needs.

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
            const QSize least = kids[i]->minimumSizeHint();
            const bool captioned = kids[i]->inherits("QLabel") ||
                                   kids[i]->inherits("QAbstractButton") ||
                                   kids[i]->inherits("QGroupBox");
            if (captioned &&
                (kids[i]->width() < least.width() || kids[i]->height() < least.height()))
                faults.push_back(name(kids[i]) + " is clipped");
            for (qsizetype j = i + 1; j < kids.size(); ++j)
                if (kids[i]->geometry().intersects(kids[j]->geometry()))
                    faults.push_back(name(kids[i]) + " overlaps " + name(kids[j]));
        }
    }
    return faults;
}

}  // namespace zav::test
