#include "ui/group_layout.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "model/group.h"
#include "model/memory_image.h"
#include "ui/group_controls.h"

namespace zav {

namespace {

// A text field just wide enough for `characters` of `sample`: Qt sizes a line edit for 17
// 'x's, so the frame and margins are what its size hint has beyond those.
void fitWidth(QLineEdit* edit, int characters, QChar sample) {
    const QFontMetrics fm = edit->fontMetrics();
    const int chrome =
        edit->sizeHint().width() - fm.horizontalAdvance(QString(17, QLatin1Char('x')));
    edit->setFixedWidth(chrome + fm.horizontalAdvance(QString(characters, sample)));
}

QLabel* caption(QLabel* label) {
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// Captions right-aligned before their fields, in two groups side by side.
QGridLayout* headerLayout(const GroupControls& c) {
    auto* g = new QGridLayout;
    fitWidth(c.groupLabelEdit, kLabelPositions, QLatin1Char('W'));
    fitWidth(c.idEdit, kIdDigits, QLatin1Char('D'));
    g->addWidget(caption(c.currentGroupLabel), 0, 0);
    g->addWidget(c.currentGroupCombo, 0, 1);
    g->addWidget(caption(c.groupLabelLabel), 1, 0);
    g->addWidget(c.groupLabelEdit, 1, 1);
    g->addWidget(caption(c.aniLabel), 0, 3);
    g->addWidget(c.idEdit, 0, 4);
    g->addWidget(caption(c.scanHoldLabel), 1, 3);
    g->addWidget(c.scanCombo, 1, 4);
    g->addWidget(caption(c.totLabel), 2, 3);
    g->addWidget(c.totCombo, 2, 4);
    g->setColumnMinimumWidth(2, 2 * g->spacing());
    g->setColumnStretch(5, 1);
    return g;
}

// A frame's layout keeps its controls close to the caption, as the window always had
// them: half the style's margins above and below.
template <typename L>
L* framed(QWidget* frame) {
    auto* layout = new L(frame);
    const QMargins m = layout->contentsMargins();
    layout->setContentsMargins(m.left(), m.top() / 2, m.right(), m.bottom() / 2);
    return layout;
}

// Two option buttons in two equal columns, the left one first.
void pairLayout(QGroupBox* frame, QWidget* left, QWidget* right) {
    auto* g = framed<QGridLayout>(frame);
    g->addWidget(left, 0, 0);
    g->addWidget(right, 0, 1);
    g->setColumnStretch(0, 1);
    g->setColumnStretch(1, 1);
}

void stackLayout(QGroupBox* frame, std::initializer_list<QWidget*> widgets) {
    auto* v = framed<QVBoxLayout>(frame);
    for (QWidget* w : widgets) v->addWidget(w);
}

QVBoxLayout* framesLayout(const GroupControls& c, QWidget* offsetFrame, QWidget* offsetBox) {
    auto* priority = framed<QGridLayout>(c.dualPriFrame);
    priority->addWidget(c.pri1ChanLabel, 0, 0);
    priority->addWidget(c.pri1ChanCombo, 0, 1);
    priority->addWidget(c.priModeFrame, 1, 0, 1, 2);
    priority->setColumnStretch(1, 1);
    auto* modes = framed<QHBoxLayout>(c.priModeFrame);
    for (QRadioButton* b : c.priMode) modes->addWidget(b);

    pairLayout(c.codeGuardFrame, c.varCgButton[0], c.varCgButton[1]);       // Off, On
    pairLayout(c.battSaveFrame, c.battSaveButton[1], c.battSaveButton[0]);  // Off, On
    stackLayout(c.lockoutFrame, {c.priKeyLockCheck, c.entClrLockCheck});
    stackLayout(c.bciFrame, {c.bciCombo});
    stackLayout(c.aniFrame, {c.aniCombo});
    auto* offset = framed<QVBoxLayout>(offsetFrame);
    offset->addWidget(offsetBox);

    auto* column = new QVBoxLayout;
    column->addWidget(c.dualPriFrame);
    column->addWidget(c.codeGuardFrame);
    column->addWidget(c.lockoutFrame);
    column->addWidget(c.bciFrame);
    auto* shared = new QGridLayout;  // one place, two frames
    shared->addWidget(c.aniFrame, 0, 0);
    shared->addWidget(offsetFrame, 0, 0);
    column->addLayout(shared);
    column->addWidget(c.battSaveFrame);
    column->addStretch(1);
    return column;
}

QHBoxLayout* backlightLayout(const GroupControls& c) {
    auto* g = framed<QGridLayout>(c.backlightFrame);
    g->addWidget(c.blChannelCheck, 0, 0);
    g->addWidget(c.blScanStateCheck, 1, 0);
    g->addWidget(c.blOtherCheck, 0, 1);
    g->addWidget(c.blKeypressCheck, 1, 1);
    g->addWidget(c.labelBlTimeout, 0, 2);
    g->addWidget(c.blTimeoutCombo, 1, 2);
    auto* row = new QHBoxLayout;
    row->addWidget(c.alphaEnabledCheck, 0, Qt::AlignTop);
    row->addWidget(c.backlightFrame);
    row->addStretch(1);
    return row;
}

}  // namespace

void layOutGroupWindow(QWidget* client, const GroupControls& c, QWidget* grid, QWidget* offsetFrame,
                       QWidget* offsetBox) {
    auto* window = new QGridLayout(client);
    window->addLayout(headerLayout(c), 0, 0);
    window->addWidget(grid, 1, 0);
    window->addLayout(backlightLayout(c), 2, 0);
    window->addLayout(framesLayout(c, offsetFrame, offsetBox), 0, 1, 4, 1);
    // Room beyond what the controls need goes to the grid's width and below everything.
    window->setColumnStretch(0, 1);
    window->setRowStretch(3, 1);
}

}  // namespace zav
