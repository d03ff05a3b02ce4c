#pragma once
// One radio command's connection: the radio's port (the serial port --port names, or the
// port a test gives), the terminal's prompts and progress line, the link, and the
// operations over a document standing in for the editor's, with the command's options
// answering the questions the editor would ask.

#include <memory>
#include <string>
#include <string_view>

#include "commands.h"
#include "files/file_system.h"
#include "files/logged_stores.h"
#include "files/radio_history.h"
#include "iface/log.h"
#include "iface/settings_store.h"
#include "link/radio_link.h"
#include "link/trace_port.h"
#include "model/document.h"
#include "ops/document_editor.h"
#include "ops/radio_operations.h"
#include "ops/request_answers.h"
#include "progress_line.h"
#include "terminal_prompts.h"

namespace zav::tool {

class RadioSession {
  public:
    using Operation = OperationResult (RadioOperations::*)();

    // activity names the operation on the progress line.
    RadioSession(const Options& options, ToolIo& io, std::string activity);
    ~RadioSession();
    RadioSession(const RadioSession&) = delete;
    RadioSession& operator=(const RadioSession&) = delete;

    [[nodiscard]] RadioLink& link() { return link_; }
    [[nodiscard]] Prompts& prompts() { return answers_; }

    // Starts the --trace file, if any, as the radio connection starts; false after the
    // message when it cannot be written. The file commands below start it themselves.
    [[nodiscard]] bool startTrace();

    // A read into the command's file: the file (the defaults for a fresh one, or when the
    // file is missing) fills the document, the operation runs, and only when it is done
    // does the document go back into the file.
    int readIntoFile(Operation operation, bool fresh, const std::string& doneText);
    // A write of the command's file, which must exist.
    int writeFromFile(Operation operation, const std::string& doneText);
    // The exit status of a result: the history file kept (if any) on err, then the done
    // text on out, or the failure on err (with `unchanged` after it).
    int report(const OperationResult& result, const std::string& doneText,
               std::string_view unchanged = {});

  private:
    struct Platform;

    const Options& options_;
    ToolIo& io_;
    std::unique_ptr<Platform> platform_;  // the serial port and what it needs
    std::unique_ptr<Log> log_;            // on err with --verbose, else nowhere
    ProgressLine line_;
    TracePort trace_;  // traces only with --trace
    CountingPort port_;
    TerminalPrompts terminal_;
    LineClearingPrompts prompts_;
    RequestAnswers answers_;
    LineProgress progress_;
    RadioLink link_;
    Document doc_;
    DocumentEditor editor_;
    MemorySettingsStore settings_;  // the label setting asks; the answers come from options
    DiskFileSystem disk_;
    LoggedFileSystem files_;  // the disk, its reads and saves logged
    SystemClock clock_;
    RadioHistory history_;
    RadioOperations operations_;
};

}  // namespace zav::tool
