#pragma once
// The system clipboard through Qt (text only).

#include "iface/clipboard.h"

namespace zav {

class QtClipboard final : public TextClipboard {
  public:
    [[nodiscard]] std::string text() const override;
    void setText(const std::string& text) override;
    void clear() override;
};

}  // namespace zav
