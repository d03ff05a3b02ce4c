// Every window opens and keeps its layout: no control leaves its parent or covers
// another. The main window shows group 1 and all 14 rows of the grid at its first size,
// its least and a large one, with the desktop's font and a larger one, and Tab goes from
// the group selector to the grid. The progress window draws its message before
// a transfer can block (a write starts with a pause that lets no window event through, so
// a window shown but not yet painted would stay blank for the whole write), names each
// step, and holds the main window.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <set>

#include "files/settings.h"
#include "support/editor.h"
#include "support/layout_check.h"
#include "ui/progress_window.h"
#include "ui/splash_window.h"

namespace zav::test {
namespace {

// Besides the layout rule: the grid's header and its first and last cells in view, the
// right-hand frames in their order, right of the grid and the header fields.
std::vector<std::string> groupViewFaults(MainWindow& w) {
    std::vector<std::string> faults = layoutFaults(w);
    const ChannelGridView& grid = w.grid();
    for (const QModelIndex& cell : {grid.model()->index(0, 0), grid.model()->index(13, kColScan)})
        if (!grid.viewport()->rect().contains(grid.visualRect(cell)) ||
            grid.horizontalHeader()->height() == 0)
            faults.push_back("rows hidden");
    const GroupControls& c = w.controls();
    int below = 0;
    for (const QGroupBox* frame : {c.dualPriFrame, c.codeGuardFrame, c.lockoutFrame, c.bciFrame,
                                   c.aniFrame, c.battSaveFrame}) {
        if (frame->y() < below ||
            frame->x() <= std::max(c.idEdit->geometry().right(), grid.geometry().right()))
            faults.push_back(frame->objectName().toStdString() + " out of place");
        below = frame->geometry().bottom();
    }
    return faults;
}

TEST(WindowSmoke, TheMainWindowShowsGroupOneAndEveryRowAtAnySizeAndFont) {
    Editor e;
    // Sizes the window cannot have, edited into the settings, leave it at its first size.
    const QSize first = e.window->size();
    writeNumber(e.settings, settings::kGroupWidth, 0);
    writeNumber(e.settings, settings::kGroupHeight, -5);
    e.create();
    EXPECT_EQ(e.window->size(), first);
    e.window->show();
    e.window->progress().beginOperation("Please Wait - Reading Radio", OperationKind::Reads);
    // The desktop's font, then a larger and taller one: the window grows to hold it.
    for (const QFont& font : {e.window->font(), QFont(QStringLiteral("Nimbus Sans"), 20)}) {
        e.window->setFont(font);
        QApplication::processEvents();
        for (const QSize size : {e.window->size(), e.window->minimumSize(), QSize(2400, 1800)}) {
            e.window->resize(size);
            QApplication::processEvents();
            EXPECT_EQ(groupViewFaults(*e.window), std::vector<std::string>{}) << size.width();
        }
    }
    EXPECT_EQ(e.window->controls().currentGroupCombo->currentText(), "1");
    EXPECT_EQ(e.cell(0, kColLabel), "CHAN 1  ");
    QWidget* next = e.window->controls().currentGroupCombo->nextInFocusChain();
    while ((next->focusPolicy() & Qt::TabFocus) == 0 || !next->isVisible())
        next = next->nextInFocusChain();
    EXPECT_EQ(next, &e.window->grid());
    EXPECT_EQ(layoutFaults(e.window->progress()), std::vector<std::string>{});
    SplashWindow splash;
    splash.show();
    EXPECT_EQ(layoutFaults(splash), std::vector<std::string>{});
}

using M = MainMenus;
using Command = QAction* M::*;
using WindowCase = std::pair<const char*, Command>;  // a name and the command opening it

class WindowSmoke : public ::testing::TestWithParam<WindowCase> {};

// The command opens one window beside the main window (a modal one is checked from
// inside its own event loop), and Escape closes it, whichever control has the focus.
TEST_P(WindowSmoke, OpensWithItsControlsApartInsideTheirParentsAndClosesOnEscape) {
    Editor e;
    e.window->show();
    std::vector<QPointer<QWidget>> opened;  // closed windows may go
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w == e.window.get()) continue;
            opened.push_back(w);
            EXPECT_EQ(layoutFaults(*w), std::vector<std::string>{}) << w->metaObject()->className();
        }
        for (QWidget* w : opened) e.typeKeys("\x1b", w->focusWidget() ? w->focusWidget() : w);
    });
    e.trigger(GetParam().second);
    QApplication::processEvents();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0] == nullptr || !opened[0]->isVisible());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Windows, WindowSmoke, ::testing::Values(
    WindowCase{"Globals", &MainMenus::globalsAction}, WindowCase{"Syncal", &MainMenus::syncalAction},
    WindowCase{"Help", &MainMenus::helpAction}, WindowCase{"Move", &MainMenus::moveAction},
    WindowCase{"About", &MainMenus::aboutAction}, WindowCase{"PortDevice", &MainMenus::portDeviceAction}),
    [](const auto& test) { return std::string(test.param.first); });
