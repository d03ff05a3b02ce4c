#pragma once
// Each radio operation of the menus and zavtool, bracketed by its name and how it ended in
// the link's log and, when one runs, its serial trace: "Write Radio begins", then
// "Write Radio ends: done" (or "cancelled", "failed: why"), so that whoever reads them can
// tie the bytes to what the user did.

#include <functional>
#include <string_view>

#include "ops/operation_result.h"

namespace zav {

class RadioLink;

// Runs `steps` between the brackets. An operation refused because another holds the link
// brackets nothing: its refusal is no conversation of its own.
OperationResult bracketed(RadioLink& link, std::string_view name,
                          const std::function<OperationResult()>& steps);

}  // namespace zav
