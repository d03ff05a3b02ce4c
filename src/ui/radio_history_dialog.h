#pragma once
// Radio > Radio History...: the files the radio history keeps, newest first, with their
// time, port, unit number and what they were kept for; the one chosen (Open, or a double
// click) is for the main window to open.

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace zav {

class RadioHistory;

class RadioHistoryDialog final : public QDialog {
    Q_OBJECT
  public:
    RadioHistoryDialog(const RadioHistory& history, QWidget* parent = nullptr);

    // The file chosen when the dialog was accepted.
    [[nodiscard]] std::optional<std::string> chosen() const;
    [[nodiscard]] QTreeWidget* list() const { return list_; }

  private:
    QLabel* folder_;
    QTreeWidget* list_;
    QPushButton* open_;
};

}  // namespace zav
