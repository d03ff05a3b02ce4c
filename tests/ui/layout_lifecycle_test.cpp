#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>

#include "editor_fixture.h"
#include "files/settings.h"
#include "ui/group_layout.h"
#include "ui/twips.h"

namespace zav::test {
namespace {

TEST(ResizeRules, FramesFollowTheRightEdgeButNeverCoverTheHeader) {
    struct Case {
        int width, height, left, gridWidth, gridHeight;
    } cases[] = {
        {9375, 5775, 6600, 6480, 3605},   // the design size
        {12000, 9000, 9225, 9105, 3605},  // wide and tall: the grid stops at 14 rows
        {7950, 5000, 5175, 5055, 3200},   // exactly at the header's edge
        {6000, 1900, 5175, 5055, 120},    // narrow and short: frames stay right of idEdit
        {100, 100, 5175, 5055, 120},
    };
    for (const Case& c : cases) {
        const ResizeLayout r = resizeRules(c.width, c.height);
        EXPECT_EQ(r.frameLeft, c.left) << c.width;
        EXPECT_EQ(r.gridWidth, c.gridWidth) << c.width;
        EXPECT_EQ(r.gridHeight, c.gridHeight) << c.height;
    }
}

TEST(ResizeRules, TheWindowAppliesThem) {
    Editor e;
    MainWindow& w = *e.window;
    const DesignScale& s = w.layoutRules().scale();
    const GroupControls& c = w.controls();
    w.show();
    const int idRightEdit = c.idEdit->geometry().right();

    w.resize(s.px(6000), w.height());
    QApplication::processEvents();
    for (QWidget* frame : {static_cast<QWidget*>(c.codeGuardFrame), static_cast<QWidget*>(c.dualPriFrame),
                           static_cast<QWidget*>(c.lockoutFrame), static_cast<QWidget*>(c.bciFrame),
                           static_cast<QWidget*>(c.aniFrame), static_cast<QWidget*>(c.battSaveFrame)}) {
        EXPECT_EQ(frame->x(), s.px(5175)) << frame->objectName().toStdString();
        EXPECT_GT(frame->x(), idRightEdit);
    }
    EXPECT_EQ(e.grid().width(), s.px(5055));

    w.resize(s.px(15000), s.px(12000));
    QApplication::processEvents();
    // The frames keep 240 twips to the right edge.
    EXPECT_EQ(c.codeGuardFrame->x(), s.px(s.twips(w.centralWidget()->width()) - 2535 - 240));
    EXPECT_EQ(e.grid().height(), s.px(3605));
    // The grid holds its header and all 14 rows.
    EXPECT_GE(e.grid().height(),
              e.grid().horizontalHeader()->height() + 14 * e.grid().rowHeight(0));
    // The alpha controls keep their design place below the grid.
    EXPECT_EQ(c.backlightFrame->y(), s.px(4800));
    EXPECT_GE(c.backlightFrame->y(), e.grid().geometry().bottom());

    w.resize(w.minimumWidth(), w.minimumHeight());
    QApplication::processEvents();
    EXPECT_EQ(e.grid().height(), s.px(120));
    w.hide();
}

// Nothing clipped or overlapping at the design size: every control lies inside its
// parent, no two visible controls of one parent overlap, and nothing touches the
// window's left edge, where the frame would cut it.
TEST(ResizeRules, ControlsNeitherOverlapNorLeaveTheirParent) {
    Editor e;
    MainWindow& w = *e.window;
    w.show();
    QApplication::processEvents();
    QWidget* client = w.centralWidget();
    std::vector<QWidget*> parents{client};
    for (QGroupBox* frame : client->findChildren<QGroupBox*>()) parents.push_back(frame);
    for (QWidget* parent : parents) {
        std::vector<QWidget*> children;
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible()) children.push_back(child);
        }
        for (QWidget* child : children) {
            const std::string name = child->objectName().toStdString();
            EXPECT_TRUE(parent->rect().contains(child->geometry())) << name;
            if (parent == client && child != &e.grid()) {
                EXPECT_GT(child->x(), 0) << name;
            }
        }
        for (std::size_t i = 0; i < children.size(); ++i) {
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << children[i]->objectName().toStdString() << " and "
                    << children[j]->objectName().toStdString();
            }
        }
    }
    w.hide();
}

