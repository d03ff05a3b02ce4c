#pragma once
// The main window's menu bar: File, Radio, Edit, Config, Syncal (a command on the bar
// itself) and Help, with their captions, access keys and shortcuts. Items that belong to
// a numbered set (the label settings, the ports) share one object name and carry their
// number in the property "index".

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace zav {

struct MainMenus {
    QMenu* mnuFile = nullptr;
    QAction* mnuSave = nullptr;    // &Save, Ctrl+S
    QAction* mnuSaveAs = nullptr;  // Sa&ve As
    QAction* mnuSep1 = nullptr;
    QAction* mnuOpen = nullptr;  // &Open, Ctrl+O
    QAction* mnuSep4 = nullptr;
    QAction* mnuPrint = nullptr;    // &Print, Ctrl+P
    QAction* mnuSetup = nullptr;    // Print Set&up
    QAction* mnuPreview = nullptr;  // Print Previe&w
    QAction* mnuSep2 = nullptr;
    QAction* mnuExit = nullptr;  // &Exit

    QMenu* mnuRadio = nullptr;
    QAction* mnuRead = nullptr;         // Read Radio, F2
    QAction* mnuReadGlobal = nullptr;   // Read Global Information from Radio
    QAction* mnuReadGroup = nullptr;    // Read Group from Radio
    QAction* mnuWriteAll = nullptr;     // Write Radio, F3
    QAction* mnuWriteGlobal = nullptr;  // Write Global Information To Radio
    QAction* mnuWriteGroup = nullptr;   // Write Current Group to Radio, F4
    QAction* munSep7 = nullptr;
    QMenu* mnuLabel = nullptr;  // Labels
    QAction* mnuLabelReadGroup = nullptr;
    QAction* mnuLabelReadRadio = nullptr;
    QAction* mnuLabelWriteGroup = nullptr;
    QAction* mnuLabelWriteRadio = nullptr;
    QMenu* mnuLabelConfigHeader = nullptr;  // Config
    // Index = label setting: always, never, prompt.
    std::array<QAction*, 3> mnuLabelConfig{};
    QActionGroup* labelConfigGroup = nullptr;

    QMenu* mnuEdit = nullptr;
    QAction* mnuGlobals = nullptr;  // Global Parameters
    QAction* mnuUndo = nullptr;     // Undo, Ctrl+Z
    QMenu* mnuCopy = nullptr;       // Copy
    QAction* mnuAll = nullptr;      // Copy All, Ctrl+A
    QAction* mnuRow = nullptr;      // Copy a row, Ctrl+R
    QAction* mnuPaste = nullptr;    // Paste, Ctrl+V
    QAction* mnuMove = nullptr;     // Move, Ctrl+M

    QMenu* mnuConfig = nullptr;
    // Entry n - 1 is "Use Comm Port n" (index property n).
    std::array<QAction*, 4> mnuCommPort{};
    QActionGroup* commPortGroup = nullptr;
    QAction* mnuPortDevice = nullptr;  // Serial Port Device...

    QAction* mnuSyncal = nullptr;  // on the menu bar

    QMenu* mnuH = nullptr;        // Help
    QAction* mnuAbout = nullptr;  // About ZAVPROG
    QAction* mnuHelp = nullptr;   // Help, F1
};

MainMenus buildMainMenus(QMenuBar* bar);

}  // namespace zav