// clang-format on

// The virtual time of the window's first paint while it shows a message, and the longest
// time its bar stayed unpainted after appearing.
struct PaintClock final : QObject {
    explicit PaintClock(const Editor& e) : e_(e) {
        e.window->progress().installEventFilter(this);
        e.window->progress().bar()->installEventFilter(this);
    }
    std::optional<LinkTime> firstPaint;
    bool deadCancel = false;
    LinkTime barUnpainted{};
    bool eventFilter(QObject* object, QEvent* event) override {
        const ProgressWindow& p = e_.window->progress();
        const bool paint = event->type() == QEvent::Paint;
        if (object == p.bar()) {
            if (event->type() == QEvent::Show) barShown_ = e_.port.now();
            if (paint && barShown_)
                barUnpainted =
                    std::max(barUnpainted, e_.port.now() - *std::exchange(barShown_, {}));
        } else if (paint) {
            if (!firstPaint && !p.info()->text().isEmpty()) firstPaint = e_.port.now();
            // A disabled Cancel is never left unexplained.
            deadCancel =
                deadCancel || (!p.cancelButton()->isEnabled() && !p.cancelNote()->isVisible());
        }
        return false;
    }

  private:
    const Editor& e_;
    std::optional<LinkTime> barShown_;
};

class ProgressPaint : public ::testing::TestWithParam<Command> {};

// A whole-radio write also names each group as it goes and counts them on the bar.
TEST_P(ProgressPaint, HappensWithin50msOfTheTransferStarting) {
    Editor e;
    e.window->menus().labelChoiceActions[1]->trigger();  // labels never travel
    for (const Answer a : {Answer::Ok, Answer::Yes}) e.prompts.queueAnswer(a);
    const PaintClock clock(e);
    std::set<QString> steps;
    // Each wait lets the window system run, as the serial port's do.
    e.port.setOnYield([&] {
        steps.insert(e.window->progress().step()->text());
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    const LinkTime start = e.port.now();
    e.trigger(GetParam());
    ASSERT_TRUE(clock.firstPaint.has_value());
    // The bar too, also when it appears just before a pause that lets no event through.
    EXPECT_LE(std::max(*clock.firstPaint - start, clock.barUnpainted),
              std::chrono::milliseconds(50));
    EXPECT_FALSE(clock.deadCancel);
    EXPECT_GT(e.port.now() - start, std::chrono::milliseconds(500));  // the transfer ran
    if (GetParam() != &MainMenus::writeRadioAction) return;
    for (const char* step : {"Writing group 15 (1 of 15)", "Writing group 1 (15 of 15)"})
        EXPECT_TRUE(steps.contains(QString::fromLatin1(step))) << step;
    EXPECT_EQ(e.window->progress().bar()->value(), 15);
}

INSTANTIATE_TEST_SUITE_P(Transfers, ProgressPaint,
                         ::testing::Values(&M::writeRadioAction, &M::writeGroupAction,
                                           &M::writeGlobalAction, &M::labelWriteGroupAction,
                                           &M::readRadioAction));

// The main window is disabled and cannot be closed while the progress window is up; the
// warning before cancelling a write can be answered No (the radio menu's tests cancel).
TEST(ProgressWindow, HoldsTheMainWindowAndAWriteGoesOnWhenTheWarningSaysNo) {
    Editor e;
    e.window->show();
    ProgressWindow& progress = e.window->progress();
    progress.beginOperation("Please Wait - Writing Radio", OperationKind::Writes);
    EXPECT_FALSE(e.window->centralWidget()->isEnabled() || progress.cancelButton()->isEnabled());
    EXPECT_FALSE(e.window->close());
    progress.enableCancel();
    e.prompts.queueAnswer(Answer::No);
    progress.cancelButton()->click();
    EXPECT_TRUE(!progress.cancelled() && e.prompts.messages.size() == 1);
    progress.endOperation();
    progress.connectionEnded();
    EXPECT_TRUE(e.window->centralWidget()->isEnabled() && e.window->close());
}

}  // namespace
}  // namespace zav::test