TEST(Lifecycle, FirstRunUsesTheDefaults) {
    Editor e;
    MainWindow& w = *e.window;
    EXPECT_EQ(w.portNumber(), 1);
    EXPECT_EQ(w.labelSetting(), 2);
    EXPECT_EQ(w.files().names().fileName, "");
    // Centred on the screen, in twips with the difference halved.
    const double dpi = logicalDpi(&w);
    const QRect screen = w.screen()->availableGeometry();
    const int left =
        centredPosition(pixelsToTwips(screen.width(), dpi), pixelsToTwips(w.width(), dpi));
    EXPECT_NEAR(w.pos().x(), twipsToPixels(left, dpi), 1);
    EXPECT_FALSE(w.isMaximized());
    // The first Save asks for a name.
    w.files().saveCommand();
    EXPECT_EQ(e.prompts.fileRequests.size(), 1u);
    EXPECT_EQ(e.prompts.fileRequests[0].filter,
              "Frequency (*.frq)|*.frq|RXT (*.rxt)|*.rxt|RXW (*.rxw)|*.rxw|All (*.*)|*.*");
}

TEST(Lifecycle, AbsurdStoredPlacementStaysWithinWhatAWindowCanBe) {
    Editor e;
    e.settings.write("Position", "GroupLeft", "-3e38");
    e.settings.write("Position", "GroupTop", "3e38");
    e.settings.write("Position", "GroupWidth", "3e38");
    e.settings.write("Position", "GroupHeight", "1e30");
    e.create();
    MainWindow& w = *e.window;
    EXPECT_GE(w.width(), w.minimumWidth());
    EXPECT_LE(w.width(), QWIDGETSIZE_MAX);
    EXPECT_LE(w.height(), QWIDGETSIZE_MAX);
    EXPECT_EQ(twipsToPixels(3e38, 96), 16777215);
    EXPECT_EQ(twipsToPixels(-3e38, 96), -16777215);
    EXPECT_EQ(twipsToPixels(1440, 96), 96);
}

TEST(Lifecycle, StoredSettingsAreReadAtCreation) {
    Editor e;
    e.settings.write("Comm", "Port", "3");
    e.settings.write("Features", "Label", "0");
    e.settings.write("Position", "GroupLeft", "1500");
    e.settings.write("Position", "GroupTop", "1200");
    e.settings.write("Position", "GroupWidth", "12000");
    e.settings.write("Position", "GroupHeight", "9000");
    e.create();
    MainWindow& w = *e.window;
    const double dpi = logicalDpi(&w);
    EXPECT_EQ(w.portNumber(), 3);
    EXPECT_EQ(w.labelSetting(), 0);
    EXPECT_EQ(w.pos(), QPoint(twipsToPixels(1500, dpi), twipsToPixels(1200, dpi)));
    EXPECT_EQ(w.size(), QSize(twipsToPixels(12000, dpi), twipsToPixels(9000, dpi)));
}

TEST(Lifecycle, NormalCloseStoresPlacementInTwips) {
    Editor e;
    MainWindow& w = *e.window;
    w.show();
    const double dpi = logicalDpi(&w);
    w.move(twipsToPixels(600, dpi), twipsToPixels(900, dpi));
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(e.prompts.messages.empty()) << "nothing changed: no save question";
    EXPECT_EQ(e.settings.read("Position", "State", ""), "0");
    EXPECT_EQ(e.settings.read("Position", "GroupLeft", ""), "600");
    EXPECT_EQ(e.settings.read("Position", "GroupTop", ""), "900");
    EXPECT_EQ(e.settings.read("Position", "GroupWidth", ""),
              formatSettingNumber(pixelsToTwips(w.width(), dpi)));
}

