#pragma once
// The Move Banks dialog: asks for a bank to move, the number it takes, and whether its
// labels go with it. The pages (and labels) move in the images (BankMoves); showing the changed
// group is the main window's part, which it does on `moved`. The dialog is created once and only
// hidden, so the numbers typed last are offered again.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace zav {

class Document;
class SettingsStore;

class BankMoveDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit BankMoveDialog(Document& doc, QWidget* parent = nullptr);
    // The choice to move the labels too is kept in `settings` (may be null).
    BankMoveDialog(Document& doc, SettingsStore* settings, QWidget* parent);

    // The OK button: moves the bank when both numbers are whole numbers 1..15 and
    // differ, then hides the dialog. Anything else moves nothing and is not reported.
    void acceptMove();

    // Puts the dialog in the middle of the screen it is on.
    void centreOnScreen();

  signals:
    // Just before the pages move: the main window stores its shown group's edits.
    void aboutToMove(int fromBank, int toBank);
    // After the pages moved: the main window shows its group again from the image.
    void moved(int fromBank, int toBank);

  private:
    Document& doc_;
    QLabel* fromBankLabel_ = nullptr;
    QComboBox* fromBankCombo_ = nullptr;
    QLabel* toBankLabel_ = nullptr;
    QComboBox* toBankCombo_ = nullptr;
    QCheckBox* moveLabelsCheck_ = nullptr;
    SettingsStore* settings_ = nullptr;
    QPushButton* moveOkButton_ = nullptr;
    QPushButton* moveCancelButton_ = nullptr;
};

}  // namespace zav
