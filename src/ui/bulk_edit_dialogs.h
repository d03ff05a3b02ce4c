#pragma once
// The small dialogs of the row commands: the text to set in one column of the selected
// rows, and the start, step and transmit offset of a frequency fill. They only collect
// texts; the controller checks and stores them.

#include <QDialog>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace zav {

class SetRowsDialog final : public QDialog {
    Q_OBJECT
  public:
    // `column` names the column; `text` is the current cell's.
    SetRowsDialog(const QString& column, int rows, const QString& text, QWidget* parent = nullptr);
    [[nodiscard]] QString value() const;

  private:
    QLineEdit* value_;
};

class FillDialog final : public QDialog {
    Q_OBJECT
  public:
    // `start` is the first selected row's receive frequency.
    FillDialog(int rows, const QString& start, QWidget* parent = nullptr);
    [[nodiscard]] QString start() const;
    [[nodiscard]] QString step() const;
    // With the transmit frequency: its offset in MHz; else nothing.
    [[nodiscard]] std::optional<QString> offset() const;

  private:
    QLineEdit* start_;
    QLineEdit* step_;
    QCheckBox* transmit_;
    QLineEdit* offset_;
};

}  // namespace zav
