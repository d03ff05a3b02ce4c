#pragma once
// Where the main window's controls sit. Positions are design values in twips relative
// to the window's client area (controls inside a frame relative to the frame); a scale
// factor taken from the font makes room for captions wider than the design font's. The
// resize rules keep the right-hand column of frames at the window's right edge, never
// over the header fields, and the grid no taller than its header and 14 rows.

#include <QRect>
#include <vector>

#include "ui/group_controls.h"

class QWidget;

namespace zav {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

namespace design {
inline constexpr TwipsRect kIdField{4080, 15, 855, 315};
inline constexpr TwipsRect kGrid{0, 1080, 6315, 3600};
inline constexpr TwipsRect kCodeGuardFrame{6600, 1200, 2535, 555};
inline constexpr TwipsRect kOffsetFrame{6600, 3360, 2535, 615};  // over aniFrame
inline constexpr TwipsRect kOffsetBox{360, 240, 1980, 315};
inline constexpr int kRightMargin = 240;       // frames to the window's right edge
inline constexpr int kHeaderGap = 240;         // frames to the header fields
inline constexpr int kGridToFrames = 120;      // grid's right edge to the frames
inline constexpr int kGridBottomMargin = 720;  // below the grid
inline constexpr int kGridMinHeight = 120;
inline constexpr int kGridMaxHeight = 3605;  // header row and 14 channel rows
// The client area the design fills: the frames' column and the backlight frame below
// the full-height grid.
inline constexpr int kClientWidth =
    kCodeGuardFrame.left + kCodeGuardFrame.width + kRightMargin;  // 9375
inline constexpr int kClientHeight = 5775;
}  // namespace design

// Result of the resize rules for a client area of the given size (twips).
struct ResizeLayout {
    int frameLeft = 0;   // left edge of every frame of the right-hand column
    int gridWidth = 0;   // frameLeft - 120
    int gridHeight = 0;  // client height - grid top - 720, within 120 .. 3605
};
ResizeLayout resizeRules(int clientWidth, int clientHeight);

// Twips to pixels for this window: the screen's resolution times the font scale.
class DesignScale {
  public:
    DesignScale(double dpi, double fontScale) : dpi_(dpi), scale_(fontScale) {}
    [[nodiscard]] int px(int twips) const;
    [[nodiscard]] int twips(int pixels) const;  // inverse, in design twips
    [[nodiscard]] QRect rect(const TwipsRect& r) const;
    [[nodiscard]] double fontScale() const { return scale_; }

  private:
    double dpi_;
    double scale_;
};

class GroupLayout {
  public:
    GroupLayout(GroupControls& controls, QWidget* grid, QWidget* offsetFrame, QWidget* offsetBox);

    // Works out the font scale and places every control at its design position.
    void place(double dpi);
    // The resize rules for a client area of the given pixel size.
    void resize(QSize client);

    [[nodiscard]] const DesignScale& scale() const { return scale_; }
    // Client size in pixels of the design window.
    [[nodiscard]] QSize designClientSize() const;

  private:
    struct Placed {
        QWidget* widget;
        TwipsRect rect;
        bool rightColumn;  // follows the frames' Left
    };
    [[nodiscard]] double neededScale(double dpi) const;

    GroupControls& c_;
    QWidget* grid_;
    std::vector<Placed> placed_;
    DesignScale scale_{96.0, 1.0};
};

}  // namespace zav
