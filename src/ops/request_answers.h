#pragma once
// The answers a caller without a user (the command line) gives to the operations' own
// questions, as its request says: the write is confirmed, the global block goes out
// unless skipGlobal, the labels travel when asked for. Every other message goes on to the
// prompts underneath.

#include "iface/prompts.h"

namespace zav {

struct RadioRequest {
    bool labels = false;
    bool skipGlobal = false;
};

class RequestAnswers final : public Prompts {
  public:
    RequestAnswers(Prompts& prompts, RadioRequest request) : prompts_(prompts), request_(request) {}
    Answer ask(const Message& message) override;
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
        return prompts_.chooseFile(request);
    }
    void beep() override { prompts_.beep(); }

  private:
    Prompts& prompts_;
    RadioRequest request_;
};

}  // namespace zav
