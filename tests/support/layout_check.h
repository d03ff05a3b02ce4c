#pragma once
// The layout rule every window keeps: each visible control lies inside its parent and
// overlaps none of its visible siblings.

#include <QWidget>
#include <string>
#include <vector>

namespace zav::test {

// One line per broken rule, naming the controls; empty when the layout is sound.
inline std::vector<std::string> layoutFaults(const QWidget& top) {
    std::vector<std::string> faults;
    QList<QWidget*> parents = top.findChildren<QWidget*>();
    parents.prepend(const_cast<QWidget*>(&top));
    for (const QWidget* parent : parents) {
        QList<QWidget*> kids;
        for (QWidget* k : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (k->isVisible() && !k->isWindow()) kids.push_back(k);
        for (qsizetype i = 0; i < kids.size(); ++i) {
            if (!parent->rect().contains(kids[i]->geometry()))
                faults.push_back(kids[i]->objectName().toStdString() + " leaves " +
                                 parent->objectName().toStdString());
            for (qsizetype j = i + 1; j < kids.size(); ++j)
                if (kids[i]->geometry().intersects(kids[j]->geometry()))
                    faults.push_back(kids[i]->objectName().toStdString() + " overlaps " +
                                     kids[j]->objectName().toStdString());
        }
    }
    return faults;
}

}  // namespace zav::test
