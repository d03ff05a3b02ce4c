#pragma once
// The editor's main window: one channel group at a time, its parameters at the top and
// right, its 14 channels in the grid, the Edit menu's commands and Undo, the status bar,
// and the window's place on the screen kept in the settings store. The window moves
// values between its controls and the group records; the records do all encoding. It owns
// the radio link (over the real serial port unless given another) and the controllers
// that own the other menus' commands: files, radio, exchange, configuration and help, and
// the other windows.

#include <QMainWindow>
#include <array>
#include <memory>
#include <span>

#include "files/file_open_save.h"
#include "files/logged_stores.h"
#include "iface/clipboard.h"
#include "iface/platform.h"
#include "iface/prompts.h"
#include "iface/settings_store.h"
#include "link/link_port.h"
#include "link/radio_link.h"
#include "model/document.h"
#include "ops/editor_hooks.h"
#include "ops/radio_operations.h"
#include "qt/qt_log.h"
#include "ui/editor_view.h"
#include "ui/grid_clipboard.h"
#include "ui/group_binding.h"
#include "ui/group_controls.h"
#include "ui/main_menus.h"

namespace zav {

class BulkEditController;
class ChannelGridModel;
class ChannelGridView;
class OffsetEntry;
class ConfigController;
class ExchangeController;
class FileController;
class ProgressWindow;
class RadioController;
class WindowsController;
class ImageHistory;
class RadioHistory;
class StatusLine;
class TextReport;
class TracePort;

class MainWindow final : public QMainWindow,
                         public FileEditorHooks,
                         public EditorHooks,
                         public EditorView {
    Q_OBJECT
  public:
    // Talks to radios through the system's serial ports.
    MainWindow(Document& doc, Prompts& prompts, SettingsStore& settings, TextClipboard& clipboard,
               FileSystem& files, QWidget* parent = nullptr);
    // Talks to radios through `port` (a simulated line in tests), which outlives the window.
    MainWindow(Document& doc, Prompts& prompts, SettingsStore& settings, TextClipboard& clipboard,
               FileSystem& files, LinkPort& port, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The group whose values fill the controls and whose channels the grid lists (the
    // document's shown group); -1: none, so nothing may be stored from the controls.
    [[nodiscard]] int shownGroup() const override { return doc_.shownGroup(); }
    // Group g (0..14) fills the controls and the grid from the image.
    void showGroup(int g);

    // Rebuilds the group records from the page map and shows the first listed group; the
    // steps of the history no longer apply.
    void reloadGroups();
    // Refills the group selector with the existing groups and selects the first.
    void setupCombos();
    // The offset entry's help text.
    void showOffsetHelp();

    // Edit menu commands.
    void copyRow();
    void copyAll();
    void paste();
    // Undo and Redo of the image history; an entry still being typed is stored first.
    void undo();
    void redo();

    // Before the image leaves the editor (save, radio write): the entries still being
    // typed (a cell, a header field, the globals window's password) end and are stored.
    void commitShownGroup() override { finishEntries(); }
    void finishEntries() override;
    void afterOpen() override;
    void setCaption(const std::string& caption) override;

    // The image and labels as last opened or saved count as unchanged.
    void markClean();
    // The entries being typed end; over unsaved changes `question` is asked.
    [[nodiscard]] bool mayReplace(std::string question) override;
    // Save As: the file dialog, then the save; false when cancelled or failed.
    bool saveChanges();
    // When set, closing skips the save question.
    void setExitWithoutAsking(bool skip) { exitWithoutAsking_ = skip; }

    // Position and size from the settings store (twips), centred when missing.
    void restorePlacement();
    // State always; position and size only in the normal state.
    void storePlacement();

    [[nodiscard]] int portNumber() const { return operations_->portNumber(); }
    [[nodiscard]] LabelSetting labelSetting() const { return operations_->labelSetting(); }

    // Appended to every caption (e.g. " [simulated radio]").
    void setCaptionSuffix(const QString& suffix);
    // Demo mode: the simulated radio is `device`; the caption and the status bar say so
    // while the chosen port opens it.
    void showSimulatedRadio(const std::string& device);

    // A transfer replaced part of the document: the history is cleared and it shows again.
    void replaced(Replaced what) override;

    // The controllers of the menus' commands.
    [[nodiscard]] FileController& fileCommands() const { return *fileCommands_; }
    [[nodiscard]] RadioController& radioCommands() const { return *radioCommands_; }
    [[nodiscard]] ExchangeController& exchangeCommands() const { return *exchangeCommands_; }
    [[nodiscard]] ConfigController& configCommands() const { return *configCommands_; }
    [[nodiscard]] WindowsController& windows() const { return *windows_; }
    [[nodiscard]] BulkEditController& rowCommands() const { return *rowCommands_; }
    [[nodiscard]] const RadioHistory& radioHistory() const { return *radioHistory_; }

    [[nodiscard]] RadioLink& link() { return *link_; }
    [[nodiscard]] RadioOperations& radioOperations() { return *operations_; }
    [[nodiscard]] const TracePort& trace() const { return *trace_; }
    // This run's diagnostic log: the link, the operations, the files and the settings.
    [[nodiscard]] const QtLog& log() const { return log_; }

    [[nodiscard]] const GroupControls& controls() const { return controls_; }
    [[nodiscard]] ChannelGridView& grid() const { return *grid_; }
    [[nodiscard]] ChannelGridModel& gridModel() const { return *gridModel_; }
    [[nodiscard]] OffsetEntry& offsetEntry() const { return *offset_; }
    [[nodiscard]] ProgressWindow& progress() const { return *proc_; }
    [[nodiscard]] FileOpenSave& files() { return files_; }
    [[nodiscard]] const GridClipboard& clipboard() const { return clip_; }
    [[nodiscard]] ImageHistory& history() const { return *history_; }
    [[nodiscard]] const StatusLine& status() const { return *status_; }
    [[nodiscard]] const MainMenus& menus() const { return menus_; }
    [[nodiscard]] Document& document() { return doc_; }

    // Updates Paste: enabled while the clipboard holds this window's last copy.
    void updatePasteEnabled();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    MainWindow(Document& doc, Prompts& prompts, SettingsStore& settings, TextClipboard& clipboard,
               FileSystem& files, std::unique_ptr<LinkPort> ownPort, LinkPort* port,
               QWidget* parent);
    void buildWindow();
    void connectCommands();
    // The controllers of the menus, once the link and the operations exist.
    void makeControllers();
    void selectorClicked();
    // Stores the value the user committed in a group control into the shown group.
    void storeParam(const ParamBinding& b);
    // A header field holds typed text not yet stored.
    [[nodiscard]] bool entryPending() const;
    // "Save before exit?": true when the window may close.
    bool queryUnload();
    // F1 in the offset box stays with the box (its help) instead of opening Help.
    bool offsetHelpKey(QObject* object, QEvent* event) const;
    // EditorView: the shown group and the other windows show the image again.
    void showImageAgain() override;
    [[nodiscard]] QString openFile() const override { return openFile_; }
    // The status bar's word on key C in transmit column `column`.
    void sayCopiedToAllRows(int column);
    // An undo or redo changed group g's bytes (-1: global bytes only).
    void showRestored(int g);
    // The caption's unsaved-changes mark, the status bar's file and port, Undo and Redo.
    void updateStatus() override;
    // Undo and Redo are offered only when they would change something.
    void updateUndoRedo();
    // A trace switched on in an earlier run goes on in a new file, named by the date.
    void resumeTrace();

    std::unique_ptr<LinkPort> ownPort_;  // the serial port when none was given
    std::unique_ptr<TracePort> trace_;   // around the port; traces only when switched on
    QtLog log_;
    // The caller's settings store and file system, with what changes in them logged.
    LoggedSettingsStore loggedSettings_;
    LoggedFileSystem loggedFiles_;
    Document& doc_;
    Prompts& prompts_;
    SettingsStore& settings_;
    FileOpenSave files_;
    GridClipboard clip_;

    GroupControls controls_;
    ParamBindings params_;
    MainMenus menus_;
    ChannelGridModel* gridModel_ = nullptr;
    ChannelGridView* grid_ = nullptr;
    OffsetEntry* offset_ = nullptr;
    ProgressWindow* proc_ = nullptr;
    ImageHistory* history_ = nullptr;
    std::unique_ptr<StatusLine> status_;
    std::unique_ptr<RadioLink> link_;
    SystemClock clock_;
    std::unique_ptr<RadioHistory> radioHistory_;  // in the user's data folder
    std::unique_ptr<RadioOperations> operations_;
    // Save and print of the lists the other windows show.
    std::unique_ptr<TextReport> report_;
    // After the link and the operations, so they go before them.
    std::unique_ptr<FileController> fileCommands_;
    std::unique_ptr<WindowsController> windows_;
    std::unique_ptr<RadioController> radioCommands_;
    std::unique_ptr<ExchangeController> exchangeCommands_;
    std::unique_ptr<ConfigController> configCommands_;
    std::unique_ptr<BulkEditController> rowCommands_;
    FileSystem& fileSystem_;
    QString captionSuffix_;
    QString caption_;
    QString openFile_;             // the file last opened or saved; empty: none yet
    std::string simulatedDevice_;  // demo mode's device; empty: none

    // True while the window is being created: the group selector then stores and shows
    // nothing by itself.
    bool initializing_ = false;
    bool exitWithoutAsking_ = false;
};

}  // namespace zav
