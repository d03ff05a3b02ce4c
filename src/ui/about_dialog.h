#pragma once
// The about window: title, version, description, and a button that starts the
// platform's system information tool where one is known.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "iface/prompts.h"

class QLabel;
class QPushButton;

namespace zav {

// Finds the system information tool; nullopt when none is known.
using SystemInfoFinder = std::function<std::optional<std::string>()>;
// Starts the tool without waiting for it; false when it could not be started.
using ProgramStarter = std::function<bool(const std::string&)>;

// Looks for a known system information program on the search path.
std::optional<std::string> findSystemInfoTool();
bool startDetached(const std::string& program);

class AboutDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(Prompts& prompts, QWidget* parent = nullptr,
                         SystemInfoFinder finder = findSystemInfoTool,
                         ProgramStarter starter = startDetached);

    // The System Info button's action.
    void startSysInfo();

    static constexpr const char* kUnavailable =
        QT_TRANSLATE_NOOP("Messages", "System Information Is Unavailable At This Time");

  private:
    Prompts& prompts_;
    SystemInfoFinder finder_;
    ProgramStarter starter_;
};

}  // namespace zav
