// The main window's menu tree, its check marks and the Config commands, and the commands
// that open the editor's other windows (Global Parameters, Move, Syncal, About, Help).

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <string>
#include <vector>

#include "files/settings.h"
#include "link/port_devices.h"
#include "ui/channel_grid_model.h"
#include "ui/about_dialog.h"
#include "ui/globals_window.h"
#include "ui/bank_move_dialog.h"
#include "ui/alignment_window.h"
#include "ui/help_viewer.h"
#include "ui/offset_entry.h"
#include "ui/radio_editor_fixture.h"

namespace zav {
namespace {

using test::RadioEditor;

struct MenuEntry {
    const char* parent;  // object name of the menu holding it; "" for the menu bar
    const char* name;
    const char* caption;
    const char* shortcut;
    bool isMenu;
};

// In menu order; separators are named too.
constexpr MenuEntry kTree[] = {
    {"", "mnuFile", "File", "", true},
    {"mnuFile", "mnuSave", "&Save", "Ctrl+S", false},
    {"mnuFile", "mnuSaveAs", "Sa&ve As", "", false},
    {"mnuFile", "mnuSep1", "", "", false},
    {"mnuFile", "mnuOpen", "&Open", "Ctrl+O", false},
    {"mnuFile", "mnuSep4", "", "", false},
    {"mnuFile", "mnuPrint", "&Print", "Ctrl+P", false},
    {"mnuFile", "mnuSetup", "Print Set&up", "", false},
    {"mnuFile", "mnuPreview", "Print Previe&w", "", false},
    {"mnuFile", "mnuSep2", "", "", false},
    {"mnuFile", "mnuExit", "&Exit", "", false},
    {"", "mnuRadio", "Radio", "", true},
    {"mnuRadio", "mnuRead", "Read Radio", "F2", false},
    {"mnuRadio", "mnuReadGlobal", "Read Global Information from Radio", "", false},
    {"mnuRadio", "mnuReadGroup", "Read Group from Radio", "", false},
    {"mnuRadio", "mnuWriteAll", "Write Radio", "F3", false},
    {"mnuRadio", "mnuWriteGlobal", "Write Global Information To Radio", "", false},
    {"mnuRadio", "mnuWriteGroup", "Write Current Group to Radio", "F4", false},
    {"mnuRadio", "munSep7", "", "", false},
    {"mnuRadio", "mnuLabel", "Labels", "", true},
    {"mnuLabel", "mnuLabelReadGroup", "Read Current Group", "", false},
    {"mnuLabel", "mnuLabelReadRadio", "Read Radio", "", false},
    {"mnuLabel", "mnuLabelWriteGroup", "Write Current Group", "", false},
    {"mnuLabel", "mnuLabelWriteRadio", "Write Radio", "", false},
    {"mnuRadio", "mnuLabelConfigHeader", "Config", "", true},
    {"mnuLabelConfigHeader", "mnuLabelConfig", "Always Read/Write Labels", "", false},
    {"mnuLabelConfigHeader", "mnuLabelConfig", "Never Read/Write Labels", "", false},
    {"mnuLabelConfigHeader", "mnuLabelConfig", "Prompt to Read/Write Labels", "", false},
    {"", "mnuEdit", "Edit", "", true},
    {"mnuEdit", "mnuGlobals", "Global Parameters", "", false},
    {"mnuEdit", "mnuUndo", "Undo", "Ctrl+Z", false},
    {"mnuEdit", "mnuCopy", "Copy", "", true},
    {"mnuCopy", "mnuAll", "Copy All", "Ctrl+A", false},
    {"mnuCopy", "mnuRow", "Copy a row", "Ctrl+R", false},
    {"mnuEdit", "mnuPaste", "Paste", "Ctrl+V", false},
    {"mnuEdit", "mnuMove", "Move", "Ctrl+M", false},
    {"", "mnuConfig", "Config", "", true},
    {"mnuConfig", "mnuCommPort", "Use Comm Port 1", "", false},
    {"mnuConfig", "mnuCommPort", "Use Comm Port 2", "", false},
    {"mnuConfig", "mnuCommPort", "Use Comm Port 3", "", false},
    {"mnuConfig", "mnuCommPort", "Use Comm Port 4", "", false},
    {"mnuConfig", "mnuSepPort", "", "", false},
    {"mnuConfig", "mnuPortDevice", "Serial Port Device...", "", false},
    {"", "mnuSyncal", "Syncal", "", false},
    {"", "mnuH", "Help", "", true},
    {"mnuH", "mnuAbout", "About ZAVPROG", "", false},
    {"mnuH", "mnuHelp", "Help", "F1", false},
};

TEST(MenuTree, CaptionsAccessKeysShortcutsAndOrder) {
    RadioEditor e;
    e.create();
    // Walk the bar and every menu in order, collecting what the table should say.
    std::vector<std::string> seen;
    std::vector<std::string> expected;
    for (const MenuEntry& m : kTree)
        expected.push_back(std::string(m.parent) + "/" + m.name + "/" + m.caption + "/" +
                           m.shortcut);
    const auto describe = [](const QString& parent, const QAction* a) {
        return parent.toStdString() + "/" + a->objectName().toStdString() + "/" +
               (a->isSeparator() ? std::string() : a->text().toStdString()) + "/" +
               a->shortcut().toString().toStdString();
    };
    const std::function<void(const QString&, const QList<QAction*>&)> walk =
        [&](const QString& parent, const QList<QAction*>& actions) {
            for (const QAction* a : actions) {
                seen.push_back(describe(parent, a));
                if (a->menu() != nullptr) walk(a->objectName(), a->menu()->actions());
            }
        };
    walk(QString(), e.window->menuBar()->actions());
    EXPECT_EQ(seen, expected);
}

TEST(MenuTree, ChecksShowTheStoredLabelSettingAndPort) {
    RadioEditor e;
    writePort(e.settings, 2);
    writeLabelSetting(e.settings, 1);
    e.create();
    const MainMenus& m = e.window->menus();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(m.labelChoiceActions[i]->isChecked(), i == 1) << i;
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(m.portActions[n - 1]->isChecked(), n == 2) << n;
    EXPECT_EQ(e.window->link().transport().port(), "2");

    m.labelChoiceActions[0]->trigger();
    EXPECT_EQ(e.settings.read("Features", "Label", ""), "0");
    EXPECT_EQ(e.window->labelSetting(), 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(m.labelChoiceActions[i]->isChecked(), i == 0) << i;
}

TEST(MenuTree, UseCommPortThreeWhileThePortIsOpenClosesItAndStoresThree) {
    RadioEditor e;
    e.create();
    Transport& t = e.window->link().transport();
    ASSERT_TRUE(t.openPort());
    const int closes = e.port.closes();

    e.window->menus().portActions[2]->trigger();

    EXPECT_FALSE(t.isOpen());
    EXPECT_EQ(e.port.closes(), closes + 1);
    EXPECT_EQ(e.settings.read("Comm", "Port", ""), "3");
    EXPECT_EQ(e.window->portNumber(), 3);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(e.window->menus().portActions[n - 1]->isChecked(), n == 3);
    // The next radio operation opens port 3's device.
    e.window->menus().readGlobalAction->trigger();
    EXPECT_EQ(e.port.device(), defaultPortDevice(3));
}

TEST(MenuTree, ADeviceNamedForThePortIsOpenedNext) {
    sim::VirtualPortOptions options;
    options.failingDevices = {{"/dev/ttyUSB7", "Permission denied"}};
    RadioEditor e({}, options);
    e.create();
    writeText(e.settings, settings::kDevice[0], "/dev/ttyUSB7");
    e.window->menus().readGlobalAction->trigger();
    ASSERT_EQ(e.prompts.texts(), std::vector<std::string>{"Unable to open Comm Port"});
    EXPECT_NE(e.prompts.messages[0].detail.find("/dev/ttyUSB7"), std::string::npos);
    EXPECT_NE(e.prompts.messages[0].detail.find("Permission denied"), std::string::npos);
}

TEST(MenuTree, F1InTheOffsetBoxIsTheBoxsHelpNotTheHelpCommand) {
    RadioEditor e;
    e.create();
    QLineEdit* box = e.window->offsetEntry().box();
    QKeyEvent f1(QEvent::ShortcutOverride, Qt::Key_F1, Qt::NoModifier);
    f1.ignore();
    QApplication::sendEvent(box, &f1);
    EXPECT_TRUE(f1.isAccepted());  // the key goes to the box, the shortcut does not fire
    QKeyEvent f2(QEvent::ShortcutOverride, Qt::Key_F2, Qt::NoModifier);
    f2.ignore();
    QApplication::sendEvent(box, &f2);
    EXPECT_FALSE(f2.isAccepted());  // Read Radio stays reachable
}

// Runs `check` on the modal dialog once it is up, then lets it close.
void whenModal(const std::function<void(QWidget*)>& check) {
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        check(modal);
        if (modal != nullptr) modal->close();
    });
}

TEST(OtherWindows, MoveOpensCentredAndModalThenShowsTheMovedBank) {
    RadioEditor e;
    e.create();
    e.doc.group(14)->channel(0).setRecFreq("470.00000");
    e.selectGroup(1);
    QRect frame;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<BankMoveDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        modal = dialog->isModal();
        frame = dialog->frameGeometry();
        // From 15 to 1 are the dialog's starting numbers.
        dialog->findChild<QPushButton*>(QStringLiteral("btnMoveOK"))->click();
    });
    e.window->menus().moveAction->trigger();
    EXPECT_TRUE(modal);
    // Centred on the screen (within the window frame, which the platform adds).
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 2);
    EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 2);
    // Group 1 now holds old bank 15 and the window shows it.
    EXPECT_EQ(e.window->gridModel().cellText(0, kColRecFreq).toStdString(), "470.00000");
    EXPECT_EQ(e.doc.group(0)->channel(0).recFreq(), "470.00000");
}

