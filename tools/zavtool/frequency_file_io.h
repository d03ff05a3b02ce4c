#pragma once
// Loading and saving a frequency file for zavtool's commands, with messages on stderr.

#include <optional>
#include <string>
#include <string_view>

#include "files/frequency_file.h"

namespace zav::tool {

// The file's image and labels; with createMissing, a missing file gives the default
// contents. nullopt (after a message) when the file cannot be used.
std::optional<FrequencyFileContents> loadFrequencyFile(const std::string& path,
                                                       std::string_view command,
                                                       bool createMissing);

// Replaces the file; false (after a message) on failure, leaving the old file intact.
bool saveFrequencyFile(const std::string& path, const FrequencyFileContents& contents,
                       std::string_view command);

}  // namespace zav::tool
