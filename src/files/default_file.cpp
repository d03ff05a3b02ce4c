#include "files/default_file.h"

#include <memory>

#include "model/document.h"

namespace zav {

FrequencyFileBytes defaultFrequencyFile() {
    const auto document = std::make_unique<Document>();
    return encodeFrequencyFile(document->mem, document->labels);
}

}  // namespace zav
