#pragma once
// What the operations ask of the editor window: which group it shows, showing what a
// transfer replaced in the document, and whether the document may be replaced over
// unsaved changes. The window's controls store each value as the user commits it, so
// nothing waits in them to be stored before an operation. The main window implements it;
// DocumentEditor is the same without a window.

#include <cstdint>
#include <string>

namespace zav {

// What a transfer replaced in the document.
enum class Replaced : std::uint8_t {
    Radio,        // every image byte, the page map too: the group records are rebuilt
    Global,       // the global block
    Group,        // the shown group's block
    GroupLabels,  // the label group's labels (the shown group, else group 1)
    AllLabels,    // every label
};

class EditorHooks {
  public:
    virtual ~EditorHooks() = default;

    // The group (0..14) the window shows; -1 when it shows none.
    [[nodiscard]] virtual int shownGroup() const = 0;
    // A transfer replaced part of the document: the window shows it again.
    virtual void replaced(Replaced what) = 0;
    // Whether the document may be replaced: over unsaved changes the user is asked
    // `question` (mayReplaceDocument); false keeps it.
    [[nodiscard]] virtual bool mayReplace(std::string question) = 0;
};

}  // namespace zav
