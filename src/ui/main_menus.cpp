#include "ui/main_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
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
    m.fileMenu = menu(bar, "mnuFile", "&File");
    m.saveAction = item(m.fileMenu, "mnuSave", "&Save", ctrl(Qt::Key_S));
    m.saveAsAction = item(m.fileMenu, "mnuSaveAs", "Sa&ve As");
    m.afterSaveSeparator = separator(m.fileMenu, "mnuSep1");
    m.openAction = item(m.fileMenu, "mnuOpen", "&Open", ctrl(Qt::Key_O));
    m.recentMenu = submenu(m.fileMenu, "mnuRecent", "Open &Recent");
    m.afterOpenSeparator = separator(m.fileMenu, "mnuSep4");
    m.exportCsvAction = item(m.fileMenu, "mnuExportCsv", "E&xport CSV...");
    m.importCsvAction = item(m.fileMenu, "mnuImportCsv", "&Import CSV...");
    m.compareAction = item(m.fileMenu, "mnuCompare", "&Compare With File...");
    m.afterExchangeSeparator = separator(m.fileMenu, "mnuSepExchange");
    m.printAction = item(m.fileMenu, "mnuPrint", "&Print", ctrl(Qt::Key_P));
    m.printSetupAction = item(m.fileMenu, "mnuSetup", "Print Set&up");
    m.printPreviewAction = item(m.fileMenu, "mnuPreview", "Print Previe&w");
    m.beforeExitSeparator = separator(m.fileMenu, "mnuSep2");
    m.exitAction = item(m.fileMenu, "mnuExit", "&Exit");
}

void buildRadio(QMenuBar* bar, MainMenus& m) {
    m.radioMenu = menu(bar, "mnuRadio", "&Radio");
    m.readRadioAction = item(m.radioMenu, "mnuRead", "Read Radio", QKeySequence(Qt::Key_F2));
    m.readGlobalAction = item(m.radioMenu, "mnuReadGlobal", "Read Global Information from Radio");
    m.readGroupAction = item(m.radioMenu, "mnuReadGroup", "Read Group from Radio",
                             QKeySequence(Qt::SHIFT | Qt::Key_F2));
    m.writeRadioAction = item(m.radioMenu, "mnuWriteAll", "Write Radio", QKeySequence(Qt::Key_F3));
    m.writeGlobalAction = item(m.radioMenu, "mnuWriteGlobal", "Write Global Information To Radio");
    m.writeGroupAction = item(m.radioMenu, "mnuWriteGroup", "Write Current Group to Radio",
                              QKeySequence(Qt::Key_F4));
    m.writeFleetAction = item(m.radioMenu, "mnuWriteFleet", "Write &Fleet...");
    m.historyAction = item(m.radioMenu, "mnuRadioHistory", "Radio &History...");
    m.identifyAction = item(m.radioMenu, "mnuIdentify", "&Identify Radio...");
    m.compareRadioAction = item(m.radioMenu, "mnuCompareRadio", "&Compare With Radio...");
    m.beforeLabelsSeparator = separator(m.radioMenu, "munSep7");
    m.labelMenu = submenu(m.radioMenu, "mnuLabel", "Labels");
    m.labelReadGroupAction = item(m.labelMenu, "mnuLabelReadGroup", "Read Current Group");
    m.labelReadRadioAction = item(m.labelMenu, "mnuLabelReadRadio", "Read Radio");
    m.labelWriteGroupAction = item(m.labelMenu, "mnuLabelWriteGroup", "Write Current Group");
    m.labelWriteRadioAction = item(m.labelMenu, "mnuLabelWriteRadio", "Write Radio");
    m.labelConfigMenu = submenu(m.radioMenu, "mnuLabelConfigHeader", "Config");
    m.labelConfigGroup = new QActionGroup(m.labelConfigMenu);
    constexpr std::array<const char*, 3> kLabelCaptions{
        "Always Read/Write Labels", "Never Read/Write Labels", "Prompt to Read/Write Labels"};
    for (std::size_t i = 0; i < kLabelCaptions.size(); ++i) {
        m.labelChoiceActions[i] =
            choice(m.labelConfigMenu, m.labelConfigGroup, "mnuLabelConfig",
                   QString::fromLatin1(kLabelCaptions[i]), static_cast<int>(i));
    }
}

