#pragma once
// The File menu's file commands: Open, Open Recent, Save, Save As and the printing
// commands (Print, Print Setup, Print Preview), and a file named outside the file dialog
// (a recent file, a file dropped on the window, a radio history copy). Each open asks
// first whether unsaved changes are to be saved.

#include <memory>
#include <string>

#include <QObject>

#include "print/printout.h"

class QWidget;

namespace zav {

class Document;
class EditorHooks;
class EditorView;
class FileOpenSave;
class PrintCommands;
class Prompts;
class RadioLink;
class SettingsStore;
struct MainMenus;

class FileController final : public QObject {
    Q_OBJECT
  public:
    // `window` is the parent of the print dialogs and is disabled while printing.
    FileController(const MainMenus& menus, FileOpenSave& files, Document& doc, Prompts& prompts,
                   SettingsStore& settings, EditorHooks& editor, EditorView& view,
                   const RadioLink& link, QWidget* window);
    ~FileController() override;

    // File > Open: asked before the file dialog, whose chosen name would otherwise be the
    // one offered for saving the changes.
    void openCommand();
    // A file named outside the file dialog; nothing while a radio transfer runs.
    void openFromOutside(const std::string& path);

    void printCommand();
    void printSetupCommand();
    void printPreviewCommand();
    // Sends `printout` to the printer Print Setup chose; false when it did not (told).
    bool print(const Printout& printout);

  private:
    void fillRecentMenu();
    PrintCommands& printer();

    const MainMenus& menus_;
    FileOpenSave& files_;
    Document& doc_;
    Prompts& prompts_;
    SettingsStore& settings_;
    EditorHooks& editor_;
    EditorView& view_;
    const RadioLink& link_;
    QWidget* window_;
    std::unique_ptr<PrintCommands> print_;  // made at first use
};

}  // namespace zav
