#pragma once
// The progress window as the radio transfers see it: a bar whose range and value
// the transfer sets, a Cancel button the transfer polls, and the main window that
// is disabled while a transfer runs.

#include <atomic>
#include <string>

namespace zav {

class Progress {
  public:
    virtual ~Progress() = default;

    // Shows the window with an operation text; writeMode marks an operation that
    // writes to the radio (its Cancel asks first). Clears Cancelled, disables Cancel,
    // disables the main window.
    virtual void showForm(const std::string& text, bool writeMode) = 0;
    // Hides the window (the caller's closing step).
    virtual void hideForm() = 0;
    // Clears Cancelled and enables the Cancel button.
    virtual void enableCancel() = 0;
    [[nodiscard]] virtual bool cancelled() const = 0;

    // The bar (Prog1).
    virtual void setMinimum(int value) = 0;
    virtual void setMaximum(int value) = 0;
    virtual void setValue(int value) = 0;
    virtual void setBarVisible(bool visible) = 0;

    // Enables the main window again (the end of a session).
    virtual void enableMainWindow() = 0;

    // What the transfer is doing now ("Writing group 7 (9 of 15)"), under the operation
    // text; showForm clears it. A sink that shows no text ignores it.
    virtual void setStep(const std::string& /*text*/) {}

    // The transfer begins, or ends, a step that cannot be stopped safely once begun (the
    // write program's blocks, a label write): a cancel asked for meanwhile waits for its
    // end. A sink whose cancel stays live during it (a terminal's interrupt) says so.
    virtual void beginUnstoppableStep() {}
    virtual void endUnstoppableStep() {}
};

// An unstoppable step for as long as it lives.
class UnstoppableStep {
  public:
    explicit UnstoppableStep(Progress& progress) : progress_(progress) {
        progress_.beginUnstoppableStep();
    }
    ~UnstoppableStep() { progress_.endUnstoppableStep(); }
    UnstoppableStep(const UnstoppableStep&) = delete;
    UnstoppableStep& operator=(const UnstoppableStep&) = delete;

  private:
    Progress& progress_;
};

// A cancel asked for from outside the window system (a terminal's interrupt, a signal),
// so set from a signal handler: lock-free atomics only. The progress of the transfers it
// cancels counts their unstoppable steps, so that the handler can say at once that the
// cancel waits for one.
struct CancelRequest {
    std::atomic<bool> requested{false};
    std::atomic<int> unstoppableSteps{0};

    [[nodiscard]] static bool isSet(const CancelRequest* request) {
        return request != nullptr && request->requested;
    }
    static void count(CancelRequest* request, int steps) {
        if (request != nullptr) request->unstoppableSteps += steps;
    }
};

// A progress sink that shows nothing and is never cancelled.
class NullProgress final : public Progress {
  public:
    void showForm(const std::string& /*text*/, bool /*writeMode*/) override {}
    void hideForm() override {}
    void enableCancel() override {}
    [[nodiscard]] bool cancelled() const override { return false; }
    void setMinimum(int /*value*/) override {}
    void setMaximum(int /*value*/) override {}
    void setValue(int /*value*/) override {}
    void setBarVisible(bool /*visible*/) override {}
    void enableMainWindow() override {}
};

}  // namespace zav
