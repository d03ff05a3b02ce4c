#pragma once
// What comes before a fleet the user asked for in a window: the request checked (two ports
// on one device, unit numbers past seven digits, a read's files), the files a read would
// replace and the run itself confirmed, and the log opened. Everything is told and asked
// through Prompts; the window only gathers the entries and shows the radios.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ops/fleet.h"
#include "ops/fleet_log.h"

namespace zav {

class Prompts;

// The request may run: its log (null when `logPath` is empty). nullopt when it may not:
// a refusal told, a question not answered OK, or the log not opened (told).
std::optional<std::unique_ptr<FleetLog>> prepareFleet(const FleetRequest& request,
                                                      const std::string& logPath, Prompts& prompts,
                                                      std::string_view title);

}  // namespace zav
