// Demo mode as a technician uses it: the simulated radio on a pseudo-terminal served by
// its own thread, the editor on the real serial port code. Read the radio with its
// labels and run Syncal; the user's own port setting is left alone.

#include <gtest/gtest.h>

#include <QComboBox>

#include "files/settings.h"
#include "support/scripted_prompts.h"
#include "ui/alignment_window.h"
#include "ui/channel_grid_model.h"
#include "ui/demo_radio.h"
#include "ui/main_window.h"
#include "ui/overlay_settings.h"

namespace zav {
namespace {

using Texts = std::vector<std::string>;

TEST(DemoMode, ATechniciansSessionAgainstTheSimulatedRadio) {
    DemoRadio demo;
    MemorySettingsStore user;
    OverlaySettingsStore settings(user, "Comm");
    for (const SettingKey& key : settings::kDevice) writeText(settings, key, demo.devicePath());
    writeLabelSetting(settings, 0);
    Document doc;
    test::ScriptedPrompts prompts;
    MemoryClipboard clipboard;
    DiskFileSystem fs;
    MainWindow window(doc, prompts, settings, clipboard, fs);
    window.menus().readRadioAction->trigger();
    EXPECT_EQ(prompts.texts(), (Texts{"All labels read OK.", "All groups read OK."}));
    EXPECT_EQ(window.gridModel().cellText(0, kColLabel).toStdString(), "DISP 1  ");
    window.menus().syncalAction->trigger();
    window.syncalWindow()->startAlignment();
    EXPECT_EQ(prompts.texts().back(), "RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL");
    EXPECT_TRUE(user.read("Comm", "Device1", "").empty());  // the demo's port stays its own
    window.setExitWithoutAsking(true);
}

}  // namespace
}  // namespace zav
