#pragma once
// The main window's menu bar. File and Edit carry the file and editing commands; the
// radio, configuration, alignment and help commands are added to the same tree by the
// window that implements them (insert their menus before `mnuEdit` or after it, in the
// order File, Radio, Edit, Config, Syncal, Help).

class QAction;
class QMenu;
class QMenuBar;

namespace zav {

struct MainMenus {
    QMenu* mnuFile = nullptr;
    QAction* mnuSave = nullptr;    // &Save, Ctrl+S
    QAction* mnuSaveAs = nullptr;  // Sa&ve As
    QAction* mnuSep1 = nullptr;
    QAction* mnuOpen = nullptr;  // &Open, Ctrl+O
    QAction* mnuSep4 = nullptr;  // Print and Print Setup go between mnuSep4 and mnuSep2
    QAction* mnuSep2 = nullptr;
    QAction* mnuExit = nullptr;  // &Exit

    QMenu* mnuEdit = nullptr;     // Global Parameters goes first, Move last
    QAction* mnuUndo = nullptr;   // Undo, Ctrl+Z
    QMenu* mnuCopy = nullptr;     // Copy
    QAction* mnuAll = nullptr;    // Copy All, Ctrl+A
    QAction* mnuRow = nullptr;    // Copy a row, Ctrl+R
    QAction* mnuPaste = nullptr;  // Paste, Ctrl+V

    QMenu* mnuH = nullptr;        // Help
    QAction* mnuAbout = nullptr;  // About ZAVPROG
};

MainMenus buildMainMenus(QMenuBar* bar);

}  // namespace zav
