#pragma once
// What the main window's controllers ask of the window that shows the document: the
// entries being typed end before a command reads the document, the window shows the image
// again after a command changed it, and its caption and status bar follow. The main
// window implements it; each controller reaches the window only through it.

#include <QString>

namespace zav {

class EditorView {
  public:
    virtual ~EditorView() = default;

    // The entries still being typed (a cell, a header field, the globals window's
    // password) end and are stored.
    virtual void finishEntries() = 0;
    // A command changed the image in place: the shown group and the other windows show it
    // again.
    virtual void showImageAgain() = 0;
    // The caption's unsaved-changes mark, the status bar's file and port, Undo and Redo.
    virtual void updateStatus() = 0;
    // The file last opened or saved (as shown); empty before the first.
    [[nodiscard]] virtual QString openFile() const = 0;
};

}  // namespace zav
