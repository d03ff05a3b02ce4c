#include "ops/printout_operation.h"

#include "ops/editor_hooks.h"

namespace zav {

Printout composePrintout(Document& doc, EditorHooks& editor, std::string_view printFileName) {
    editor.storeGroupMemory();
    editor.storeOtherWindows();
    editor.displayGroupMemory();
    return composeUnitData(doc, printFileName);
}

}  // namespace zav
