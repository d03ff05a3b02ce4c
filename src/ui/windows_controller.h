#pragma once
// The editor's other windows: Edit > Global Parameters and Move (the bank move dialog), and
// Syncal. Each is made at first use and kept; the ones that talk through the link go
// before the link does.

#include <QObject>
#include <QPointer>

class QWidget;

namespace zav {

class AlignmentWindow;
class BankMoveDialog;
class Document;
class EditorView;
class GlobalsWindow;
class ImageHistory;
class Prompts;
class RadioLink;
class SettingsStore;
class StatusLine;
class TextReport;
struct MainMenus;

class WindowsController final : public QObject {
    Q_OBJECT
  public:
    // `window` owns the other windows (each a window of its own beside it).
    WindowsController(const MainMenus& menus, Document& doc, SettingsStore& settings,
                      RadioLink& link, Prompts& prompts, ImageHistory& history, StatusLine& status,
                      TextReport& report, EditorView& view, QWidget* window);
    ~WindowsController() override;

    void showGlobals();
    void showMove();
    void showSyncal();
    // The windows while they exist (nullptr before first use / after closing).
    [[nodiscard]] GlobalsWindow* globalsWindow() const;
    [[nodiscard]] AlignmentWindow* syncalWindow() const;

    // The global parameters window shows the image's values again.
    void reloadGlobals();
    // The global parameters window's entries still being typed are stored.
    void storeGlobals();
    // The global parameters window holds typed text not yet stored.
    [[nodiscard]] bool globalsPending() const;
    void closeAll();

  private:
    Document& doc_;
    SettingsStore& settings_;
    RadioLink& link_;
    Prompts& prompts_;
    ImageHistory& history_;
    StatusLine& status_;
    TextReport& report_;
    EditorView& view_;
    QWidget* window_;
    QPointer<GlobalsWindow> globals_;
    QPointer<BankMoveDialog> move_;
    QPointer<AlignmentWindow> syncal_;
};

}  // namespace zav
