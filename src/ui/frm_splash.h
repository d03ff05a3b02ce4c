#pragma once
// The window shown while the editor starts.

#include <QDialog>

class QLabel;

namespace zav {

class frmSplash final : public QDialog {
    Q_OBJECT
  public:
    explicit frmSplash(QWidget* parent = nullptr);

    [[nodiscard]] QLabel* versionLabel() const { return lblVersion_; }

  private:
    QLabel* lblVersion_;
};

}  // namespace zav
