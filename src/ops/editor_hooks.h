#pragma once
// What the operations ask of the editor window: which group it shows, storing its edits
// into the document before a write, showing the document again after a read, and its
// unsaved changes before a read replaces them. The main
// window implements it; DocumentEditor is the same without a window.

namespace zav {

class EditorHooks {
  public:
    virtual ~EditorHooks() = default;

    // The group number (1..15) the group selector shows; 0 when it shows none.
    [[nodiscard]] virtual int selectedGroupNumber() const = 0;
    // The selector's group takes the window's edits (when it shows one).
    virtual void storeGroupMemory() = 0;
    // Stores the selector's group (group 0 when none) and makes it the current group.
    virtual void commitCurrentGroup() = 0;
    // The selector's group shows its contents from the image again.
    virtual void displayGroupMemory() = 0;
    // Rebuilds the group records from the page map and shows the first listed group.
    virtual void initGroups(int mode) = 0;
    // Group g (0..14) takes the window's edits when it is the group shown / shows its
    // contents from the image.
    virtual void storeGroup(int g) = 0;
    virtual void showGroup(int g) = 0;
    // Edits of other open windows (the global parameters) reach the image.
    virtual void storeOtherWindows() = 0;

    // A read succeeded: image bytes first..first + count - 1 now hold the radio's.
    virtual void memoryRead(int first, int count) = 0;
    // A label read succeeded: group groupIndex's labels (all for -1) are the radio's.
    virtual void labelsRead(int groupIndex) = 0;

    // Whether the document holds changes not yet saved (the window's edits are stored
    // first), and saving them as File > Save As does: false when nothing was saved.
    [[nodiscard]] virtual bool hasUnsavedChanges() = 0;
    virtual bool saveChanges() = 0;
};

}  // namespace zav
