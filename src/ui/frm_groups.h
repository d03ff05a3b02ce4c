#pragma once
// The editor's main window: one channel group at a time, its parameters at the top and
// right, its 14 channels in the grid, the File and Edit menus, and the window's place
// on the screen kept in the settings store. The window moves values between its controls
// and the group records; the records do all encoding.

#include <QMainWindow>
#include <array>
#include <memory>
#include <span>

#include "files/file_open_save.h"
#include "iface/clipboard.h"
#include "iface/prompts.h"
#include "iface/settings_store.h"
#include "model/document.h"
#include "ui/grid_clipboard.h"
#include "ui/grid_undo.h"
#include "ui/group_controls.h"
#include "ui/main_menus.h"

namespace zav {

class ChannelGridModel;
class ChannelGridView;
class GroupLayout;
class OffsetEntry;
class frmProc;

class frmGroups final : public QMainWindow, public FileEditorHooks {
    Q_OBJECT
  public:
    frmGroups(Document& doc, Prompts& prompts, SettingsStore& settings, TextClipboard& clipboard,
              FileSystem& files, QWidget* parent = nullptr);
    ~frmGroups() override;

    // Group whose controls the window shows; -1: none, so nothing may be stored from them.
    int intCurrentGroup = -1;
    // True while the window is being created: the group selector then stores and shows
    // nothing by itself.
    bool ISINITIALIZE = false;
    // Scratch copy of the image during radio reads and of the labels during label reads.
    std::array<Byte, kMemImageSize> ImageBackup{};

    // Rebuilds the group records from the page map (mode 1: with default contents) and
    // shows the first listed group, without storing the window's old contents.
    void InitGroups(int mode);
    // Refills the group selector with the existing groups and selects the first.
    void SetupCombos();
    // The selector's group shows its contents / stores the controls' values.
    void displayGroupMemory();
    void storeGroupMemory();
    // Stores the selector's group and makes it the current group; the label commands'
    // group. Returns that group (0 when the selector is empty).
    int commitCurrentGroup();
    void SaveLabels();
    void RestoreLabels();
    // Context 1: the offset entry's help text.
    void helpScreen(int context);
    static void MemCopy(std::span<Byte> a, std::span<const Byte> b, int count);

    // Edit menu commands.
    void copyRow();
    void copyAll();
    void paste();
    void undo();

    // Before the image leaves the editor (save, radio write): the shown group's edits,
    // including an open cell editor, reach the image.
    void commitShownGroup() override;
    void afterOpen() override;
    void setCaption(const std::string& caption) override;

    // The image and labels as last opened, saved or read count as unchanged.
    void markClean();
    // Stores the shown group, then compares with the last clean state.
    [[nodiscard]] bool hasUnsavedChanges();
    // When set, closing skips the save question.
    void setExitWithoutAsking(bool skip) { exitWithoutAsking_ = skip; }

    // Position and size from the settings store (twips), centred when missing.
    void restorePlacement();
    // State always; position and size only in the normal state.
    void storePlacement();

    [[nodiscard]] int portNumber() const { return port_; }
    [[nodiscard]] int labelSetting() const { return labelSetting_; }

    [[nodiscard]] const GroupControls& controls() const { return controls_; }
    [[nodiscard]] ChannelGridView& grid() const { return *grid_; }
    [[nodiscard]] ChannelGridModel& gridModel() const { return *gridModel_; }
    [[nodiscard]] OffsetEntry& offsetEntry() const { return *offset_; }
    [[nodiscard]] frmProc& progress() const { return *proc_; }
    [[nodiscard]] FileOpenSave& files() { return files_; }
    [[nodiscard]] const GridClipboard& clipboard() const { return clip_; }
    [[nodiscard]] const GridUndo& undoRecord() const { return undo_; }
    [[nodiscard]] const MainMenus& menus() const { return menus_; }
    [[nodiscard]] const GroupLayout& layoutRules() const { return *layout_; }
    [[nodiscard]] Document& document() { return doc_; }

    // Updates Paste: enabled while the clipboard holds this window's last copy.
    void updatePasteEnabled();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    void buildWindow();
    void connectCommands();
    void selectorClicked();
    [[nodiscard]] int selectorNumber() const;
    void showGroup(int g);
    void storeGroup(int g);
    // "Save before exit?": true when the window may close.
    bool queryUnload();
    void showAbout();

    Document& doc_;
    Prompts& prompts_;
    SettingsStore& settings_;
    FileOpenSave files_;
    GridClipboard clip_;
    GridUndo undo_;

    GroupControls controls_;
    MainMenus menus_;
    ChannelGridModel* gridModel_ = nullptr;
    ChannelGridView* grid_ = nullptr;
    OffsetEntry* offset_ = nullptr;
    frmProc* proc_ = nullptr;
    std::unique_ptr<GroupLayout> layout_;

    int shownGroup_ = -1;  // the group whose values fill the controls
    GroupParams shownParams_;
    int port_ = 1;
    int labelSetting_ = 2;
    bool exitWithoutAsking_ = false;
    MemImage cleanMem_{};
    LabelImage cleanLabels_{};
};

}  // namespace zav
