#pragma once
// The Radio menu: reads and writes of the radio, its global block and the shown group,
// the Labels submenu, Write Fleet..., Radio History..., Identify Radio... and Compare With
// Radio..., over the radio operations. The status bar keeps a word on how each ended, the
// history copy it kept, and the band of the radio last read.

#include <QObject>
#include <QPointer>

#include "ops/fleet.h"

class QAction;
class QWidget;

namespace zav {

class Document;
class EditorView;
class FileController;
class FileSystem;
class FleetWriteDialog;
class Prompts;
class RadioHistory;
class RadioOperations;
class SettingsStore;
class StatusLine;
class TextReport;
struct MainMenus;
struct OperationResult;

class RadioController final : public QObject {
    Q_OBJECT
  public:
    // A copy chosen in the radio history opens through `files`; `window` is the parent of
    // the fleet and history dialogs.
    RadioController(const MainMenus& menus, RadioOperations& operations, Document& doc,
                    Prompts& prompts, SettingsStore& settings, RadioHistory& history,
                    StatusLine& status, EditorView& view, FileController& files,
                    FileSystem& fileSystem, TextReport& report, QWidget* window);

    // Radio > Write Fleet...: the editor's contents to several radios at once.
    void showFleetWrite();
    [[nodiscard]] FleetWriteDialog* fleetWriteDialog() const;
    // How the fleet's ports are made and run (serial ports on QThreads unless tests say).
    void setFleetPorts(PortFactory makePort, ParallelRunner runAll);
    // Radio > Radio History...: the kept copies, newest first; the one chosen opens.
    void showRadioHistory();
    // Radio > Identify Radio...: the radio's band, groups, unit numbers and password, read
    // without writing anything.
    void identifyCommand();
    // Radio > Compare With Radio...: what a write of the file chosen would change in the
    // radio, listed as Compare With File lists; nothing is written.
    void compareWithRadioCommand();
    // The comparison's window while it is open.
    [[nodiscard]] QWidget* compareWindow() const;

  private:
    void run(QAction* command, OperationResult (RadioOperations::*operation)());
    void say(const QAction* command, const OperationResult& result);

    const MainMenus& menus_;
    RadioOperations& operations_;
    Document& doc_;
    Prompts& prompts_;
    SettingsStore& settings_;
    RadioHistory& history_;
    StatusLine& status_;
    EditorView& view_;
    FileController& files_;
    FileSystem& fileSystem_;
    TextReport& report_;
    QWidget* window_;
    QPointer<FleetWriteDialog> fleet_;
    QPointer<QWidget> compare_;
    PortFactory fleetPorts_;
    ParallelRunner fleetThreads_;
};

}  // namespace zav
