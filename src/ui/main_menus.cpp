#include "ui/main_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace zav {

namespace {

QMenu* named(QMenu* m, const char* name) {
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QMenu* menu(QMenuBar* bar, const char* name, const char* caption) {
    return named(bar->addMenu(QString::fromLatin1(caption)), name);
}

QMenu* submenu(QMenu* parent, const char* name, const char* caption) {
    return named(parent->addMenu(QString::fromLatin1(caption)), name);
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

// One checkable entry of a numbered set; the group keeps exactly one checked.
QAction* choice(QMenu* m, QActionGroup* group, const char* name, const QString& caption,
                int index) {
    QAction* a = m->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty("index", index);
    a->setCheckable(true);
    group->addAction(a);
    return a;
}

QKeySequence ctrl(Qt::Key key) {
    return QKeySequence(Qt::CTRL | key);
}

void buildFile(QMenuBar* bar, MainMenus& m) {
    m.mnuFile = menu(bar, "mnuFile", "File");
    m.mnuSave = item(m.mnuFile, "mnuSave", "&Save", ctrl(Qt::Key_S));
    m.mnuSaveAs = item(m.mnuFile, "mnuSaveAs", "Sa&ve As");
    m.mnuSep1 = separator(m.mnuFile, "mnuSep1");
    m.mnuOpen = item(m.mnuFile, "mnuOpen", "&Open", ctrl(Qt::Key_O));
    m.mnuSep4 = separator(m.mnuFile, "mnuSep4");
    m.mnuPrint = item(m.mnuFile, "mnuPrint", "&Print", ctrl(Qt::Key_P));
    m.mnuSetup = item(m.mnuFile, "mnuSetup", "Print Set&up");
    m.mnuPreview = item(m.mnuFile, "mnuPreview", "Print Previe&w");
    m.mnuSep2 = separator(m.mnuFile, "mnuSep2");
    m.mnuExit = item(m.mnuFile, "mnuExit", "&Exit");
}

void buildRadio(QMenuBar* bar, MainMenus& m) {
    m.mnuRadio = menu(bar, "mnuRadio", "Radio");
    m.mnuRead = item(m.mnuRadio, "mnuRead", "Read Radio", QKeySequence(Qt::Key_F2));
    m.mnuReadGlobal = item(m.mnuRadio, "mnuReadGlobal", "Read Global Information from Radio");
    m.mnuReadGroup = item(m.mnuRadio, "mnuReadGroup", "Read Group from Radio");
    m.mnuWriteAll = item(m.mnuRadio, "mnuWriteAll", "Write Radio", QKeySequence(Qt::Key_F3));
    m.mnuWriteGlobal = item(m.mnuRadio, "mnuWriteGlobal", "Write Global Information To Radio");
    m.mnuWriteGroup =
        item(m.mnuRadio, "mnuWriteGroup", "Write Current Group to Radio", QKeySequence(Qt::Key_F4));
    m.munSep7 = separator(m.mnuRadio, "munSep7");
    m.mnuLabel = submenu(m.mnuRadio, "mnuLabel", "Labels");
    m.mnuLabelReadGroup = item(m.mnuLabel, "mnuLabelReadGroup", "Read Current Group");
    m.mnuLabelReadRadio = item(m.mnuLabel, "mnuLabelReadRadio", "Read Radio");
    m.mnuLabelWriteGroup = item(m.mnuLabel, "mnuLabelWriteGroup", "Write Current Group");
    m.mnuLabelWriteRadio = item(m.mnuLabel, "mnuLabelWriteRadio", "Write Radio");
    m.mnuLabelConfigHeader = submenu(m.mnuRadio, "mnuLabelConfigHeader", "Config");
    m.labelConfigGroup = new QActionGroup(m.mnuLabelConfigHeader);
    constexpr std::array<const char*, 3> kLabelCaptions{
        "Always Read/Write Labels", "Never Read/Write Labels", "Prompt to Read/Write Labels"};
    for (std::size_t i = 0; i < kLabelCaptions.size(); ++i) {
        m.mnuLabelConfig[i] = choice(m.mnuLabelConfigHeader, m.labelConfigGroup, "mnuLabelConfig",
                                     QString::fromLatin1(kLabelCaptions[i]), static_cast<int>(i));
    }
}

void buildEdit(QMenuBar* bar, MainMenus& m) {
    m.mnuEdit = menu(bar, "mnuEdit", "Edit");
    m.mnuGlobals = item(m.mnuEdit, "mnuGlobals", "Global Parameters");
    m.mnuUndo = item(m.mnuEdit, "mnuUndo", "Undo", ctrl(Qt::Key_Z));
    m.mnuCopy = submenu(m.mnuEdit, "mnuCopy", "Copy");
    m.mnuAll = item(m.mnuCopy, "mnuAll", "Copy All", ctrl(Qt::Key_A));
    m.mnuRow = item(m.mnuCopy, "mnuRow", "Copy a row", ctrl(Qt::Key_R));
    m.mnuPaste = item(m.mnuEdit, "mnuPaste", "Paste", ctrl(Qt::Key_V));
    m.mnuMove = item(m.mnuEdit, "mnuMove", "Move", ctrl(Qt::Key_M));
}

void buildConfig(QMenuBar* bar, MainMenus& m) {
    m.mnuConfig = menu(bar, "mnuConfig", "Config");
    m.commPortGroup = new QActionGroup(m.mnuConfig);
    for (std::size_t i = 0; i < m.mnuCommPort.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        m.mnuCommPort[i] = choice(m.mnuConfig, m.commPortGroup, "mnuCommPort",
                                  QStringLiteral("Use Comm Port %1").arg(n), n);
    }
    separator(m.mnuConfig, "mnuSepPort");
    m.mnuPortDevice = item(m.mnuConfig, "mnuPortDevice", "Serial Port Device...");
}

}  // namespace

MainMenus buildMainMenus(QMenuBar* bar) {
    MainMenus m;
    buildFile(bar, m);
    buildRadio(bar, m);
    buildEdit(bar, m);
    buildConfig(bar, m);
    m.mnuSyncal = bar->addAction(QStringLiteral("Syncal"));
    m.mnuSyncal->setObjectName(QStringLiteral("mnuSyncal"));
    m.mnuH = menu(bar, "mnuH", "Help");
    m.mnuAbout = item(m.mnuH, "mnuAbout", "About ZAVPROG");
    m.mnuHelp = item(m.mnuH, "mnuHelp", "Help", QKeySequence(Qt::Key_F1));
    return m;
}

}  // namespace zav
