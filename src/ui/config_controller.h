#pragma once
// The Config menu (the label setting, the port and its device, Verify After Write, Back Up
// Radio Before Writing) and the Help menu (Help, About, Serial Trace...), with the check
// marks that show each setting.

#include <cstdint>

#include <QObject>

class QWidget;

namespace zav {

class EditorView;
class FileSystem;
class LogMemory;
class Prompts;
class RadioOperations;
class SettingsStore;
class TracePort;
enum class LabelSetting : std::uint8_t;
struct MainMenus;

class ConfigController final : public QObject {
    Q_OBJECT
  public:
    // What Serial Trace... and Save Diagnostics... work on: the trace around the link's
    // port, this run's log, the files they write.
    struct Diagnostics {
        TracePort& trace;
        const LogMemory& log;
        FileSystem& files;
    };
    // `window` is the parent of the dialogs and the help.
    ConfigController(const MainMenus& menus, RadioOperations& operations, Diagnostics diagnostics,
                     SettingsStore& settings, Prompts& prompts, EditorView& view, QWidget* window);

    void chooseLabelSetting(LabelSetting setting);
    // The port (1..4); a refused change keeps the old check.
    void chooseCommPort(int port);
    void choosePortDevice();
    void chooseVerifyAfterWrite(bool verify);
    void chooseBackupBeforeWrite(bool backup);
    // Help > Serial Trace...: on asks for the trace file (the last one offered) and starts
    // the trace; off stops it. Both are kept in the settings store.
    void chooseTrace(bool trace);
    [[nodiscard]] bool tracing() const;
    // Help > Save Diagnostics...: asks for a file and writes the versions, the port, the
    // settings, the trace (when on) and this run's log into it.
    void saveDiagnostics();
    void showHelp();
    void showAbout();

    // Every check mark as the settings are.
    void showChecks();

  private:
    const MainMenus& menus_;
    RadioOperations& operations_;
    TracePort& trace_;
    const LogMemory& log_;
    FileSystem& files_;
    SettingsStore& settings_;
    Prompts& prompts_;
    EditorView& view_;
    QWidget* window_;
};

}  // namespace zav
