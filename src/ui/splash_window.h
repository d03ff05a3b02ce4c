#pragma once
// The window shown while the editor starts.

#include <QDialog>

class QLabel;

namespace zav {

class SplashWindow final : public QDialog {
    Q_OBJECT
  public:
    explicit SplashWindow(QWidget* parent = nullptr);

    [[nodiscard]] QLabel* versionLabel() const { return versionLabel_; }

  private:
    QLabel* versionLabel_;
};

}  // namespace zav
