#pragma once
// Radio > Write Fleet...: several radios at once, each on its own port: the editor's
// contents written (with labels, consecutive unit numbers, verify), the radios read into a
// file each, or their labels written; optionally a log row per radio. The list shows each
// radio's bar, its outcome and the file its radio history kept, and a summary at the end.
// The operations layer checks, asks and runs (src/ops fleet_start.h, fleet.h) on threads of
// its own, which report here through queued signals; this window only presents.

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "ops/fleet.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QThread;
class QTreeWidget;

namespace zav {

class FleetLog;
class Prompts;
class SettingsStore;

class FleetWriteDialog final : public QDialog {
    Q_OBJECT
  public:
    // `contents` gives the file to write when Start is pressed (the window's edits stored
    // first); `devices` names the devices of port numbers.
    FleetWriteDialog(Prompts& prompts, const SettingsStore& devices,
                     std::function<FileBytes()> contents, QWidget* parent = nullptr);
    ~FleetWriteDialog() override;

    // The ports offered at first (one a line).
    void setPorts(const QStringList& ports);
    // Tests run simulated radios on standard threads.
    void setPortFactory(PortFactory makePort, ParallelRunner runAll);
    // Where each radio's read or backup goes; a write backs up when the settings say so.
    void setHistory(RadioHistory* history) { history_ = history; }

    // The Start button: gathers the entries, checks and asks, and starts every radio.
    void start();
    // The Cancel button: every radio stops at its next safe point; none starts any more.
    void cancel();
    [[nodiscard]] bool running() const { return runner_ != nullptr; }
    // The last run's results, in port order.
    [[nodiscard]] const std::vector<FleetRadioResult>& results() const { return results_; }

  signals:
    // From the radios' threads; delivered queued.
    void radioProgressed(int index, int value, int maximum, const QString& text);
    void radioFinished(int index, bool done, const QString& text, const QString& historyFile);
    // Every radio has ended.
    void fleetFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape while the radios run cancels them, as Cancel does; the window stays.
    void reject() override;

  private:
    class Observer;
    void showOperation();
    void showProgress(int index, int value, int maximum, const QString& text);
    void showFinished(int index, bool done, const QString& text, const QString& historyFile);
    void endRun();
    [[nodiscard]] std::optional<FleetRequest> request();

    Prompts& prompts_;
    const SettingsStore& devices_;
    std::function<FileBytes()> contents_;
    PortFactory makePort_;
    ParallelRunner runAll_;

    QFormLayout* form_ = nullptr;
    QPlainTextEdit* ports_ = nullptr;
    QComboBox* operation_ = nullptr;
    QCheckBox* unitsCheck_ = nullptr;
    QSpinBox* unitFrom_ = nullptr;
    QLineEdit* unitGroups_ = nullptr;
    QWidget* units_ = nullptr;
    QCheckBox* globalCheck_ = nullptr;
    QCheckBox* labelsCheck_ = nullptr;
    QCheckBox* verifyCheck_ = nullptr;
    QWidget* choices_ = nullptr;
    QLineEdit* files_ = nullptr;
    QComboBox* labelGroup_ = nullptr;
    QLineEdit* log_ = nullptr;
    QTreeWidget* radios_ = nullptr;
    std::vector<QProgressBar*> bars_;
    QLabel* summary_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;

    std::unique_ptr<Observer> observer_;
    CancelRequest cancel_;
    FileBytes file_;
    FleetRequest request_;
    std::unique_ptr<FleetLog> fleetLog_;
    RadioHistory* history_ = nullptr;
    std::vector<FleetRadioResult> results_;
    std::unique_ptr<QThread> runner_;  // runs the fleet while the window stays live
};

}  // namespace zav
