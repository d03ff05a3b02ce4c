#include "ops/document_editor.h"

#include "model/document.h"

namespace zav {

void DocumentEditor::replaced(Replaced what) {
    if (what == Replaced::Radio) doc_.reloadGroups();
}

}  // namespace zav
