#include "ui/main_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zav {

namespace {

QMenu* menu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* m = bar->addMenu(QString::fromLatin1(caption));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* item(QMenu* m, const char* name, const char* caption, const QKeySequence& keys = {}) {
    QAction* a = m->addAction(QString::fromLatin1(caption));
    a->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) a->setShortcut(keys);
    return a;
}

QAction* separator(QMenu* m, const char* name) {
    QAction* a = m->addSeparator();
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

MainMenus buildMainMenus(QMenuBar* bar) {
    MainMenus m;
    m.mnuFile = menu(bar, "mnuFile", "File");
    m.mnuSave = item(m.mnuFile, "mnuSave", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    m.mnuSaveAs = item(m.mnuFile, "mnuSaveAs", "Sa&ve As");
    m.mnuSep1 = separator(m.mnuFile, "mnuSep1");
    m.mnuOpen = item(m.mnuFile, "mnuOpen", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    m.mnuSep4 = separator(m.mnuFile, "mnuSep4");
    m.mnuSep2 = separator(m.mnuFile, "mnuSep2");
    m.mnuExit = item(m.mnuFile, "mnuExit", "&Exit");

    m.mnuEdit = menu(bar, "mnuEdit", "Edit");
    m.mnuUndo = item(m.mnuEdit, "mnuUndo", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.mnuCopy = m.mnuEdit->addMenu(QStringLiteral("Copy"));
    m.mnuCopy->setObjectName(QStringLiteral("mnuCopy"));
    m.mnuAll = item(m.mnuCopy, "mnuAll", "Copy All", QKeySequence(Qt::CTRL | Qt::Key_A));
    m.mnuRow = item(m.mnuCopy, "mnuRow", "Copy a row", QKeySequence(Qt::CTRL | Qt::Key_R));
    m.mnuPaste = item(m.mnuEdit, "mnuPaste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V));

    m.mnuH = menu(bar, "mnuH", "Help");
    m.mnuAbout = item(m.mnuH, "mnuAbout", "About ZAVPROG");
    return m;
}

}  // namespace zav
