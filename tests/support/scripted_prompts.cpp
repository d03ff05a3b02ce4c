#include "support/scripted_prompts.h"

namespace zav::test {

namespace {
Answer defaultAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
        case Buttons::RetryCancel:
            return Answer::Cancel;
    }
    return Answer::Cancel;
}
}  // namespace

Answer ScriptedPrompts::ask(const Message& message) {
    messages.push_back(message);
    if (answers_.empty()) return defaultAnswer(message.buttons);
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<std::string> ScriptedPrompts::chooseFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (files_.empty()) return std::nullopt;
    auto f = files_.front();
    files_.pop_front();
    return f;
}

std::vector<std::string> ScriptedPrompts::texts() const {
    std::vector<std::string> out;
    out.reserve(messages.size());
    for (const auto& m : messages) out.push_back(m.text);
    return out;
}

}  // namespace zav::test
