#pragma once
// The progress window as the radio transfers see it: a bar whose range and value
// the transfer sets, and a Cancel button the transfer polls. The transfers say when an
// operation and a connection begin and end; what the user may do meanwhile (the main
// window takes no input while a transfer runs) is the window's to decide.

#include <atomic>
#include <cstdint>
#include <string>

namespace zav {

// What an operation does to the radio: a Cancel during one that writes asks first.
enum class OperationKind : std::uint8_t { Reads, Writes };

class Progress {
  public:
    virtual ~Progress() = default;

    // An operation begins: the window shows `text`. Clears Cancelled and disables
    // Cancel; the user can start nothing else.
    virtual void beginOperation(const std::string& text, OperationKind kind) = 0;
    // The operation ended (the caller's closing step): the window goes.
    virtual void endOperation() = 0;
    // Clears Cancelled and enables the Cancel button.
    virtual void enableCancel() = 0;
    [[nodiscard]] virtual bool cancelled() const = 0;

    // The bar.
    virtual void setMinimum(int value) = 0;
    virtual void setMaximum(int value) = 0;
    virtual void setValue(int value) = 0;
    virtual void setBarVisible(bool visible) = 0;

    // A connection to the radio ended (released, or never made): nothing the user does
    // can come between the frames of a conversation any more.
    virtual void connectionEnded() = 0;

    // The transfer is about to pause without letting any window event through: a sink
    // that draws brings its window up to date first.
    virtual void beforeBlockingPause() {}

    // What the transfer is doing now ("Writing group 7 (9 of 15)"), under the operation
    // text; beginOperation clears it. A sink that shows no text ignores it.
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
    void beginOperation(const std::string& /*text*/, OperationKind /*kind*/) override {}
    void endOperation() override {}
    void enableCancel() override {}
    [[nodiscard]] bool cancelled() const override { return false; }
    void setMinimum(int /*value*/) override {}
    void setMaximum(int /*value*/) override {}
    void setValue(int /*value*/) override {}
    void setBarVisible(bool /*visible*/) override {}
    void connectionEnded() override {}
};

}  // namespace zav
