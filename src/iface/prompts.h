#pragma once
// Every message box, question and file dialog of the editor goes through this one
// interface: the Qt windows show real boxes, the command-line tool answers on a
// terminal and the tests answer from a script.

#include <optional>
#include <string>
#include <string_view>

namespace zav {

// Title of every box that names no title of its own.
inline constexpr std::string_view kAppTitle = "ZAVPROG";

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Exclamation, Question };
enum class Answer { Ok, Cancel, Yes, No, Retry };

struct Message {
    std::string text;
    std::string title;  // empty: kAppTitle
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    std::string detail;  // optional extra text (a device name, the system's reason)

    [[nodiscard]] std::string shownTitle() const {
        return title.empty() ? std::string(kAppTitle) : title;
    }
};

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    std::string fileName;        // pre-filled name
    std::string filter;          // "Text (*.x)|*.x|..." pairs as the file module gives them
    int filterIndex = 0;         // 0-based entry selected first
    std::string defaultPattern;  // e.g. "*.frq"
};

class Prompts {
  public:
    virtual ~Prompts() = default;
    // Shows a modal message and returns the button pressed. Closing a box without
    // pressing a button answers Cancel where there is one, otherwise the only button.
    virtual Answer ask(const Message& message) = 0;
    // Shows the open or save dialog; nullopt when cancelled.
    virtual std::optional<std::string> chooseFile(const FileDialogRequest& request) = 0;
    // The system beep.
    virtual void beep() {}
};

}  // namespace zav