TEST(OtherWindows, MoveKeepsEditsMadeBeforeIt) {
    RadioEditor e;
    e.create();
    e.selectGroup(3);
    // Labels stay with their bank number; the typed label is stored before the pages
    // move, so showing group 3 again from the image keeps it.
    e.window->controls().groupLabelEdit->setText(QStringLiteral("KEPT"));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<BankMoveDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton*>(QStringLiteral("btnMoveOK"))->click();
    });
    e.window->menus().moveAction->trigger();
    EXPECT_EQ(e.doc.group(2)->readGroupLabel(), "KEPT    ");
    EXPECT_EQ(e.window->controls().groupLabelEdit->text().toStdString(), "KEPT    ");
}

TEST(OtherWindows, AboutIsModal) {
    RadioEditor e;
    e.create();
    bool seen = false;
    whenModal([&](QWidget* w) {
        auto* about = qobject_cast<AboutDialog*>(w);
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(about->isModal());
        EXPECT_EQ(about->windowTitle().toStdString(), "About ZAVPROG");
        seen = true;
    });
    e.window->menus().aboutAction->trigger();
    EXPECT_TRUE(seen);
}

TEST(OtherWindows, HelpOpensAtItsContents) {
    RadioEditor e;
    e.create();
    e.window->menus().helpAction->trigger();
    auto* help = e.window->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->source(), helpContentsUrl());
}

