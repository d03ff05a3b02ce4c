#pragma once
// Copy a row, Copy All, copying a block of rows and Paste between the channel grid and the
// system clipboard. One row travels as its six texts joined by tabs; a whole group as 14
// such lines, each ended by a carriage return; a block of n rows as n such lines. A paste
// is accepted only while the clipboard still holds exactly the text this window put there,
// and only with every cell one its field holds.

#include <QtGlobal>
#include <span>
#include <string>

#include "iface/clipboard.h"
#include "iface/prompts.h"
#include "model/document.h"

namespace zav {

class GridClipboard {
  public:
    GridClipboard(Document& doc, TextClipboard& clipboard, Prompts& prompts);

    // Start-up: the clipboard is emptied and nothing counts as copied.
    void reset();

    // From the document's shown group (nothing when none is shown).
    void copyRow(int row);
    void copyAll();
    // The rows in their order; one row is copied as copyRow copies it.
    void copyRows(std::span<const int> rows);

    enum class PasteResult { Refused, Row, All, Block };
    // Into the shown group: one row at `row`, all 14 rows, or a block into the rows from
    // `row` on. Every changed cell passes its field's gate first; with one refused, or a
    // block that does not fit, nothing is pasted (see refusal()).
    PasteResult paste(int row);
    // Why the last paste stored nothing, when a cell was refused; else empty.
    [[nodiscard]] const std::string& refusal() const { return refusal_; }

    // True while the clipboard holds what this window copied (Paste is then enabled).
    [[nodiscard]] bool pasteAvailable() const;

    // Length of the last text put on the clipboard, -1 before the first copy.
    [[nodiscard]] int clipboardLength() const;

    static constexpr const char* kNothingCopied =
        QT_TRANSLATE_NOOP("Messages", "No record has been selected to the clipboard");

  private:
    [[nodiscard]] const Group* shownGroup() const;
    void put(std::string text);
    bool pasteAllRows(Group& group, std::string text);

    Document& doc_;
    TextClipboard& clipboard_;
    Prompts& prompts_;
    enum class Copied { Nothing, Row, All, Block };
    Copied copiedKind_ = Copied::Nothing;
    bool haveCopy_ = false;
    std::string copied_;
    std::string refusal_;
};

}  // namespace zav
