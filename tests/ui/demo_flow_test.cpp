// Demo mode as a technician uses it: the simulated radio on a pseudo-terminal served by
// its own thread, the editor on the real serial port code. Read the radio with its
// labels, edit a group, write it back and read it again, write the DTMF deviation, run
// Syncal. (Label writes are timed by the radio's pauses; the virtual-clock tests cover
// them.) With
// ZAV_DEMO_SHOTS set to a folder, the main window and its menus are saved there as PNG.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSlider>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "files/settings.h"
#include "iface/clipboard.h"
#include "model/document.h"
#include "support/scripted_prompts.h"
#include "ui/channel_grid_model.h"
#include "ui/demo_radio.h"
#include "ui/globals_window.h"
#include "ui/main_window.h"
#include "ui/alignment_window.h"
#include "ui/overlay_settings.h"

namespace zav {
namespace {

using Texts = std::vector<std::string>;

void saveShot(QWidget* w, const char* name) {
    const QByteArray folder = qgetenv("ZAV_DEMO_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    w->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name));
}

// The main window with one menu open, as one picture.
void saveMenuShot(MainWindow& window, QMenu* menu, const char* name) {
    if (qgetenv("ZAV_DEMO_SHOTS").isEmpty()) return;
    const QRect item = window.menuBar()->actionGeometry(menu->menuAction());
    menu->popup(window.menuBar()->mapToGlobal(item.bottomLeft()));
    QApplication::processEvents();
    QPixmap shot = window.grab();
    {
        QPainter p(&shot);
        const QPoint at = window.mapFromGlobal(menu->pos());
        p.drawPixmap(at, menu->grab());
    }
    menu->hide();
    const QString folder = QString::fromLocal8Bit(qgetenv("ZAV_DEMO_SHOTS"));
    shot.save(folder + QLatin1Char('/') + QLatin1String(name));
}

TEST(DemoMode, ATechniciansSessionAgainstTheSimulatedRadio) {
    DemoRadio demo;
    MemorySettingsStore user;
    writePort(user, 2);
    OverlaySettingsStore settings(user, "Comm");
    for (const SettingKey& key : settings::kDevice) writeText(settings, key, demo.devicePath());
    writeLabelSetting(settings, 0);  // labels travel with every read and write

    Document doc;
    test::ScriptedPrompts prompts;
    MemoryClipboard clipboard;
    DiskFileSystem fs;
    MainWindow window(doc, prompts, settings, clipboard, fs);
    window.setCaptionSuffix(QString::fromLatin1(kSimulatedCaption));
    window.resize(900, 560);
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(), "ZAVPROG [simulated radio]");

    // Read the radio: the fleet's channels and labels arrive.
    window.menus().readRadioAction->trigger();
    EXPECT_EQ(prompts.texts(), (Texts{"All labels read OK.", "All groups read OK."}));
    EXPECT_EQ(window.gridModel().cellText(0, kColRecFreq).toStdString(), "451.02500");
    EXPECT_EQ(window.gridModel().cellText(0, kColLabel).toStdString(), "DISP 1  ");
    EXPECT_EQ(window.controls().groupLabelEdit->text().toStdString(), "DISPATCH");
    saveShot(&window, "demo_main.png");
    for (QMenu* m : {window.menus().fileMenu, window.menus().radioMenu, window.menus().editMenu,
                     window.menus().configMenu, window.menus().helpMenu}) {
        saveMenuShot(window, m, ("demo_" + m->objectName().toStdString() + ".png").c_str());
    }

    // From here on labels stay in the editor (a label write takes the radio seconds).
    window.menus().labelChoiceActions[1]->trigger();

    // Edit group 2 and write it back.
    QComboBox* selector = window.controls().currentGroupCombo;
    selector->setCurrentIndex(selector->findText(QStringLiteral("2")));
    window.gridModel().setCellText(3, kColRecFreq, QStringLiteral("453.55000"));
    prompts.messages.clear();
    prompts.queueAnswer(Answer::Ok);
    window.menus().writeGroupAction->trigger();
    EXPECT_EQ(prompts.texts(), Texts{"Are you sure you want to write to the radio?"});

    // Forget the edit in the editor, read the group back from the radio.
    doc.group(1)->channel(3).setRecFreq("400.00000");
    window.displayGroupMemory();
    prompts.messages.clear();
    window.menus().readGroupAction->trigger();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(window.gridModel().cellText(3, kColRecFreq).toStdString(), "453.55000");

    // Global parameters: a deviation written live, then read back with the global block.
    window.menus().globalsAction->trigger();
    GlobalsWindow* globals = window.globalsWindow();
    ASSERT_NE(globals, nullptr);
    globals->findChild<QSlider*>(QStringLiteral("DTMFSlider"))->setValue(6);
    prompts.messages.clear();
    globals->sendDtmfDeviation();
    EXPECT_EQ(globals->lastWriteResult(), OperationResult::success());
    saveShot(globals, "demo_globals.png");
    doc.mem[0x6F] = 0;
    window.menus().readGlobalAction->trigger();
    EXPECT_EQ(doc.mem[0x6F] >> 3, 6);
    EXPECT_EQ(globals->formValues().dtmfDev, 6);
    EXPECT_TRUE(prompts.messages.empty());

    // Syncal runs against the radio's synthesizer.
    window.menus().syncalAction->trigger();
    ASSERT_NE(window.syncalWindow(), nullptr);
    prompts.messages.clear();
    window.syncalWindow()->startAlignment();
    EXPECT_EQ(prompts.texts(), Texts{"RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL"});
    EXPECT_NE(window.syncalWindow()->logText().find("TX CALIBRATION SUCCESSFUL"),
              std::string::npos);
    saveShot(window.syncalWindow(), "demo_syncal.png");
    if (!qgetenv("ZAV_DEMO_SHOTS").isEmpty()) {
        // The log as it stands while the closing message is up.
        window.syncalWindow()->showRunControls();
        saveShot(window.syncalWindow(), "demo_syncal_log.png");
        window.syncalWindow()->showIdleControls();
        window.menus().helpAction->trigger();
        if (auto* help = window.findChild<QWidget*>(QStringLiteral("frmHelp"))) {
            saveShot(help, "demo_help.png");
            help->close();
        }
    }

    // Nothing of the run reached the user's port settings.
    window.menus().portActions[2]->trigger();
    EXPECT_EQ(user.read("Comm", "Port", ""), "2");
    EXPECT_FALSE(user.contains("Comm", "Device3"));
    window.setExitWithoutAsking(true);
    window.close();
}

}  // namespace
}  // namespace zav
