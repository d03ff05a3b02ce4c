#pragma once
// The answers a caller without a user (the command line) gives to the operations' own
// questions, as its request says: the write is confirmed, the global block goes out
// unless skipGlobal, the labels travel when asked for, channels outside the radio's band go
// only when the band is ignored. Every other message goes on to the prompts underneath.

#include <cstdint>

#include "iface/prompts.h"

namespace zav {

// Whether a write stops at channels outside the radio's band (--ignore-band: it does not).
enum class BandCheck : std::uint8_t { Stop, Ignore };

struct RadioRequest {
    bool labels = false;
    bool skipGlobal = false;
    BandCheck band = BandCheck::Stop;
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
