#include "ops/unsaved_changes.h"

#include <utility>

#include "iface/prompts.h"
#include "ops/editor_hooks.h"

namespace zav {

bool mayReplaceDocument(Prompts& prompts, EditorHooks& editor, std::string text) {
    if (!editor.hasUnsavedChanges()) return true;
    switch (prompts.ask(question(std::move(text), Buttons::YesNoCancel))) {
        case Answer::Yes:
            // A cancelled dialog or a failed save would lose the changes: nothing goes.
            return editor.saveChanges();
        case Answer::No:
            return true;
        default:
            return false;
    }
}

}  // namespace zav
