#pragma once
// The main window's status bar: the file, the port and, in demo mode, the simulated
// radio always in view; short messages (a refused entry and why, how a radio command
// ended) for a while on the left.

#include <QString>

#include "ops/operation_result.h"

class QLabel;
class QStatusBar;

namespace zav {

class StatusLine {
  public:
    explicit StatusLine(QStatusBar* bar);

    // The file shown (empty: none yet); modified adds the unsaved-changes mark.
    void showFile(const QString& fileName, bool modified);
    void showPort(int number, const QString& device);
    void showSimulatedRadio(bool simulated);
    [[nodiscard]] bool showsSimulatedRadio() const;
    // A message that stays until the next one or a few seconds.
    void say(const QString& message);
    [[nodiscard]] QString message() const;

    // What the status bar says when `command` ended so ("Read Global...: done.").
    static QString outcomeText(const QString& command, const OperationResult& result);

  private:
    QStatusBar* bar_;
    QLabel* file_;
    QLabel* port_;
    QLabel* simulated_;
};

}  // namespace zav
