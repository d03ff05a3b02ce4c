#include "ops/unsaved_changes.h"

#include <utility>

#include "iface/prompts.h"
#include "model/document.h"

namespace zav {

bool mayReplaceDocument(Prompts& prompts, const Document& doc, const std::function<bool()>& save,
                        std::string text) {
    if (!doc.modified()) return true;
    switch (prompts.ask(question(std::move(text), Buttons::YesNoCancel))) {
        case Answer::Yes:
            // A cancelled dialog or a failed save would lose the changes: nothing goes.
            return save();
        case Answer::No:
            return true;
        default:
            return false;
    }
}

}  // namespace zav
