#pragma once
// Prompts answered from a script, recording every message shown: the GUI and link
// tests use it in place of message boxes and file dialogs.

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
    void queueFile(std::optional<std::string> path, std::optional<int> filterIndex = {}) {
        files_.push_back(std::move(path));
        types_.push_back(filterIndex);
    }

    Answer ask(const Message& message) override {
        messages.push_back(message);
        if (answered_ < answers_.size()) return answers_[answered_++];
        if (message.buttons == Buttons::Ok) return Answer::Ok;
        return message.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        return chosen_ < files_.size() ? files_[chosen_++] : std::nullopt;
    }
    // The file queued, with the filter entry queued with it (else the request's).
    std::optional<ChosenFile> chooseFileOfType(const FileDialogRequest& request) override {
        const std::size_t at = chosen_;
        auto path = chooseFile(request);
        if (!path) return std::nullopt;
        return ChosenFile{std::move(*path), types_[at].value_or(request.filterIndex)};
    }
    void beep() override { ++beeps; }

    [[nodiscard]] std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Message& m : messages) out.push_back(m.text);
        return out;
    }

    std::vector<Message> messages;
    std::vector<FileDialogRequest> fileRequests;
    int beeps = 0;

  private:
    std::vector<Answer> answers_;
    std::size_t answered_ = 0;
    std::vector<std::optional<std::string>> files_;
    std::vector<std::optional<int>> types_;
    std::size_t chosen_ = 0;
};

}  // namespace zav::test
