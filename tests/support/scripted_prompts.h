#pragma once
// Prompts answered from a script, recording every message shown: the GUI and link
// tests use it in place of message boxes and file dialogs.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "iface/prompts.h"

namespace zav::test {

class ScriptedPrompts final : public Prompts {
  public:
    // Answers given in order; when the script runs out, the default answer is the
    // "negative" one (Cancel, No, or Ok for a box with only Ok).
    void queueAnswer(Answer a) { answers_.push_back(a); }
    void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

    Answer ask(const Message& message) override {
        messages.push_back(message);
        if (!answers_.empty()) return next(answers_);
        if (message.buttons == Buttons::Ok) return Answer::Ok;
        return message.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        return files_.empty() ? std::nullopt : next(files_);
    }
    void beep() override { ++beeps; }

    [[nodiscard]] std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }

    std::vector<Message> messages;
    std::vector<FileDialogRequest> fileRequests;
    int beeps = 0;

  private:
    template <typename T>
    static T next(std::deque<T>& queue) {
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }

    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> files_;
};

}  // namespace zav::test
