#pragma once
// The frequency file of a freshly started editor: the default global page and all 15
// groups with their default contents and labels.

#include "files/frequency_file.h"

namespace zav {

FrequencyFileBytes defaultFrequencyFile();

}  // namespace zav
