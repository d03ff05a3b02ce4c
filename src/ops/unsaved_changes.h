#pragma once
// The one question before the document, or any part of it, is replaced (a file opened, a
// radio read, the editor closed): unsaved changes are never lost without the user's word.

#include <functional>
#include <string>

namespace zav {

class Document;
class Prompts;

// When the document is modified, asks `text` (Yes, No, Cancel): Yes saves it with `save`
// (Save As), No gives the changes up, Cancel keeps them. True when the document may be
// replaced: nothing was unsaved, it was saved, or the user gave it up; false when the user
// cancelled or `save` returned false.
[[nodiscard]] bool mayReplaceDocument(Prompts& prompts, const Document& doc,
                                      const std::function<bool()>& save, std::string text);

}  // namespace zav
