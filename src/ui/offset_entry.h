#pragma once
// The frequency offset box: opened by the space bar in a Tx Freq cell, it takes an offset
// in MHz and, on Enter, sets that row's transmit frequency to its receive frequency plus
// the offset (checked like a typed frequency). The last offset is offered again.

#include <QGroupBox>

#include "iface/prompts.h"
#include "ui/offset_logic.h"

class QLineEdit;

namespace zav {

class ChannelGridView;
class ChannelGridModel;

class OffsetEntry final : public QGroupBox {
    Q_OBJECT
  public:
    OffsetEntry(ChannelGridModel& model, ChannelGridView& grid, Prompts& prompts, QWidget* parent);

    // Opens the box for a row of the grid.
    void open(int row);
    // Between the space bar and Enter (also while the main window is hidden).
    [[nodiscard]] bool isOpen() const { return !isHidden(); }
    [[nodiscard]] QLineEdit* box() const { return offsetEdit_; }
    [[nodiscard]] const std::string& lastOffsetText() const { return lastText_; }
    // Handles one released key in the box.
    void keyReleased(int qtKey);

  signals:
    void helpRequested();

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    void commit(const std::string& offset);
    void close();

    ChannelGridModel& model_;
    ChannelGridView& grid_;
    Prompts& prompts_;
    QLineEdit* offsetEdit_;
    int row_ = 0;
    OffsetKey lastKey_ = OffsetKey::Other;
    std::string lastText_;
};

}  // namespace zav