TEST(OtherWindows, GlobalParametersAndSyncalAreModelessBesideTheMainWindow) {
    RadioEditor e;
    e.create();
    e.window->show();
    e.window->menus().globalsAction->trigger();
    e.window->menus().syncalAction->trigger();
    GlobalsWindow* globals = e.window->globalsWindow();
    AlignmentWindow* syncal = e.window->syncalWindow();
    ASSERT_NE(globals, nullptr);
    ASSERT_NE(syncal, nullptr);
    EXPECT_TRUE(globals->isVisible() && globals->isWindow());
    EXPECT_TRUE(syncal->isVisible() && syncal->isWindow() && !syncal->isModal());
    EXPECT_EQ(syncal->parentWidget(), e.window.get());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(e.window->isEnabled());
    // A second command shows the same windows.
    e.window->menus().globalsAction->trigger();
    EXPECT_EQ(e.window->globalsWindow(), globals);
    // Closing the main window closes them.
    e.window->setExitWithoutAsking(true);
    e.window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(e.window->globalsWindow(), nullptr);
    EXPECT_FALSE(syncal->isVisible());
}

TEST(OtherWindows, GlobalEditsReachTheImageBeforeAWrite) {
    RadioEditor e;
    e.create();
    e.window->menus().globalsAction->trigger();
    auto* list = e.window->globalsWindow()->findChild<QComboBox*>(QStringLiteral("cboDTMFDev"));
    ASSERT_NE(list, nullptr);
    list->setCurrentIndex(6);
    auto* bank = e.window->globalsWindow()->findChild<QComboBox*>(QStringLiteral("cboBAnkScan"));
    bank->setCurrentIndex(1 - bank->currentIndex());
    const int bankScan = e.window->globalsWindow()->formValues().bankScan;
    e.prompts.queueAnswer(Answer::Ok);
    e.window->menus().writeGlobalAction->trigger();
    EXPECT_EQ(e.radio.memory()[0x6F] >> 3, 6);
    EXPECT_EQ(loadGlobalsToForm(e.doc.mem).bankScan, bankScan);
}

TEST(OtherWindows, DtmfWriteWithNoRadioShowsOnlyTheHookMessage) {
    sim::SimConfig config;
    config.faults.silent = true;
    RadioEditor e(config);
    e.create();
    e.window->menus().globalsAction->trigger();
    e.window->globalsWindow()->sendDtmfDeviation();
    EXPECT_EQ(e.prompts.texts(), std::vector<std::string>{"Error Hooking to Radio."});
}

TEST(OtherWindows, DemoCaptionFollowsEveryCaption) {
    RadioEditor e;
    e.create();
    e.window->setCaptionSuffix(QString::fromLatin1(kSimulatedCaption));
    EXPECT_EQ(e.window->windowTitle().toStdString(), "ZAVPROG [simulated radio]");
    e.window->setCaption("ZAVPROG - x.frq");
    EXPECT_EQ(e.window->windowTitle().toStdString(), "ZAVPROG - x.frq [simulated radio]");
}

}  // namespace
}  // namespace zav
