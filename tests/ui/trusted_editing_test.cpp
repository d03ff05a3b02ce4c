// Entry that forgives and says why, undo and redo of whole changes, and the status bar's
// word on what happened.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimer>

#include "files/settings.h"
#include "link/port_devices.h"
#include "model/memory_map.h"
#include "support/editor.h"
#include "ui/bank_move_dialog.h"
#include "ui/globals_window.h"
#include "ui/help_viewer.h"
#include "ui/progress_window.h"
#include "ui/status_line.h"

namespace zav::test {
namespace {

// Types `keys` as the user does, one key press and release at a time, into the open cell
// editor or, before one is open, into `target`; '\n' is Enter.
void typeKeys(QWidget* target, const std::string& keys, const Editor* e = nullptr) {
    for (const char c : keys) {
        const int code = c == '\x1b' ? Qt::Key_Escape
                         : c == '\n' ? Qt::Key_Return
                         : c == '.'  ? Qt::Key_Period
                         : std::isdigit(static_cast<unsigned char>(c)) != 0
                             ? Qt::Key_0 + (c - '0')
                             : Qt::Key_A + (std::toupper(static_cast<unsigned char>(c)) - 'A');
        const QString text = std::isprint(c) != 0 ? QString(QLatin1Char(c)) : QString();
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QWidget* editor = e != nullptr ? e->window->grid().cellEditor() : nullptr;
            QKeyEvent event(type, code, Qt::NoModifier, text);
            QApplication::sendEvent(editor != nullptr ? editor : target, &event);
        }
    }
    QApplication::processEvents();
}

std::string statusMessage(const Editor& e) {
    return e.window->status().message().toStdString();
}

struct Typed {
    const char* keys;
    const char* stored;  // what the empty Rec Freq cell then shows
    const char* said;    // in the status bar's message; "" for nothing refused
};

class FrequencyEntry : public ::testing::TestWithParam<Typed> {};

TEST_P(FrequencyEntry, RefusesWhatTheRadioCannotHoldAndSaysWhy) {
    const Typed& c = GetParam();
    Editor e;
    ASSERT_EQ(e.cell(0, kColRecFreq), "none");
    ChannelGridView& grid = e.window->grid();
    grid.setCurrentIndex(e.window->gridModel().index(0, kColRecFreq));
    typeKeys(&grid, c.keys, &e);
    EXPECT_EQ(e.cell(0, kColRecFreq), c.stored);
    EXPECT_NE(statusMessage(e).find(c.said), std::string::npos) << statusMessage(e);
    EXPECT_EQ(e.prompts.beeps, *c.said == '\0' ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, FrequencyEntry,
                         ::testing::Values(Typed{"451.0125\n", "451.01250", ""},
                                           Typed{"q451.0125\n", "451.01250", "digits"},
                                           Typed{"450.00625\n", "none", "12.5 kHz"},
                                           Typed{"400\n", "none", "no frequency"},
                                           Typed{"399.9875\n", "none", "400 to 600"}));

TEST(HeaderFields, TakeOnlyWhatTheFieldsHold) {
    Editor e;
    QLineEdit* id = e.window->controls().idEdit;
    QLineEdit* label = e.window->controls().groupLabelEdit;
    id->clear();
    label->clear();
    typeKeys(id, "12xyz99");
    typeKeys(label, "abcdefghi");
    EXPECT_EQ(id->text(), "1299");
    EXPECT_EQ(label->text(), "abcdefgh");
}

// C copies every row's receive values at once; one Undo brings all 14 back, Redo again.
TEST(History, UndoesTheCopyKeyForEveryRowAtOnce) {
    Editor e;
    const auto column = [&](int c) {
        std::vector<std::string> cells;
        for (int r = 0; r < kChannelsPerGroup; ++r) cells.push_back(e.cell(r, c));
        return cells;
    };
    e.typeInCell(2, kColRecFreq, "451.25");
    e.typeInCell(4, kColTxFreq, "465.0125");
    const auto before = column(kColTxFreq);
    ChannelGridView& grid = e.window->grid();
    grid.setCurrentIndex(e.window->gridModel().index(3, kColTxFreq));
    typeKeys(&grid, "c");
    EXPECT_EQ(column(kColTxFreq), column(kColRecFreq));
    e.trigger(&MainMenus::undoAction);
    EXPECT_EQ(column(kColTxFreq), before);
    e.trigger(&MainMenus::redoAction);
    EXPECT_EQ(column(kColTxFreq), column(kColRecFreq));
    for (int i = 0; i < 3; ++i) e.trigger(&MainMenus::undoAction);  // the typed cells too
    EXPECT_EQ(e.cell(4, kColTxFreq), "none");
    EXPECT_FALSE(e.window->isWindowModified());
}

// Move 2 -> 5 with the box checked carries the labels; Undo puts back banks and labels;
// the choice is remembered; a radio read forgets the steps before it.
TEST(History, UndoesAMoveOfBanksAndTheirLabels) {
    Editor e;
    for (int k = 0; k < kLabelPositions; ++k) e.labels()[labelIndex(1, 14, k)] = 0x11;
    const MemImage mem = e.mem();
    const LabelImage labels = e.labels();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<BankMoveDialog*>(QApplication::activeModalWidget());
        dialog->findChild<QCheckBox*>(QStringLiteral("chkMoveLabels"))->setChecked(true);
        dialog->findChild<QComboBox*>(QStringLiteral("cboFromBank"))->setEditText("2");
        dialog->findChild<QComboBox*>(QStringLiteral("cboToBank"))->setEditText("5");
        dialog->acceptMove();
    });
    e.trigger(&MainMenus::moveAction);
    EXPECT_TRUE(std::equal(mem.begin() + blockAddress(2), mem.begin() + blockAddress(3),
                           e.mem().begin() + blockAddress(5)));
    EXPECT_EQ(e.labels()[labelIndex(4, 14, 0)], 0x11);
    EXPECT_EQ(readInt(e.settings, settings::kMoveLabels), 1);
    e.trigger(&MainMenus::undoAction);
    EXPECT_EQ(e.mem(), mem);
    EXPECT_EQ(e.labels(), labels);
    e.trigger(&MainMenus::redoAction);
    e.trigger(&MainMenus::readGlobalAction);
    e.trigger(&MainMenus::undoAction);  // nothing left to undo
    EXPECT_EQ(e.labels()[labelIndex(4, 14, 0)], 0x11);
}

