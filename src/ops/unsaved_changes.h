#pragma once
// The one question before the document, or any part of it, is replaced (a file opened, a
// radio read, the editor closed): unsaved changes are never lost without the user's word.

#include <string>

namespace zav {

class EditorHooks;
class Prompts;

// With unsaved changes, asks `text` (Yes, No, Cancel): Yes saves them as Save As does,
// No gives them up, Cancel keeps them. True when the document may be replaced: nothing
// was unsaved, it was saved, or the user gave it up; false when the user cancelled or the
// save did not happen.
[[nodiscard]] bool mayReplaceDocument(Prompts& prompts, EditorHooks& editor, std::string text);

}  // namespace zav
