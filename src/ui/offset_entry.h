#pragma once
// The frequency offset box: opened by the space bar in a Tx Freq cell, it takes an offset
// in MHz and, on Enter, sets that row's transmit frequency to its receive frequency plus
// the offset, taken or refused as a typed transmit frequency is. The last offset is
// offered again, whole and selected: the first character typed starts a new offset.

#include <QGroupBox>

#include <vector>

#include "ui/offset_logic.h"

class QKeyEvent;
class QLineEdit;

namespace zav {

class ChannelGridView;
class ChannelGridModel;

class OffsetEntry final : public QGroupBox {
    Q_OBJECT
  public:
    OffsetEntry(ChannelGridModel& model, ChannelGridView& grid, QWidget* parent);

    // Opens the box for a row of the grid.
    void open(int row);
    // Between the space bar and Enter (also while the main window is hidden).
    [[nodiscard]] bool isOpen() const { return !isHidden(); }
    [[nodiscard]] QLineEdit* box() const { return offsetEdit_; }

  signals:
    void helpRequested();

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    void keyPressed(const QKeyEvent& key);
    void keyReleased(int qtKey);
    void commit(const std::string& offset);
    void close();

    ChannelGridModel& model_;
    ChannelGridView& grid_;
    QLineEdit* offsetEdit_;
    int row_ = 0;
    // Keys pressed in the box and not yet released: a release whose press went elsewhere
    // (the space bar that opened the box) is not the box's.
    std::vector<int> pressed_;
    bool offered_ = false;  // no key pressed yet since the box offered the last offset
    std::string lastText_;
};

}  // namespace zav
