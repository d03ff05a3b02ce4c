#pragma once
// The command line's progress window: one line on stderr, redrawn in place while a
// transfer runs, when stderr is a terminal. It shows the operation, the bytes moved each
// way (whole-radio transfers drive no bar) and the bar's value when a transfer sets one.
// Messages clear the line first so that they start on a line of their own.

#include <chrono>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/forwarding_port.h"

namespace zav::tool {

// The progress line redraws itself with escape codes: only on a terminal that takes them
// (stderr is a terminal and TERM names one that is not "dumb").
bool takesEscapeCodes(int fd, const char* term);

class ProgressLine {
  public:
    ProgressLine(std::ostream& out, bool enabled, std::string activity);
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;
    ~ProgressLine() { clear(); }

    // Redraws the line, at most every 100 ms unless forced.
    void update(LinkTime now, bool force = false);
    // Erases the line (before a message, and at the end).
    void clear();

    void countSent() { ++sent_; }
    void countReceived() { ++received_; }
    void setText(std::string text) { text_ = std::move(text); }
    void setMaximum(int maximum) { maximum_ = maximum; }
    void setMinimum(int minimum) { minimum_ = minimum; }
    void setValue(int value) { value_ = value; }
    void setBarVisible(bool visible) { barVisible_ = visible; }

  private:
    std::ostream& out_;
    bool enabled_;
    std::string activity_;
    std::string text_;
    long sent_ = 0;
    long received_ = 0;
    int minimum_ = 0;
    int maximum_ = 0;
    int value_ = 0;
    bool barVisible_ = false;
    bool drawn_ = false;
    LinkTime lastDrawn_{};
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The progress window's part: the bar and the operation text. Cancelled once `cancel`
// is asked for (by a terminal's interrupt), which also hears of the unstoppable steps.
class LineProgress final : public Progress {
  public:
    LineProgress(ProgressLine& line, CancelRequest* cancel) : line_(line), cancel_(cancel) {}
    void beginOperation(const std::string& text, OperationKind /*kind*/) override {
        line_.setText(text);
    }
    void endOperation() override { line_.setText({}); }
    void enableCancel() override {}
    [[nodiscard]] bool cancelled() const override { return CancelRequest::isSet(cancel_); }
    void beginUnstoppableStep() override { CancelRequest::count(cancel_, 1); }
    void endUnstoppableStep() override { CancelRequest::count(cancel_, -1); }
    void setMinimum(int value) override { line_.setMinimum(value); }
    void setMaximum(int value) override { line_.setMaximum(value); }
    void setValue(int value) override { line_.setValue(value); }
    void setBarVisible(bool visible) override { line_.setBarVisible(visible); }
    void connectionEnded() override {}

  private:
    ProgressLine& line_;
    CancelRequest* cancel_;
};

// A port that counts the bytes going each way and redraws the line while it waits.
class CountingPort final : public ForwardingPort {
  public:
    CountingPort(LinkPort& port, ProgressLine& line) : ForwardingPort(port), line_(line) {}
    bool writeByte(Byte value) override;
    std::optional<Byte> readByte() override;
    void waitUntil(LinkTime deadline, bool wakeOnInput) override;

  private:
    ProgressLine& line_;
};

// Prompts that clear the progress line before every message.
class LineClearingPrompts final : public Prompts {
  public:
    LineClearingPrompts(Prompts& prompts, ProgressLine& line) : prompts_(prompts), line_(line) {}
    Answer ask(const Message& message) override {
        line_.clear();
        return prompts_.ask(message);
    }
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
        line_.clear();
        return prompts_.chooseFile(request);
    }
    void beep() override { prompts_.beep(); }

  private:
    Prompts& prompts_;
    ProgressLine& line_;
};

}  // namespace zav::tool
