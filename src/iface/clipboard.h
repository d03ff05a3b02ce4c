#pragma once
// The system clipboard as the editor uses it: text only. The Qt window uses the real
// clipboard; tests and headless runs use MemoryClipboard.

#include <string>

namespace zav {

class TextClipboard {
  public:
    virtual ~TextClipboard() = default;
    [[nodiscard]] virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void clear() = 0;
};

class MemoryClipboard final : public TextClipboard {
  public:
    [[nodiscard]] std::string text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }
    void clear() override { text_.clear(); }

  private:
    std::string text_;
};

}  // namespace zav
