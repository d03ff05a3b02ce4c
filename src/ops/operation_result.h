#pragma once
// How a user-level operation ended. By the time it returns, the user has been told what
// its steps tell (through Prompts); the caller adds only its own presentation: a window
// nothing more, the command line an exit status and a summary line.

#include <cstdint>
#include <string>
#include <utility>

namespace zav {

enum class Outcome : std::uint8_t { Done, Failed, Cancelled };

struct OperationResult {
    Outcome outcome = Outcome::Done;
    // Failed: what failed, in a few words for a summary line ("the radio was not read").
    std::string message;

    [[nodiscard]] bool done() const { return outcome == Outcome::Done; }

    static OperationResult success() { return {}; }
    static OperationResult failure(std::string message) {
        return {Outcome::Failed, std::move(message)};
    }
    static OperationResult cancelled() { return {Outcome::Cancelled, {}}; }

    friend bool operator==(const OperationResult&, const OperationResult&) = default;
};

// How the result reads in a log or a trace: "done", "cancelled", "failed: <message>".
std::string outcomeText(const OperationResult& result);

}  // namespace zav
