#pragma once
// Where the main window's controls sit: the header fields at the top left, the channel
// grid under them, the column of frames at the right edge and the backlight row under
// the grid, in the order the window has always shown them. Qt layouts size everything
// from its font, so larger fonts and screens grow the window instead of clipping it: the
// frames follow the right edge and never cover the header fields, and the grid keeps its
// header and all 14 rows in view.

class QWidget;

namespace zav {

struct GroupControls;

// Lays out `client` (the main window's central widget). The offset frame shares the
// resident ANI frame's place, which it covers while it is open.
void layOutGroupWindow(QWidget* client, const GroupControls& c, QWidget* grid, QWidget* offsetFrame,
                       QWidget* offsetBox);

}  // namespace zav
