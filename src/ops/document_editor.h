#pragma once
// The editor hooks without a window, for the command line: the document is the only
// copy of the data, so storing and showing do nothing; the selected group is whatever
// the caller names.

#include "ops/editor_hooks.h"

namespace zav {

class Document;

class DocumentEditor final : public EditorHooks {
  public:
    // selectedGroupNumber 1..15, or 0 for none.
    explicit DocumentEditor(Document& doc, int selectedGroupNumber = 0)
        : doc_(doc), selected_(selectedGroupNumber) {}

    [[nodiscard]] int selectedGroupNumber() const override { return selected_; }
    void storeGroupMemory() override {}
    void commitCurrentGroup() override {}
    void displayGroupMemory() override {}
    // Rebuilds the document's group records from its page map.
    void initGroups(int mode) override;
    void storeGroup(int /*g*/) override {}
    void showGroup(int /*g*/) override {}
    void storeOtherWindows() override {}
    void memoryRead(int /*first*/, int /*count*/) override {}
    void labelsRead(int /*groupIndex*/) override {}
    // Each command reads and writes its file whole: nothing is left unsaved.
    [[nodiscard]] bool hasUnsavedChanges() override { return false; }
    bool saveChanges() override { return true; }

  private:
    Document& doc_;
    int selected_;
};

}  // namespace zav
