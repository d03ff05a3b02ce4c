#pragma once
// The editor hooks without a window, for the command line: the document is the only
// copy of the data, so showing does nothing but rebuild the group records after a whole
// read; the shown group is whatever the caller names.

#include "ops/editor_hooks.h"

namespace zav {

class Document;

class DocumentEditor final : public EditorHooks {
  public:
    // groupNumber 1..15, or 0 for none.
    explicit DocumentEditor(Document& doc, int groupNumber = 0)
        : doc_(doc), shown_(groupNumber - 1) {}

    [[nodiscard]] int shownGroup() const override { return shown_; }
    // Rebuilds the document's group records after a whole read.
    void replaced(Replaced what) override;
    // Each command reads and writes its file whole: nothing is left unsaved.
    [[nodiscard]] bool mayReplace(std::string /*question*/) override { return true; }

  private:
    Document& doc_;
    int shown_;
};

}  // namespace zav
