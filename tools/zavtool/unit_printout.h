#pragma once
// The unit data printout of a frequency file, for the dump and print commands.

#include <optional>
#include <string>
#include <string_view>

#include "print/printout.h"

namespace zav::tool {

// The printout of the file's image and labels, titled with the path as given; nullopt
// (after a message) when the file cannot be used.
std::optional<Printout> composeFilePrintout(const std::string& path, std::string_view command);

}  // namespace zav::tool
