#pragma once
// The main window's status bar: the file, the port and, in demo mode, the simulated
// radio always in view; short messages (a refused entry and why, how a radio command
// ended) for a while on the left.

#include <QCoreApplication>
#include <QString>

#include "ops/operation_result.h"

class QLabel;
class QStatusBar;

namespace zav {

class StatusLine {
    Q_DECLARE_TR_FUNCTIONS(zav::StatusLine)

  public:
    explicit StatusLine(QStatusBar* bar);

    // The file shown (empty: none yet); modified adds the unsaved-changes mark.
    void showFile(const QString& fileName, bool modified);
    void showPort(int number, const QString& device);
    // The band of the radio last read ("450 to 512 MHz"); empty: none known.
    void showBand(const QString& band);
    void showSimulatedRadio(bool simulated);
    // How many rows of the grid are selected; shown while more than one is.
    void showSelectedRows(int rows);
    [[nodiscard]] QString selectedRowsText() const;
    // A serial trace is on into `file` (empty: none): said for as long as it runs.
    void showTrace(const QString& file);
    [[nodiscard]] bool showsTrace() const { return !traceFile_.isEmpty(); }
    [[nodiscard]] bool showsSimulatedRadio() const { return simulated_; }
    // A message that stays until the next one or a few seconds. One the file and port
    // would cut makes them step aside until it goes.
    void say(const QString& message);
    // Why an entry was refused: said, and taken down by the next entry accepted.
    void refuse(const QString& reason);
    void entryAccepted();
    [[nodiscard]] QString message() const;

    // What the status bar says when `command` ended so ("Read Global...: done.").
    static QString outcomeText(const QString& command, const OperationResult& result);

  private:
    // The permanent labels show unless `message` needs their room.
    void makeRoom(const QString& message);

    QStatusBar* bar_;
    QLabel* selection_;
    QLabel* file_;
    QLabel* port_;
    QLabel* band_;
    QLabel* simulatedLabel_;
    QLabel* trace_;
    QString traceFile_;
    bool simulated_ = false;
    bool refusal_ = false;  // the message up is a refusal
};

}  // namespace zav
