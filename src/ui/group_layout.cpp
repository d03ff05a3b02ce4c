#include "ui/group_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "ui/twips.h"

namespace zav {

ResizeLayout resizeRules(int clientWidth, int clientHeight) {
    using namespace design;
    const int minimumLeft = kIdField.left + kIdField.width + kHeaderGap;
    ResizeLayout r;
    r.frameLeft = std::max(clientWidth - kCodeGuardFrame.width - kRightMargin, minimumLeft);
    r.gridWidth = r.frameLeft - kGridToFrames;
    r.gridHeight =
        std::clamp(clientHeight - kGrid.top - kGridBottomMargin, kGridMinHeight, kGridMaxHeight);
    return r;
}

int DesignScale::px(int twips) const {
    return static_cast<int>(std::lround(twips * dpi_ / kTwipsPerInch * scale_));
}

int DesignScale::twips(int pixels) const {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / (dpi_ * scale_)));
}

QRect DesignScale::rect(const TwipsRect& r) const {
    return {px(r.left), px(r.top), px(r.width), px(r.height)};
}

GroupLayout::GroupLayout(GroupControls& c, QWidget* grid, QWidget* offsetFrame, QWidget* offsetBox)
    : c_(c), grid_(grid) {
    // Design positions; where a caption shares its row with the next control, the width
    // given is the room up to that control, and rows stacked in a frame end where the
    // next one starts.
    placed_ = {
        {c.currentGroupLabel, {60, 45, 1005, 195}, false},
        {c.currentGroupCombo, {1090, 0, 1215, 315}, false},
        {c.groupLabelLabel, {120, 480, 940, 195}, false},
        {c.groupLabelEdit, {1090, 480, 1440, 315}, false},
        {c.aniLabel, {2760, 45, 1290, 195}, false},
        {c.idEdit, design::kIdField, false},
        {c.scanHoldLabel, {2760, 375, 1290, 195}, false},
        {c.scanCombo, {4080, 345, 855, 315}, false},
        {c.totLabel, {2640, 720, 1410, 195}, false},
        {c.totCombo, {4080, 675, 855, 315}, false},
        {c.dualPriFrame, {6600, 0, 2535, 1155}, true},
        {c.priModeFrame, {120, 495, 2295, 600}, false},
        {c.priMode[0], {120, 240, 465, 255}, false},
        {c.priMode[1], {600, 240, 465, 255}, false},
        {c.priMode[2], {1080, 240, 465, 255}, false},
        {c.priMode[3], {1560, 240, 465, 255}, false},
        {c.pri1ChanLabel, {120, 240, 705, 195}, false},
        {c.pri1ChanCombo, {840, 180, 1185, 315}, false},
        {c.codeGuardFrame, design::kCodeGuardFrame, true},
        {c.varCgButton[0], {240, 240, 945, 255}, false},
        {c.varCgButton[1], {1200, 240, 945, 255}, false},
        {c.lockoutFrame, {6600, 1800, 2535, 780}, true},
        {c.priKeyLockCheck, {270, 225, 2130, 225}, false},
        {c.entClrLockCheck, {270, 465, 2130, 225}, false},
        {c.bciFrame, {6600, 2640, 2535, 615}, true},
        {c.bciCombo, {285, 240, 1980, 315}, false},
        {c.aniFrame, {6600, 3360, 2535, 615}, true},
        {c.aniCombo, {285, 240, 1980, 315}, false},
        {offsetFrame, design::kOffsetFrame, true},
        {offsetBox, design::kOffsetBox, false},
        {c.battSaveFrame, {6600, 4080, 2535, 555}, true},
        {c.battSaveButton[1], {240, 240, 945, 255}, false},
        {c.battSaveButton[0], {1200, 240, 945, 255}, false},
        // Inset like the captions above it: a check box at the very edge would touch the
        // window frame.
        {c.alphaEnabledCheck, {120, 4800, 1575, 375}, false},
        {c.backlightFrame, {1800, 4800, 4815, 855}, false},
        {c.blChannelCheck, {120, 240, 1815, 240}, false},
        {c.blScanStateCheck, {120, 480, 1815, 255}, false},
        {c.blOtherCheck, {2040, 240, 1335, 240}, false},
        {c.blKeypressCheck, {2040, 480, 1335, 255}, false},
        {c.labelBlTimeout, {3480, 240, 1215, 240}, false},
        {c.blTimeoutCombo, {3480, 480, 1215, 315}, false},
    };
}

// The design font is smaller than today's desktop fonts: scale the whole design so that
// every caption and list entry fits its control.
double GroupLayout::neededScale(double dpi) const {
    double needed = 1.0;
    const auto fit = [&](QWidget* w, int designWidth, int designHeight) {
        const QSize hint = w->sizeHint();
        const double width = designWidth * dpi / kTwipsPerInch;
        const double height = designHeight * dpi / kTwipsPerInch;
        if (designWidth > 0) needed = std::max(needed, hint.width() / width);
        if (designHeight > 0) needed = std::max(needed, hint.height() / height);
    };
    for (const Placed& p : placed_) {
        if (qobject_cast<QLabel*>(p.widget) || qobject_cast<QCheckBox*>(p.widget) ||
            qobject_cast<QRadioButton*>(p.widget)) {
            fit(p.widget, p.rect.width, 0);  // captions may stand taller than designed
        } else if (auto* combo = qobject_cast<QComboBox*>(p.widget)) {
            if (combo != c_.currentGroupCombo) fit(combo, p.rect.width, p.rect.height);
        } else if (qobject_cast<QLineEdit*>(p.widget)) {
            fit(p.widget, 0, p.rect.height);
        }
    }
    return std::min(needed, 3.0);
}

void GroupLayout::place(double dpi) {
    scale_ = DesignScale(dpi, 1.0);
    scale_ = DesignScale(dpi, neededScale(dpi));
    for (const Placed& p : placed_) {
        QRect r = scale_.rect(p.rect);
        // Captions are at least as tall as their font needs, centred on their design row.
        if (qobject_cast<QLabel*>(p.widget) || qobject_cast<QCheckBox*>(p.widget) ||
            qobject_cast<QRadioButton*>(p.widget)) {
            const int h = std::max(r.height(), p.widget->sizeHint().height());
            r.adjust(0, -(h - r.height()) / 2, 0, 0);
            r.setHeight(h);
            if (r.top() < 0) r.moveTop(0);
        }
        p.widget->setGeometry(r);
    }
    grid_->setGeometry(scale_.rect(design::kGrid));
}

QSize GroupLayout::designClientSize() const {
    return {scale_.px(design::kClientWidth), scale_.px(design::kClientHeight)};
}

void GroupLayout::resize(QSize client) {
    const ResizeLayout r = resizeRules(scale_.twips(client.width()), scale_.twips(client.height()));
    const int left = scale_.px(r.frameLeft);
    for (const Placed& p : placed_) {
        if (p.rightColumn) p.widget->move(left, p.widget->y());
    }
    grid_->setGeometry(scale_.px(design::kGrid.left), scale_.px(design::kGrid.top),
                       scale_.px(r.gridWidth), scale_.px(r.gridHeight));
}

}  // namespace zav
