#pragma once
// Radio > Write Fleet...: the editor's contents written to several radios at once, each on
// its own port, optionally with consecutive unit numbers (ANI/ID) in all or some groups.
// The list shows each radio's progress and outcome as it goes; the radios run on their
// own threads (src/ops runFleet) and report here through queued signals. The user is
// told anything only through Prompts.

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "ops/fleet.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QThread;
class QTreeWidget;

namespace zav {

class Prompts;
class SettingsStore;

class FleetWriteDialog final : public QDialog {
    Q_OBJECT
  public:
    // `contents` gives the file to write when Write is pressed (the window's edits stored
    // first); `devices` names the devices of port numbers.
    FleetWriteDialog(Prompts& prompts, const SettingsStore& devices,
                     std::function<FileBytes()> contents, QWidget* parent = nullptr);
    ~FleetWriteDialog() override;

    // The ports offered at first (one a line).
    void setPorts(const QStringList& ports);
    // Tests run simulated radios on standard threads.
    void setPortFactory(PortFactory makePort, ParallelRunner runAll);
    // Where each radio's backup goes; a write backs up when the settings say so.
    void setHistory(RadioHistory* history) { history_ = history; }

    // The Write button: checks the entries, asks, and starts every radio.
    void startWrite();
    // The Cancel button: every radio ends as soon as it can.
    void cancelWrite();
    [[nodiscard]] bool running() const { return runner_ != nullptr; }
    // The last run's results, in port order.
    [[nodiscard]] const std::vector<FleetRadioResult>& results() const { return results_; }

  signals:
    // From the radios' threads; delivered queued.
    void radioProgressed(int index, int value, int maximum, const QString& text);
    void radioFinished(int index, int outcome, const QString& text);
    // Every radio has ended.
    void fleetFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    class Observer;
    void showProgress(int index, int value, int maximum, const QString& text);
    void showFinished(int index, int outcome, const QString& text);
    void endRun();
    [[nodiscard]] std::optional<FleetRequest> request();

    Prompts& prompts_;
    const SettingsStore& devices_;
    std::function<FileBytes()> contents_;
    PortFactory makePort_;
    ParallelRunner runAll_;

    QPlainTextEdit* ports_ = nullptr;
    QCheckBox* unitsCheck_ = nullptr;
    QSpinBox* unitFrom_ = nullptr;
    QLineEdit* unitGroups_ = nullptr;
    QCheckBox* globalCheck_ = nullptr;
    QCheckBox* labelsCheck_ = nullptr;
    QTreeWidget* radios_ = nullptr;
    std::vector<QProgressBar*> bars_;
    QLabel* summary_ = nullptr;
    QPushButton* writeButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;

    std::unique_ptr<Observer> observer_;
    CancelRequest cancel_;
    FileBytes file_;
    FleetRequest request_;
    RadioHistory* history_ = nullptr;
    std::vector<FleetRadioResult> results_;
    std::unique_ptr<QThread> runner_;  // runs the fleet while the window stays live
};

}  // namespace zav
