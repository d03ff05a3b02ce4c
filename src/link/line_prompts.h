#pragma once
// The user's questions as the link asks them: the bytes the port has queued leave first,
// so that a question waiting for its answer does not hold back the end of a conversation
// (the last byte of a failed write, before "Write Failed").

#include "iface/prompts.h"
#include "link/link_port.h"

namespace zav {

class LinePrompts final : public Prompts {
  public:
    LinePrompts(Prompts& prompts, LinkPort& port) : prompts_(prompts), port_(port) {}

    Answer ask(const Message& message) override {
        port_.sendQueued();
        return prompts_.ask(message);
    }
    // The link asks for no file in a conversation.
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
        return prompts_.chooseFile(request);
    }
    std::optional<ChosenFile> chooseFileOfType(const FileDialogRequest& request) override {
        return prompts_.chooseFileOfType(request);
    }
    void beep() override { prompts_.beep(); }

  private:
    Prompts& prompts_;
    LinkPort& port_;
};

}  // namespace zav
