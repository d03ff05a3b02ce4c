#pragma once
// Prompts for the command line: messages go to stderr, and questions are answered
// without asking: Retry up to a given number of times, otherwise the cautious answer.

#include <iosfwd>
#include <string>
#include <string_view>

#include "iface/prompts.h"

namespace zav {
struct CancelRequest;
}  // namespace zav

namespace zav::tool {

// The radio's messages break their lines with carriage returns (alone or before a line
// feed), which on a terminal would return to the start of the line and overwrite it:
// each becomes one line feed.
std::string terminalText(std::string_view text);

// A cancel asked for answers every Retry/Cancel question with Cancel.
class TerminalPrompts final : public Prompts {
  public:
    TerminalPrompts(std::ostream& out, int retries, const CancelRequest* cancel = nullptr)
        : out_(out), retries_(retries), cancel_(cancel) {}
    Answer ask(const Message& message) override;
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;

  private:
    std::ostream& out_;
    int retries_;
    const CancelRequest* cancel_;
};

}  // namespace zav::tool
