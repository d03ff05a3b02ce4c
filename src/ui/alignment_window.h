#pragma once
// The synthesizer alignment window: an explanation, the Start button (the default one),
// the results log of a run and a status bar. The log stays after the run, read-only, to be
// saved or printed. The alignment itself runs in the core (syncal/syncal.h); the window is
// its sink. Closing the window during a run releases the radio.

#include <QDialog>
#include <QSize>
#include <string>

#include "syncal/syncal.h"
#include "syncal/syncal_sink.h"

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QStatusBar;

namespace zav {

class Prompts;
class RadioLink;
class TextReport;

class AlignmentWindow final : public QDialog, public SyncalSink {
    Q_OBJECT
  public:
    // Modeless, owned by `owner` (the main window) but a window of its own.
    // `report` saves and prints the log.
    AlignmentWindow(RadioLink& link, Prompts& prompts, TextReport& report,
                    QWidget* owner = nullptr);

    // The Start button's action: one whole run.
    void startAlignment();

    // SyncalSink
    void addStatusLine(const std::string& text) override;
    void setStatusText(const std::string& text) override;
    void clearLog() override;
    void showRunControls() override;
    void showIdleControls() override;
    void setStartEnabled(bool enabled) override;

    [[nodiscard]] const Syncal& syncal() const { return syncal_; }

    static const char* const kIntroText;

  protected:
    // Closing the window (also with Escape) unloads it.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    // A run in progress (Start hidden) is abandoned and the radio released.
    void unload();

    Syncal syncal_;
    QLabel* hintLabel_;
    QLabel* statusLabel_;
    QStatusBar* statusBar_;
    QPushButton* startButton_;
    QDialogButtonBox* logButtons_;  // Save... and Print... of the log
    QSize idleSize_;                // the window's size before the log was shown
    std::string log_;
};

}  // namespace zav
