#include "ops/document_editor.h"

#include "model/document.h"

namespace zav {

void DocumentEditor::initGroups(int mode) {
    doc_.initGroups(mode, std::max(selected_, 1));
}

}  // namespace zav
