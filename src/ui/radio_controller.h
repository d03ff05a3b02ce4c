#pragma once
// The Radio menu: reads and writes of the radio, its global block and the shown group,
// the Labels submenu, Write Fleet... and Radio History..., over the radio operations. The
// status bar keeps a word on how each ended, and the history copy it kept.

#include <QObject>
#include <QPointer>

#include "ops/fleet.h"

class QAction;
class QWidget;

namespace zav {

class Document;
class EditorView;
class FileController;
class FleetWriteDialog;
class Prompts;
class RadioHistory;
class RadioOperations;
class SettingsStore;
class StatusLine;
struct MainMenus;
struct OperationResult;

class RadioController final : public QObject {
    Q_OBJECT
  public:
    // A copy chosen in the radio history opens through `files`; `window` is the parent of
    // the fleet and history dialogs.
    RadioController(const MainMenus& menus, RadioOperations& operations, Document& doc,
                    Prompts& prompts, SettingsStore& settings, RadioHistory& history,
                    StatusLine& status, EditorView& view, FileController& files, QWidget* window);

    // Radio > Write Fleet...: the editor's contents to several radios at once.
    void showFleetWrite();
    [[nodiscard]] FleetWriteDialog* fleetWriteDialog() const;
    // How the fleet's ports are made and run (serial ports on QThreads unless tests say).
    void setFleetPorts(PortFactory makePort, ParallelRunner runAll);
    // Radio > Radio History...: the kept copies, newest first; the one chosen opens.
    void showRadioHistory();

  private:
    void run(QAction* command, OperationResult (RadioOperations::*operation)());

    const MainMenus& menus_;
    RadioOperations& operations_;
    Document& doc_;
    Prompts& prompts_;
    SettingsStore& settings_;
    RadioHistory& history_;
    StatusLine& status_;
    EditorView& view_;
    FileController& files_;
    QWidget* window_;
    QPointer<FleetWriteDialog> fleet_;
    PortFactory fleetPorts_;
    ParallelRunner fleetThreads_;
};

}  // namespace zav
