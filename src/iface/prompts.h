#pragma once
// Every message box, question and file dialog of the editor goes through this one
// interface: the Qt windows show real boxes, the command-line tool answers on a
// terminal and the tests answer from a script.
//
// One way of reporting failure per layer:
// - model: a caller's mistake (an index out of range, a value that does not fit its
//   field, a group that does not exist) throws a std::logic_error or std::runtime_error
//   subclass; text the user typed is parsed into std::optional (nullopt: not valid).
// - files: the file system answers with std::error_code, which becomes a FileError; the
//   File commands show it through Prompts and return false.
// - link: a transfer returns bool, or a small enum where the caller must tell outcomes
//   apart (GroupOnRadio, DtmfWriteResult). The link itself shows the port, hook and busy
//   failures through Prompts; each transfer's header names any further message it shows.
//   A cancelled transfer shows nothing.
// - syncal: Syncal::run returns a SyncalOutcome, and has shown its message.
// - print: composition cannot fail; a printer's failure is shown by the window layer.
// - qt, ui: everything the user sees goes through Prompts; no exception leaves a slot.
// Boxes are built with notice, information, warning and question below; a title used in
// more than one place is a named constant.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "iface/shown_text.h"

namespace zav {

// Title of every box that names no title of its own.
inline constexpr std::string_view kAppTitle = shownText("Messages", "ZAVPROG");
// Title of the radio link's failure boxes.
inline constexpr std::string_view kCommErrorTitle = shownText("Messages", "COMM ERROR");

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Exclamation, Question };
enum class Answer { Ok, Cancel, Yes, No, Retry };
// The button Enter presses: the first (Ok, Yes, Retry) unless a question asks for the
// second, as one that risks the radio does (No).
enum class DefaultButton : std::uint8_t { First, Second };

struct Message {
    std::string text;
    std::string title;  // empty: kAppTitle
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    std::string detail;  // optional extra text (a device name, the system's reason)
    DefaultButton defaultButton = DefaultButton::First;

    [[nodiscard]] std::string shownTitle() const {
        return title.empty() ? std::string(kAppTitle) : title;
    }
};

// The kinds of box; the kind sets the icon. An empty title shows kAppTitle.
// No icon: a plain notice or confirmation.
inline Message notice(std::string text, std::string_view title = {},
                      Buttons buttons = Buttons::Ok) {
    Message m;
    m.text = std::move(text);
    m.title = title;
    m.buttons = buttons;
    return m;
}

// Icon::Information.
inline Message information(std::string text, std::string_view title = {},
                           Buttons buttons = Buttons::Ok) {
    Message m = notice(std::move(text), title, buttons);
    m.icon = Icon::Information;
    return m;
}

// Icon::Exclamation, with an optional detail.
inline Message warning(std::string text, std::string_view title = {}, std::string detail = {}) {
    Message m = notice(std::move(text), title);
    m.icon = Icon::Exclamation;
    m.detail = std::move(detail);
    return m;
}

// Icon::Question.
inline Message question(std::string text, Buttons buttons, std::string_view title = {}) {
    Message m = notice(std::move(text), title, buttons);
    m.icon = Icon::Question;
    return m;
}

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    std::string fileName;        // pre-filled name
    std::string filter;          // "Text (*.x)|*.x|..." pairs as the file module gives them
    int filterIndex = 0;         // 0-based entry selected first
    std::string defaultPattern;  // e.g. "*.frq"
    std::string title;           // empty: the dialog's own ("Open", "Save As")
};

// A file chosen in the dialog, and the entry of the request's filter selected with it.
struct ChosenFile {
    std::string path;
    int filterIndex = 0;
};

class Prompts {
  public:
    virtual ~Prompts() = default;
    // Shows a modal message and returns the button pressed. Closing a box without
    // pressing a button answers Cancel where there is one, otherwise the only button.
    virtual Answer ask(const Message& message) = 0;
    // Shows the open or save dialog; nullopt when cancelled.
    virtual std::optional<std::string> chooseFile(const FileDialogRequest& request) = 0;
    // The same, telling the type chosen from the filter too (where a dialog cannot tell,
    // the one the request selected first).
    virtual std::optional<ChosenFile> chooseFileOfType(const FileDialogRequest& request) {
        auto path = chooseFile(request);
        if (!path) return std::nullopt;
        return ChosenFile{std::move(*path), request.filterIndex};
    }
    // The system beep.
    virtual void beep() {}
};

}  // namespace zav
