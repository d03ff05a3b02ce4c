#include "ui/main_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include "ui/ui_text.h"

namespace zav {

namespace {

QMenu* named(QMenu* m, const char* name) {
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QMenu* menu(QMenuBar* bar, const char* name, const char* caption) {
    return named(bar->addMenu(uiText(caption)), name);
}

QMenu* submenu(QMenu* parent, const char* name, const char* caption) {
    return named(parent->addMenu(uiText(caption)), name);
}

QAction* item(QMenu* m, const char* name, const char* caption, const QKeySequence& keys = {}) {
    QAction* a = m->addAction(uiText(caption));
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
    m.fileMenu = menu(bar, "mnuFile", QT_TR_NOOP("&File"));
    m.saveAction = item(m.fileMenu, "mnuSave", QT_TR_NOOP("&Save"), ctrl(Qt::Key_S));
    m.saveAsAction = item(m.fileMenu, "mnuSaveAs", QT_TR_NOOP("Sa&ve As"));
    m.afterSaveSeparator = separator(m.fileMenu, "mnuSep1");
    m.openAction = item(m.fileMenu, "mnuOpen", QT_TR_NOOP("&Open"), ctrl(Qt::Key_O));
    m.recentMenu = submenu(m.fileMenu, "mnuRecent", QT_TR_NOOP("Open &Recent"));
    m.afterOpenSeparator = separator(m.fileMenu, "mnuSep4");
    m.exportCsvAction = item(m.fileMenu, "mnuExportCsv", QT_TR_NOOP("E&xport CSV..."));
    m.importCsvAction = item(m.fileMenu, "mnuImportCsv", QT_TR_NOOP("&Import CSV..."));
    m.compareAction = item(m.fileMenu, "mnuCompare", QT_TR_NOOP("&Compare With File..."));
    m.afterExchangeSeparator = separator(m.fileMenu, "mnuSepExchange");
    m.printAction = item(m.fileMenu, "mnuPrint", QT_TR_NOOP("&Print"), ctrl(Qt::Key_P));
    m.printSetupAction = item(m.fileMenu, "mnuSetup", QT_TR_NOOP("Print Set&up"));
    m.printPreviewAction = item(m.fileMenu, "mnuPreview", QT_TR_NOOP("Print Previe&w"));
    m.beforeExitSeparator = separator(m.fileMenu, "mnuSep2");
    m.exitAction = item(m.fileMenu, "mnuExit", QT_TR_NOOP("&Exit"));
}

void buildRadio(QMenuBar* bar, MainMenus& m) {
    m.radioMenu = menu(bar, "mnuRadio", QT_TR_NOOP("&Radio"));
    m.readRadioAction =
        item(m.radioMenu, "mnuRead", QT_TR_NOOP("Read Radio"), QKeySequence(Qt::Key_F2));
    m.readGlobalAction =
        item(m.radioMenu, "mnuReadGlobal", QT_TR_NOOP("Read Global Information from Radio"));
    m.readGroupAction = item(m.radioMenu, "mnuReadGroup", QT_TR_NOOP("Read Group from Radio"),
                             QKeySequence(Qt::SHIFT | Qt::Key_F2));
    m.writeRadioAction =
        item(m.radioMenu, "mnuWriteAll", QT_TR_NOOP("Write Radio"), QKeySequence(Qt::Key_F3));
    m.writeGlobalAction =
        item(m.radioMenu, "mnuWriteGlobal", QT_TR_NOOP("Write Global Information To Radio"));
    m.writeGroupAction = item(m.radioMenu, "mnuWriteGroup",
                              QT_TR_NOOP("Write Current Group to Radio"), QKeySequence(Qt::Key_F4));
    m.writeFleetAction = item(m.radioMenu, "mnuWriteFleet", QT_TR_NOOP("Write &Fleet..."));
    m.historyAction = item(m.radioMenu, "mnuRadioHistory", QT_TR_NOOP("Radio &History..."));
    m.identifyAction = item(m.radioMenu, "mnuIdentify", QT_TR_NOOP("&Identify Radio..."));
    m.compareRadioAction =
        item(m.radioMenu, "mnuCompareRadio", QT_TR_NOOP("&Compare With Radio..."));
    m.beforeLabelsSeparator = separator(m.radioMenu, "munSep7");
    m.labelMenu = submenu(m.radioMenu, "mnuLabel", QT_TR_NOOP("Labels"));
    m.labelReadGroupAction =
        item(m.labelMenu, "mnuLabelReadGroup", QT_TR_NOOP("Read Current Group"));
    m.labelReadRadioAction = item(m.labelMenu, "mnuLabelReadRadio", QT_TR_NOOP("Read Radio"));
    m.labelWriteGroupAction =
        item(m.labelMenu, "mnuLabelWriteGroup", QT_TR_NOOP("Write Current Group"));
    m.labelWriteRadioAction = item(m.labelMenu, "mnuLabelWriteRadio", QT_TR_NOOP("Write Radio"));
    m.labelConfigMenu = submenu(m.radioMenu, "mnuLabelConfigHeader", QT_TR_NOOP("Config"));
    m.labelConfigGroup = new QActionGroup(m.labelConfigMenu);
    constexpr std::array<const char*, 3> kLabelCaptions{QT_TR_NOOP("Always Read/Write Labels"),
                                                        QT_TR_NOOP("Never Read/Write Labels"),
                                                        QT_TR_NOOP("Prompt to Read/Write Labels")};
    for (std::size_t i = 0; i < kLabelCaptions.size(); ++i) {
        m.labelChoiceActions[i] = choice(m.labelConfigMenu, m.labelConfigGroup, "mnuLabelConfig",
                                         uiText(kLabelCaptions[i]), static_cast<int>(i));
    }
}

void buildEdit(QMenuBar* bar, MainMenus& m) {
    m.editMenu = menu(bar, "mnuEdit", QT_TR_NOOP("&Edit"));
    m.globalsAction =
        item(m.editMenu, "mnuGlobals", QT_TR_NOOP("Global Parameters"), ctrl(Qt::Key_G));
    m.undoAction =
        item(m.editMenu, "mnuUndo", QT_TR_NOOP("Undo"), QKeySequence(QKeySequence::Undo));
    m.redoAction =
        item(m.editMenu, "mnuRedo", QT_TR_NOOP("Redo"), QKeySequence(QKeySequence::Redo));
    m.copyMenu = submenu(m.editMenu, "mnuCopy", QT_TR_NOOP("Copy"));
    m.copyAllAction = item(m.copyMenu, "mnuAll", QT_TR_NOOP("Copy All"), ctrl(Qt::Key_A));
    m.copyRowAction = item(m.copyMenu, "mnuRow", QT_TR_NOOP("Copy a row"), ctrl(Qt::Key_R));
    m.pasteAction = item(m.editMenu, "mnuPaste", QT_TR_NOOP("Paste"), ctrl(Qt::Key_V));
    m.moveAction = item(m.editMenu, "mnuMove", QT_TR_NOOP("Move"), ctrl(Qt::Key_M));
    separator(m.editMenu, "mnuSepRows");
    m.selectRowsAction = item(m.editMenu, "mnuSelectRows", QT_TR_NOOP("Select &All Rows"),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    m.copyRowsAction =
        item(m.editMenu, "mnuCopyRows", QT_TR_NOOP("&Copy Rows"), QKeySequence(QKeySequence::Copy));
    m.cutRowsAction =
        item(m.editMenu, "mnuCutRows", QT_TR_NOOP("Cu&t Rows"), QKeySequence(QKeySequence::Cut));
    m.deleteRowsAction =
        item(m.editMenu, "mnuDeleteRows", QT_TR_NOOP("&Delete Rows"), QKeySequence(Qt::Key_Delete));
    m.setRowsAction =
        item(m.editMenu, "mnuSetRows", QT_TR_NOOP("Set On &Selected Rows..."), ctrl(Qt::Key_E));
    m.fillAction = item(m.editMenu, "mnuFill", QT_TR_NOOP("&Fill Frequencies..."), ctrl(Qt::Key_F));
    m.moveUpAction = item(m.editMenu, "mnuMoveUp", QT_TR_NOOP("Move Rows &Up"),
                          QKeySequence(Qt::ALT | Qt::Key_Up));
    m.moveDownAction = item(m.editMenu, "mnuMoveDown", QT_TR_NOOP("Move Rows Do&wn"),
                            QKeySequence(Qt::ALT | Qt::Key_Down));
}

void buildConfig(QMenuBar* bar, MainMenus& m) {
    m.configMenu = menu(bar, "mnuConfig", QT_TR_NOOP("&Config"));
    m.commPortGroup = new QActionGroup(m.configMenu);
    for (std::size_t i = 0; i < m.portActions.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        m.portActions[i] = choice(m.configMenu, m.commPortGroup, "mnuCommPort",
                                  uiText("Use Comm Port %1").arg(n), n);
    }
    separator(m.configMenu, "mnuSepPort");
    m.portDeviceAction = item(m.configMenu, "mnuPortDevice", QT_TR_NOOP("Serial Port Device..."));
    separator(m.configMenu, "mnuSepVerify");
    m.verifyAction = item(m.configMenu, "mnuVerifyWrite", QT_TR_NOOP("Verify After Write"));
    m.verifyAction->setCheckable(true);
    m.backupAction =
        item(m.configMenu, "mnuBackupWrite", QT_TR_NOOP("Back Up Radio Before Writing"));
    m.backupAction->setCheckable(true);
}

}  // namespace

MainMenus buildMainMenus(QMenuBar* bar) {
    MainMenus m;
    buildFile(bar, m);
    buildRadio(bar, m);
    buildEdit(bar, m);
    buildConfig(bar, m);
    m.syncalAction = bar->addAction(uiText("&Syncal"));
    m.syncalAction->setObjectName(QStringLiteral("mnuSyncal"));
    m.syncalAction->setShortcut(QKeySequence(Qt::Key_F6));
    m.helpMenu = menu(bar, "mnuH", QT_TR_NOOP("&Help"));
    m.aboutAction = item(m.helpMenu, "mnuAbout", QT_TR_NOOP("About ZAVPROG"));
    m.helpAction = item(m.helpMenu, "mnuHelp", QT_TR_NOOP("Help"), QKeySequence(Qt::Key_F1));
    m.traceAction = item(m.helpMenu, "mnuTrace", QT_TR_NOOP("Serial Trace..."));
    m.traceAction->setCheckable(true);
    m.diagnosticsAction = item(m.helpMenu, "mnuDiagnostics", QT_TR_NOOP("Save Diagnostics..."));
    return m;
}

}  // namespace zav