void buildEdit(QMenuBar* bar, MainMenus& m) {
    m.editMenu = menu(bar, "mnuEdit", "&Edit");
    m.globalsAction = item(m.editMenu, "mnuGlobals", "Global Parameters", ctrl(Qt::Key_G));
    m.undoAction = item(m.editMenu, "mnuUndo", "Undo", QKeySequence(QKeySequence::Undo));
    m.redoAction = item(m.editMenu, "mnuRedo", "Redo", QKeySequence(QKeySequence::Redo));
    m.copyMenu = submenu(m.editMenu, "mnuCopy", "Copy");
    m.copyAllAction = item(m.copyMenu, "mnuAll", "Copy All", ctrl(Qt::Key_A));
    m.copyRowAction = item(m.copyMenu, "mnuRow", "Copy a row", ctrl(Qt::Key_R));
    m.pasteAction = item(m.editMenu, "mnuPaste", "Paste", ctrl(Qt::Key_V));
    m.moveAction = item(m.editMenu, "mnuMove", "Move", ctrl(Qt::Key_M));
    separator(m.editMenu, "mnuSepRows");
    // New captions are translated; the ones above are the radio program's own.
    const auto rows = [&](const char* name, const QString& caption, const QKeySequence& keys) {
        QAction* a = item(m.editMenu, name, "", keys);
        a->setText(caption);
        return a;
    };
    m.selectRowsAction =
        rows("mnuSelectRows", QCoreApplication::translate("MainMenus", "Select &All Rows"),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    m.copyRowsAction = rows("mnuCopyRows", QCoreApplication::translate("MainMenus", "&Copy Rows"),
                            QKeySequence(QKeySequence::Copy));
    m.cutRowsAction = rows("mnuCutRows", QCoreApplication::translate("MainMenus", "Cu&t Rows"),
                           QKeySequence(QKeySequence::Cut));
    m.deleteRowsAction =
        rows("mnuDeleteRows", QCoreApplication::translate("MainMenus", "&Delete Rows"),
             QKeySequence(Qt::Key_Delete));
    m.setRowsAction =
        rows("mnuSetRows", QCoreApplication::translate("MainMenus", "Set On &Selected Rows..."),
             ctrl(Qt::Key_E));
    m.fillAction = rows("mnuFill", QCoreApplication::translate("MainMenus", "&Fill Frequencies..."),
                        ctrl(Qt::Key_F));
    m.moveUpAction = rows("mnuMoveUp", QCoreApplication::translate("MainMenus", "Move Rows &Up"),
                          QKeySequence(Qt::ALT | Qt::Key_Up));
    m.moveDownAction =
        rows("mnuMoveDown", QCoreApplication::translate("MainMenus", "Move Rows Do&wn"),
             QKeySequence(Qt::ALT | Qt::Key_Down));
}

void buildConfig(QMenuBar* bar, MainMenus& m) {
    m.configMenu = menu(bar, "mnuConfig", "&Config");
    m.commPortGroup = new QActionGroup(m.configMenu);
    for (std::size_t i = 0; i < m.portActions.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        m.portActions[i] = choice(m.configMenu, m.commPortGroup, "mnuCommPort",
                                  QStringLiteral("Use Comm Port %1").arg(n), n);
    }
    separator(m.configMenu, "mnuSepPort");
    m.portDeviceAction = item(m.configMenu, "mnuPortDevice", "Serial Port Device...");
    separator(m.configMenu, "mnuSepVerify");
    m.verifyAction = item(m.configMenu, "mnuVerifyWrite", "Verify After Write");
    m.verifyAction->setCheckable(true);
    m.backupAction = item(m.configMenu, "mnuBackupWrite", "Back Up Radio Before Writing");
    m.backupAction->setCheckable(true);
}

}  // namespace

MainMenus buildMainMenus(QMenuBar* bar) {
    MainMenus m;
    buildFile(bar, m);
    buildRadio(bar, m);
    buildEdit(bar, m);
    buildConfig(bar, m);
    m.syncalAction = bar->addAction(QStringLiteral("&Syncal"));
    m.syncalAction->setObjectName(QStringLiteral("mnuSyncal"));
    m.syncalAction->setShortcut(QKeySequence(Qt::Key_F6));
    m.helpMenu = menu(bar, "mnuH", "&Help");
    m.aboutAction = item(m.helpMenu, "mnuAbout", "About ZAVPROG");
    m.helpAction = item(m.helpMenu, "mnuHelp", "Help", QKeySequence(Qt::Key_F1));
    m.traceAction = item(m.helpMenu, "mnuTrace", "Serial Trace...");
    m.traceAction->setCheckable(true);
    m.diagnosticsAction = item(m.helpMenu, "mnuDiagnostics", "");
    m.diagnosticsAction->setText(QCoreApplication::translate("MainMenus", "Save Diagnostics..."));
    return m;
}

}  // namespace zav
