#pragma once
// The main window's menu bar: File, Radio, Edit, Config, Syncal (a command on the bar
// itself) and Help, with their captions, access keys and shortcuts. Alt and a top-level
// caption's first letter opens its menu with the first item highlighted (Syncal runs). Items that
// belong to a numbered set (the label settings, the ports) share one object name and carry their
// number in the property "index".

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace zav {

struct MainMenus {
    QMenu* fileMenu = nullptr;
    QAction* saveAction = nullptr;    // &Save, Ctrl+S
    QAction* saveAsAction = nullptr;  // Sa&ve As
    QAction* afterSaveSeparator = nullptr;
    QAction* openAction = nullptr;  // &Open, Ctrl+O
    QMenu* recentMenu = nullptr;    // Open &Recent: the files opened or saved last
    QAction* afterOpenSeparator = nullptr;
    QAction* exportCsvAction = nullptr;  // Export CSV...
    QAction* importCsvAction = nullptr;  // Import CSV...
    QAction* compareAction = nullptr;    // Compare With File...
    QAction* afterExchangeSeparator = nullptr;
    QAction* printAction = nullptr;         // &Print, Ctrl+P
    QAction* printSetupAction = nullptr;    // Print Set&up
    QAction* printPreviewAction = nullptr;  // Print Previe&w
    QAction* beforeExitSeparator = nullptr;
    QAction* exitAction = nullptr;  // &Exit

    QMenu* radioMenu = nullptr;
    QAction* readRadioAction = nullptr;     // Read Radio, F2
    QAction* readGlobalAction = nullptr;    // Read Global Information from Radio
    QAction* readGroupAction = nullptr;     // Read Group from Radio, Shift+F2
    QAction* writeRadioAction = nullptr;    // Write Radio, F3
    QAction* writeGlobalAction = nullptr;   // Write Global Information To Radio
    QAction* writeGroupAction = nullptr;    // Write Current Group to Radio, F4
    QAction* writeFleetAction = nullptr;    // Write Fleet...: several radios at once
    QAction* historyAction = nullptr;       // Radio History...: the copies kept of radios
    QAction* identifyAction = nullptr;      // Identify Radio...: band, groups, unit numbers
    QAction* compareRadioAction = nullptr;  // Compare With Radio...: what a write would change
    QAction* beforeLabelsSeparator = nullptr;
    QMenu* labelMenu = nullptr;  // Labels
    QAction* labelReadGroupAction = nullptr;
    QAction* labelReadRadioAction = nullptr;
    QAction* labelWriteGroupAction = nullptr;
    QAction* labelWriteRadioAction = nullptr;
    QMenu* labelConfigMenu = nullptr;  // Config
    // Index = label setting: always, never, prompt.
    std::array<QAction*, 3> labelChoiceActions{};
    QActionGroup* labelConfigGroup = nullptr;

    QMenu* editMenu = nullptr;
    QAction* globalsAction = nullptr;  // Global Parameters, Ctrl+G
    QAction* undoAction = nullptr;     // Undo, the platform's undo key (Ctrl+Z)
    QAction* redoAction = nullptr;     // Redo, the platform's redo key
    QMenu* copyMenu = nullptr;         // Copy
    QAction* copyAllAction = nullptr;  // Copy All, Ctrl+A
    QAction* copyRowAction = nullptr;  // Copy a row, Ctrl+R
    QAction* pasteAction = nullptr;    // Paste, Ctrl+V
    QAction* moveAction = nullptr;     // Move, Ctrl+M
    // The grid's selected rows (the row commands act while the grid has the focus).
    QAction* selectRowsAction = nullptr;  // Select &All Rows, Ctrl+Shift+A (Ctrl+A: Copy All)
    QAction* copyRowsAction = nullptr;    // &Copy Rows, Ctrl+C
    QAction* cutRowsAction = nullptr;     // Cu&t Rows, Ctrl+X
    QAction* deleteRowsAction = nullptr;  // &Delete Rows, Delete
    QAction* setRowsAction = nullptr;     // Set On &Selected Rows..., Ctrl+E
    QAction* fillAction = nullptr;        // &Fill Frequencies..., Ctrl+F
    QAction* moveUpAction = nullptr;      // Move Rows &Up, Alt+Up
    QAction* moveDownAction = nullptr;    // Move Rows Do&wn, Alt+Down

    QMenu* configMenu = nullptr;
    // Entry n - 1 is "Use Comm Port n" (index property n).
    std::array<QAction*, 4> portActions{};
    QActionGroup* commPortGroup = nullptr;
    QAction* portDeviceAction = nullptr;  // Serial Port Device...
    QAction* verifyAction = nullptr;      // Verify After Write (checkable)
    QAction* backupAction = nullptr;      // Back Up Radio Before Writing (checkable)

    QAction* syncalAction = nullptr;  // on the menu bar, F6

    QMenu* helpMenu = nullptr;             // Help
    QAction* aboutAction = nullptr;        // About ZAVPROG
    QAction* helpAction = nullptr;         // Help, F1
    QAction* traceAction = nullptr;        // Serial Trace... (checkable)
    QAction* diagnosticsAction = nullptr;  // Save Diagnostics...
};

MainMenus buildMainMenus(QMenuBar* bar);

}  // namespace zav
