#pragma once
// The unit data printout as every caller composes it: the editor's Print and Print
// Preview, and the command line's dump and print.

#include <string_view>

#include "print/printout.h"

namespace zav {

class Document;
class EditorHooks;

// The window's edits reach the image first (the selected group's and the other windows'),
// and the selected group shows again from the image, so that the printout and the window
// agree.
Printout composePrintout(Document& doc, EditorHooks& editor, std::string_view printFileName);

}  // namespace zav