TEST(Lifecycle, MaximisedCloseStoresOnlyTheState) {
    Editor e;
    e.settings.write("Position", "GroupTop", "111");
    e.settings.write("Position", "GroupLeft", "222");
    e.settings.write("Position", "GroupWidth", "9999");
    e.settings.write("Position", "GroupHeight", "7777");
    e.create();
    e.window->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(e.window->isMaximized());
    EXPECT_TRUE(e.window->close());
    EXPECT_EQ(e.settings.read("Position", "State", ""), "2");
    EXPECT_EQ(e.settings.read("Position", "GroupTop", ""), "111");
    EXPECT_EQ(e.settings.read("Position", "GroupLeft", ""), "222");
    EXPECT_EQ(e.settings.read("Position", "GroupWidth", ""), "9999");
    EXPECT_EQ(e.settings.read("Position", "GroupHeight", ""), "7777");
}

TEST(Lifecycle, CancelInTheExitQuestionKeepsTheWindowOpen) {
    Editor e;
    e.window->show();
    e.window->controls().totCombo->setCurrentIndex(2);
    const MemImage before = e.doc.mem;
    e.prompts.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(e.window->close());
    ASSERT_EQ(e.prompts.messages.size(), 1u);
    const Message& m = e.prompts.messages[0];
    EXPECT_EQ(m.text, "Save before exit?");
    EXPECT_EQ(m.buttons, Buttons::YesNoCancel);
    EXPECT_EQ(m.icon, Icon::Question);
    EXPECT_EQ(m.shownTitle(), "ZAVPROG");
    EXPECT_TRUE(e.window->isVisible());
    EXPECT_FALSE(e.settings.contains("Position", "State"));
    EXPECT_TRUE(e.prompts.fileRequests.empty());
    (void)before;
}

TEST(Lifecycle, YesThenCancelledDialogKeepsTheWindowOpen) {
    Editor e;
    e.window->show();
    e.typeInCell(0, kColLabel, "EDITED");
    e.prompts.queueAnswer(Answer::Yes);
    e.prompts.queueFile(std::nullopt);
    EXPECT_FALSE(e.window->close());
    EXPECT_EQ(e.prompts.fileRequests.size(), 1u);
    EXPECT_TRUE(e.window->isVisible());
}

TEST(Lifecycle, YesThenSaveClosesAndNoClosesWithoutSaving) {
    TempDir dir;
    {
        Editor e;
        e.window->show();
        e.typeInCell(0, kColLabel, "EDITED");
        e.prompts.queueAnswer(Answer::Yes);
        e.prompts.queueFile(dir.file("exit.frq"));
        EXPECT_TRUE(e.window->close());
        EXPECT_TRUE(std::filesystem::exists(dir.file("exit.frq")));
    }
    {
        Editor e;
        e.window->show();
        e.typeInCell(0, kColLabel, "EDITED");
        e.prompts.queueAnswer(Answer::No);
        EXPECT_TRUE(e.window->close());
        EXPECT_TRUE(e.prompts.fileRequests.empty());
    }
}

TEST(Lifecycle, SaveFailureKeepsTheWindowOpen) {
    TempDir dir;
    Editor e;
    e.window->show();
    e.typeInCell(0, kColLabel, "EDITED");
    e.prompts.queueAnswer(Answer::Yes);
    e.prompts.queueFile(dir.file("missing/folder/x.frq"));
    EXPECT_FALSE(e.window->close());
    EXPECT_TRUE(e.window->isVisible());
}

TEST(Lifecycle, NoQuestionAfterSavingTheEdits) {
    TempDir dir;
    Editor e;
    e.window->show();
    e.typeInCell(0, kColLabel, "EDITED");
    e.prompts.queueFile(dir.file("saved.frq"));
    e.window->files().saveAsCommand();
    EXPECT_TRUE(e.window->close());
    EXPECT_TRUE(e.prompts.messages.empty());
}

}  // namespace
}  // namespace zav::test
