#pragma once
// What the controllers of the main window share about a menu command: the file dialog
// named after it, and the status bar's word on how it ended.

#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "iface/prompts.h"
#include "ops/operation_result.h"

class QAction;

namespace zav {

class StatusLine;

// The command's caption without its access key ("Export CSV...").
[[nodiscard]] QString commandCaption(const QAction* command);

// A file named through the file dialog of `command` with the given filter; nullopt when
// cancelled. The dialog is titled after the command ("Export CSV"), not "Open" or "Save As".
std::optional<std::string> askCommandFile(Prompts& prompts, const QAction* command,
                                          FileDialogMode mode, std::string_view filter,
                                          std::string_view pattern, const std::string& name = {});

// The same, with the type chosen from the filter.
std::optional<ChosenFile> askCommandFileOfType(Prompts& prompts, const QAction* command,
                                               FileDialogMode mode, std::string_view filter,
                                               std::string_view pattern,
                                               const std::string& name = {});

// The status bar's word on how the command `name` ended, and the history file it kept.
void sayOutcome(StatusLine& status, const QString& name, const OperationResult& result,
                const std::string& kept = {});

}  // namespace zav