// A change in the global parameters window is a step too, undone in window and image.
TEST(History, UndoesGlobalParameters) {
    Editor e;
    e.trigger(&MainMenus::globalsAction);
    auto* box = e.window->globalsWindow()->findChild<QComboBox*>(QStringLiteral("cboPriRate"));
    const int before = box->currentIndex();
    const MemImage mem = e.mem();
    box->setCurrentIndex((before + 1) % box->count());
    e.trigger(&MainMenus::undoAction);
    EXPECT_EQ(e.mem(), mem);
    EXPECT_EQ(box->currentIndex(), before);
}

// The status bar: the file, the port, the mark of unsaved changes, and a word on how a
// radio command ended, a cancelled label read included.
TEST(StatusBar, SaysWhatHappened) {
    Editor e;
    const auto permanent = [&](const char* name) {
        return e.window->findChild<QLabel*>(QString::fromLatin1(name))->text().toStdString();
    };
    EXPECT_NE(permanent("statusPort").find(defaultPortDevice(1)), std::string::npos);
    e.window->controls().idEdit->clear();
    typeKeys(e.window->controls().idEdit, "5");  // not yet stored, but a change
    EXPECT_TRUE(e.window->isWindowModified());
    EXPECT_NE(permanent("statusFile").find("unsaved"), std::string::npos);
    e.trigger(&MainMenus::readGlobalAction);
    EXPECT_NE(statusMessage(e).find("done"), std::string::npos) << statusMessage(e);
    e.trigger(&MainMenus::globalsAction);
    e.window->globalsWindow()->sendDtmfDeviation();  // the live write
    EXPECT_NE(statusMessage(e).find("DTMF Deviation: done"), std::string::npos);
    e.window->menus().labelChoiceActions[0]->trigger();  // labels always travel
    e.port.setOnYield([&] {
        ProgressWindow& p = e.window->progress();
        if (p.info()->text().contains("Labels") && p.cancelButton()->isEnabled()) p.cancelClicked();
    });
    e.trigger(&MainMenus::readRadioAction);
    EXPECT_NE(statusMessage(e).find("labels were not read"), std::string::npos) << statusMessage(e);
}

TEST(Windows, HelpClosesOnEscape) {
    Editor e;
    e.trigger(&MainMenus::helpAction);
    auto* help = e.window->findChild<HelpWindow*>();
    ASSERT_TRUE(help != nullptr && help->isVisible());
    typeKeys(help->browser(), "\x1b");
    EXPECT_FALSE(help->isVisible());
}

TEST(Windows, TabFollowsTheEye) {
    Editor e;
    const GroupControls& c = e.window->controls();
    const auto next = [&](QWidget* w) {
        do {
            w = w->nextInFocusChain();
        } while ((w->focusPolicy() & Qt::TabFocus) == 0 || !w->isVisibleTo(e.window.get()));
        return w;
    };
    EXPECT_EQ(next(c.currentGroupCombo), &e.window->grid());
    EXPECT_EQ(next(c.pri1ChanCombo), c.priMode[0]);
}

}  // namespace
}  // namespace zav::test
