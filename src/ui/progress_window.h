#pragma once
// The progress window: names the running radio operation, carries the bar the transfer
// drives, and a Cancel button whose request the transfer polls. From the start of an
// operation to the end of its connection the main window takes no input.

#include <QDialog>

#include "iface/progress.h"
#include "iface/prompts.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace zav {

class ProgressWindow final : public QDialog, public Progress {
    Q_OBJECT
  public:
    // mainWindow owns the window; its contents are disabled from beginOperation to
    // connectionEnded.
    ProgressWindow(Prompts& prompts, QWidget* mainWindow);

    // Progress
    void beginOperation(const std::string& text, OperationKind kind) override;
    void endOperation() override;
    void enableCancel() override;
    [[nodiscard]] bool cancelled() const override { return cancelled_; }
    void setMinimum(int value) override;
    void setMaximum(int value) override;
    void setValue(int value) override;
    void setBarVisible(bool visible) override;
    void connectionEnded() override;
    void beforeBlockingPause() override;
    void setStep(const std::string& text) override;

    // The Cancel button's action.
    void cancelClicked();

    [[nodiscard]] bool mainWindowEnabled() const;
    [[nodiscard]] QPushButton* cancelButton() const { return cancelButton_; }
    [[nodiscard]] QProgressBar* bar() const { return progressBar_; }
    [[nodiscard]] QLabel* info() const { return infoLabel_; }
    [[nodiscard]] QLabel* step() const { return stepLabel_; }
    // Shown while Cancel is disabled: says so instead of leaving a dead button.
    [[nodiscard]] QLabel* cancelNote() const { return noteLabel_; }

    // The write warning of the Cancel button.
    static const char* const kWriteCancelWarning;

  protected:
    // Escape acts as the Cancel button (when it is enabled) and never closes the window.
    void reject() override;

  private:
    void setMainEnabled(bool enabled);
    void paintNow();
    void setCancelEnabled(bool enabled);

    Prompts& prompts_;
    QWidget* main_;
    QLabel* infoLabel_;
    QLabel* stepLabel_;
    QProgressBar* progressBar_;
    QPushButton* cancelButton_;
    QLabel* noteLabel_;
    bool cancelled_ = false;
    OperationKind kind_ = OperationKind::Reads;
};

}  // namespace zav
